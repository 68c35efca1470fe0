// The C and VB scanners against golden files: each source under data/c or data/vb with the
// formats it must give, one line per member.
#include "clsCScanner.h"
#include "clsCodePage.h"
#include "clsSourceScan.h"
#include "clsTestFiles.h"
#include "clsVBScanner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kData = QStringLiteral(QUILLET_SOURCE_DIR "/tests/formatman/data/");

// "[StructName]", then per member: name, type, width, size, [padding], justification,
// comment, separated by tabs.
QString Dump(const clsFormats& formats)
{
    QString text;
    for (int i = 1; i <= formats.Count(); ++i) {
        const clsFormat& format = *formats.Format(i);
        text += u'[' + format.StructName + u"]\n"_s;
        for (int n = 1; n <= format.MemCount(); ++n) {
            const clsMember& m = *format.Members(n);
            text += QStringList{m.MemName,
                                QString::number(m.MemType),
                                QString::number(m.MemLen),
                                QString::number(m.MemLenB),
                                u'[' + m.BlankChr + u']',
                                QString::number(m.Stuff),
                                m.Comment}
                        .join(u'\t') +
                    u'\n';
        }
    }
    return text;
}

class SourceScan : public ::testing::Test
{
protected:
    // The golden source as the program meets it: Shift-JIS, with CR LF line ends unless the
    // case is about lone LFs.
    QString Source(const QString& szCase)
    {
        QString text = QString::fromUtf8(Contents(kData + szCase));
        if (!szCase.contains(u"lf_only"_s))
            text.replace(u"\n"_s, u"\r\n"_s);
        const QString path = dir.filePath(szCase.section(u'/', -1));
        Put(path, clsCodePage::ToSjis(text));
        return path;
    }

    void ExpectGolden(clsSourceScan::Kind kind, const QString& szCase)
    {
        const clsSourceScan::Result result = clsSourceScan::Scan(kind, Source(szCase));
        const QString expected =
            QString::fromUtf8(Contents(kData + szCase.left(szCase.lastIndexOf(u'.')) + u".txt"_s));
        EXPECT_EQ(result.szError, QString());
        EXPECT_EQ(Dump(*result.formats).toStdString(), expected.toStdString());
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(SourceScan, CTypedefStructsAndTypeWords)
{
    ExpectGolden(clsSourceScan::CSource, u"c/typedef_struct.h"_s);
}
TEST_F(SourceScan, CDefineAndConstSizesHexAndOctal)
{
    ExpectGolden(clsSourceScan::CSource, u"c/constants.h"_s);
}
TEST_F(SourceScan, CCommentsLineAndBlockAndUnclosed)
{
    ExpectGolden(clsSourceScan::CSource, u"c/comments.h"_s);
}
TEST_F(SourceScan, CTwoDimensionalCharArrays)
{
    ExpectGolden(clsSourceScan::CSource, u"c/arrays.h"_s);
}
TEST_F(SourceScan, CLoneLineFeedsEndLines)
{
    ExpectGolden(clsSourceScan::CSource, u"c/lf_only.h"_s);
}
TEST_F(SourceScan, VBModuleWithConstsTypesAndArrays)
{
    ExpectGolden(clsSourceScan::VBSource, u"vb/module.bas"_s);
}
TEST_F(SourceScan, VBLoneLineFeedsEndLines)
{
    ExpectGolden(clsSourceScan::VBSource, u"vb/lf_only.bas"_s);
}

TEST_F(SourceScan, FoundFormatsComeWithTheSelectionMessage)
{
    const QString path = Source(u"vb/lf_only.bas"_s);
    EXPECT_EQ(clsSourceScan::Scan(clsSourceScan::VBSource, path).szMessage,
              u"lf_only.basから以下のユーザ定義型が検出されました。\r\n"
              u"編集するユーザ定義型を選択してください。"_s);
}

TEST_F(SourceScan, NothingDetectedNamesTheFileAsCaption)
{
    const QString path = Source(u"vb/lf_only.bas"_s);
    const clsSourceScan::Result result = clsSourceScan::Scan(clsSourceScan::CSource, path);
    EXPECT_FALSE(result.Found());
    EXPECT_EQ(result.szMessage, u"ファイルからＣ／Ｃ＋＋構造体は検出されませんでした。"_s);
    EXPECT_EQ(result.szCaption, path);
}

TEST_F(SourceScan, UndefinedStringLengthIsAReadFailure)
{
    const QString path = Source(u"vb/missing_const.bas"_s);
    const clsSourceScan::Result result = clsSourceScan::Scan(clsSourceScan::VBSource, path);
    EXPECT_FALSE(result.Found());
    EXPECT_TRUE(result.szError.contains(u"NOSUCH"_s)) << result.szError.toStdString();
    EXPECT_TRUE(result.szError.endsWith(u"\rファイルの読込に失敗しました。"_s + path));
    EXPECT_EQ(result.szMessage, u"ファイルからＶＢユーザ定義型は検出されませんでした。"_s);
    EXPECT_EQ(result.szCaption, u"Format Manager"_s);
}

TEST_F(SourceScan, UnreadableAndBinaryFilesAreReadFailures)
{
    EXPECT_FALSE(
        clsSourceScan::Scan(clsSourceScan::CSource, dir.filePath(u"none.h"_s)).szError.isEmpty());
    const QString binary = dir.filePath(u"bin.h"_s);
    Put(binary, QByteArray("struct A { long a; };\0", 22));
    const QString error = clsSourceScan::Scan(clsSourceScan::CSource, binary).szError;
    EXPECT_TRUE(error.contains(u"NUL"_s)) << error.toStdString();
}

TEST_F(SourceScan, ConstantTooLargeForThirtyTwoBitsIsAReadFailure)
{
    const QString path = dir.filePath(u"big.h"_s);
    Put(path, "#define BIG 0x100000000\r\nstruct A { char a[BIG]; };\r\n");
    EXPECT_TRUE(
        clsSourceScan::Scan(clsSourceScan::CSource, path).szError.contains(u"0x100000000"_s));
}

TEST(clsCScanner, CommentCutKeepsTheLineMark)
{
    EXPECT_EQ(clsCScanner::CCommentCut(u"a // x /* y\0b"_s), u"a \0b"_s);
    EXPECT_EQ(clsCScanner::CCommentCut(u"/* a */ b"_s), u"b"_s);
    EXPECT_EQ(clsCScanner::CCommentCut(u"a /* b"_s), u"a "_s);
}

TEST(clsCScanner, CutSpaceBeforeSemiGluesTheDeclarator)
{
    EXPECT_EQ(clsCScanner::CutSpaceBeforeSemi(u"name [ 10 ] ; long x;"_s), u"name[10]; long x;"_s);
    EXPECT_EQ(clsCScanner::CutSpaceBeforeSemi(u"a b"_s), u"a b"_s);
}

TEST(clsVBScanner, ApostropheInsideAStringStaysCode)
{
    QString comment;
    EXPECT_EQ(clsVBScanner::VBCommentCut(u"Const Q = \"it's\" ' note"_s, comment),
              u"Const Q = \"it's\" "_s);
    EXPECT_EQ(comment, u" note"_s);
    comment = u"kept"_s;
    EXPECT_EQ(clsVBScanner::VBCommentCut(u"' whole line"_s, comment), QString());
    EXPECT_EQ(comment, u"kept"_s);
}
