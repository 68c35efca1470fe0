// The stylesheet of a format: its lines, its line ends and character set, its boxes.
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsScriptedMsgBox.h"
#include "clsTestFiles.h"
#include "clsXslWriter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class clsXslWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        format.FormatName = u"社員名簿"_s;
        format.StructName = u"EMP"_s;
        format.CharSet = 1;
        format.CRLF = u"\r\n"_s;
        Add(u"番号"_s, 1);
        Add(u"名前"_s, 1);
        Add(u"備考"_s, 0);
    }

    void Add(const QString& szComment, int nConvOut)
    {
        clsMember* member = format.AddMember();
        member->Comment = szComment;
        member->ConvOut = nConvOut;
    }

    clsFormat format;
    QTemporaryDir dir;
};

TEST_F(clsXslWriterTest, LinesNameTheExportsElements)
{
    const QStringList lines = clsXslWriter::Lines(format, 0);
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines[0], u"<?xml version=\"1.0\" encoding=\"Shift-JIS\" ?>"_s);
    EXPECT_EQ(lines[6], u"<xsl:value-of select=\"社員名簿/_TITLE\"/>"_s);
    EXPECT_EQ(lines[11], u"\t<xsl:apply-templates/>"_s);
    EXPECT_EQ(lines[22], u"<TD><B><xsl:value-of select=\"text()\"/></B></TD>"_s);
    EXPECT_EQ(lines[24], u"<xsl:template match=\"社員名簿\">"_s);
    EXPECT_EQ(lines[27], u"<xsl:template match=\"_EMP\">"_s);
    EXPECT_EQ(lines[29], u"<TD><xsl:value-of select=\"./番号\"/></TD>"_s);
    EXPECT_EQ(lines[30], u"<TD><xsl:value-of select=\"./名前\"/></TD>"_s);
    EXPECT_EQ(lines[31], u"</TR>"_s);
    EXPECT_EQ(lines[33], u"</xsl:stylesheet>"_s);
}

TEST_F(clsXslWriterTest, NoExportedMemberLeavesTheRowEmpty)
{
    for (int i = 1; i <= format.MemCount(); ++i)
        format.Members(i)->ConvOut = 0;
    const QStringList lines = clsXslWriter::Lines(format, 0);
    ASSERT_EQ(lines.size(), 32);
    EXPECT_EQ(lines[28], u"<TR>"_s);
    EXPECT_EQ(lines[29], u"</TR>"_s);
}

TEST_F(clsXslWriterTest, ChosenCharacterSetIsNamed)
{
    EXPECT_EQ(clsXslWriter::Lines(format, 3)[0], u"<?xml version=\"1.0\" encoding=\"EUC\" ?>"_s);
}

TEST_F(clsXslWriterTest, LfEndsEveryLine)
{
    const QString path = dir.filePath(u"a.xsl"_s);
    QString reason;
    ASSERT_TRUE(clsXslWriter::Write(format, path, 0, 3, reason)) << reason.toStdString();
    const QByteArray bytes = Contents(path);
    EXPECT_FALSE(bytes.contains('\r'));
    EXPECT_EQ(bytes.count('\n'), 34);
    EXPECT_TRUE(bytes.endsWith("</xsl:stylesheet>\n"));
    EXPECT_EQ(clsCodePage::FromSjis(bytes), clsXslWriter::Text(format, 1, 3));
}

TEST_F(clsXslWriterTest, FormatsOwnLineEndAndCharacterSet)
{
    format.CRLF = u"\r"_s;
    format.CharSet = 4;
    const QString path = dir.filePath(u"b.xsl"_s);
    QString reason;
    ASSERT_TRUE(clsXslWriter::Write(format, path, 0, 0, reason));
    const QByteArray bytes = Contents(path);
    EXPECT_EQ(bytes.count('\r'), 34);
    EXPECT_FALSE(bytes.contains('\n'));
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r"));
    EXPECT_TRUE(bytes.contains(u"社員名簿"_s.toUtf8()));
}

TEST_F(clsXslWriterTest, BoxesTellTheOutcome)
{
    clsScriptedMsgBox box;
    ASSERT_TRUE(clsXslWriter::WriteXSL(format, dir.filePath(u"c.xsl"_s), 1, 1));
    const QString missing = dir.filePath(u"no/such/d.xsl"_s);
    EXPECT_FALSE(clsXslWriter::WriteXSL(format, missing, 1, 1));
    const std::vector<clsScriptedMsgBox::Box> shown = box.TakeShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, u"Information"_s);
    EXPECT_EQ(shown[0].text, u"ＸＭＬスタイルシートの出力が完了しました。"_s);
    EXPECT_EQ(shown[1].kind, u"Critical"_s);
    EXPECT_TRUE(shown[1].text.endsWith(u"\r\n"_s + QDir::toNativeSeparators(missing)));
}

} // namespace
