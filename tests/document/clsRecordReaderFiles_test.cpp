// The readers on files that cannot be read as they are: the cause named with the file, sizes
// from the format checked before use, file names of every kind, and malformed text mended.
#include "clsFormat.h"
#include "clsReadFailure.h"
#include "clsRecordReader.h"
#include "clsRecordWriter.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"
#include "skiff.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

clsFormat Format(int fileType, const std::vector<int>& widths, int charSet = 1)
{
    clsFormat format;
    format.FileType = fileType;
    format.CharSet = charSet;
    format.CareQuote = 1;
    for (int width : widths) {
        clsMember* member = format.AddMember();
        member->MemType = 5;
        member->MemLen = width;
        member->MemLenB = width;
    }
    return format;
}

class clsRecordReaderFiles : public ::testing::Test
{
protected:
    QString Put(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    clsReadResult Read(const clsFormat& format, const QString& path, int charSet = 0)
    {
        records = clsRecords();
        return clsRecordReader(format, records).ReadRecords(path, charSet);
    }

    // The one box a failed read shows.
    static QString FailureText(clsScriptedMsgBox& msg)
    {
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        EXPECT_EQ(box.kind, u"Exclamation"_s);
        return box.text;
    }

    QTemporaryDir dir;
    clsRecords records;
};

} // namespace

TEST_F(clsRecordReaderFiles, EveryCauseHasItsOwnMessageNamingTheFile)
{
    const QString path = u"/data/x.csv"_s;
    QStringList texts;
    for (int status : {SKIFF_STATUS_NOT_FOUND, SKIFF_STATUS_NO_PERMISSION, SKIFF_STATUS_TOO_LARGE,
                       SKIFF_STATUS_BAD_CHARSET, SKIFF_STATUS_NO_MEMORY, SKIFF_STATUS_NOT_REGULAR,
                       SKIFF_STATUS_IO_ERROR}) {
        const QString text = clsReadFailure::Text(path, status, 9);
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << status;
        EXPECT_FALSE(text.contains(u"フォーマットが違います"_s)) << status;
        texts << text;
    }
    texts.removeDuplicates();
    EXPECT_EQ(texts.size(), 7);
    EXPECT_TRUE(
        clsReadFailure::Text(path, SKIFF_STATUS_TOO_LARGE, 1).contains(u"2147483646 バイト"_s));
    EXPECT_TRUE(
        clsReadFailure::Text(path, SKIFF_STATUS_BAD_CHARSET, 9).contains(u"文字コード 9 "_s));
}

TEST_F(clsRecordReaderFiles, FolderAndUnknownCharSetAreNamedInEveryFileType)
{
    clsScriptedMsgBox msg;
    EXPECT_TRUE(Read(Format(1, {4}), dir.path()).bFailed);
    EXPECT_TRUE(FailureText(msg).endsWith(u" は通常のファイルではないため読み込めません。"_s));
    const QString path = Put(u"a.dat"_s, "abcd\r\n");
    for (int fileType : {1, 2, 3}) {
        SCOPED_TRACE(fileType);
        EXPECT_TRUE(Read(Format(fileType, {4}, 7), path).bFailed);
        EXPECT_EQ(FailureText(msg), clsReadFailure::Text(path, SKIFF_STATUS_BAD_CHARSET, 7));
    }
}

TEST_F(clsRecordReaderFiles, FileOf2GiBNamesTheLimit)
{
    clsScriptedMsgBox msg;
    const QString path = Put(u"large.csv"_s, {});
    // Sparse: no disk space is taken.
    ASSERT_TRUE(QFile::resize(path, qint64(2147483647)));
    for (int fileType : {1, 2, 3}) {
        SCOPED_TRACE(fileType);
        EXPECT_TRUE(Read(Format(fileType, {4}), path).bFailed);
        EXPECT_EQ(FailureText(msg), clsReadFailure::Text(path, SKIFF_STATUS_TOO_LARGE, 1));
    }
}

TEST_F(clsRecordReaderFiles, UnreadableFileIsNamed)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    clsScriptedMsgBox msg;
    const QString path = Put(u"locked.csv"_s, "a\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_TRUE(Read(Format(1, {1}), path).bFailed);
    EXPECT_EQ(FailureText(msg), clsReadFailure::Text(path, SKIFF_STATUS_NO_PERMISSION, 1));
}

TEST_F(clsRecordReaderFiles, BinaryLayoutLargerThanTheFileIsReportedNotAllocated)
{
    clsScriptedMsgBox msg;
    const QString path = Put(u"small.bin"_s, "abcdefgh");
    const clsReadResult result = Read(Format(3, {INT_MAX}), path);
    EXPECT_TRUE(result.bFailed);
    EXPECT_EQ(records.RowCount(), 0);
    const QString text = FailureText(msg);
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(text.contains(u"レコード長 2147483647 バイト"_s));

    clsFormat header = Format(3, {4});
    header.BytesSkipHeader = INT_MAX;
    EXPECT_TRUE(Read(header, path).bFailed);
    EXPECT_EQ(FailureText(msg), u"\r\n0 行目のレコードのフォーマットが違います。"_s);
}

TEST_F(clsRecordReaderFiles, FixedLengthWidthsPastIntStayWithinTheLine)
{
    const QString path = Put(u"fixed.txt"_s, "abcdef\r\nghijkl\r\n");
    const clsReadResult result = Read(Format(2, {INT_MAX, INT_MAX, 2}), path);
    EXPECT_FALSE(result.bFailed);
    ASSERT_EQ(records.RowCount(), 2);
    EXPECT_EQ(records.Cell(2, 1).toByteArray(), QByteArray("ghijkl"));
    EXPECT_TRUE(records.Cell(2, 3).toByteArray().isEmpty());
}

TEST_F(clsRecordReaderFiles, GigabyteLineSizesAreComputedPastInt)
{
    // A line of 1,073,741,822 bytes needs a buffer of more than INT_MAX bytes; Skiff is told
    // the largest size it takes, which still holds the line.
    EXPECT_EQ(clsRecordReader::FixedFieldBytes(1073741822), size_t(2147483648u));
    EXPECT_EQ(clsRecordReader::SkiffSize(clsRecordReader::FixedFieldBytes(1073741822)), INT_MAX);
    EXPECT_GT(clsRecordReader::SkiffSize(clsRecordReader::FixedFieldBytes(INT_MAX - 1)),
              INT_MAX - 2);
    EXPECT_EQ(clsRecordReader::SkiffSize(12), 12);
}

TEST_F(clsRecordReaderFiles, NamesOfEveryKindOpenAndSaveAsThemselves)
{
    const clsFormat format = Format(1, {1, 1});
    for (const QString& szName : {u"波～.csv"_s, u"波〜.csv"_s, u"①.csv"_s, u"髙.csv"_s, u"¥.csv"_s,
                                  u"－.csv"_s, u"café.csv"_s, u"\U0001F600.csv"_s}) {
        SCOPED_TRACE(szName.toStdString());
        QTemporaryDir folder(dir.filePath(szName.chopped(4) + u"_XXXXXX"_s));
        ASSERT_TRUE(folder.isValid());
        const QString path = folder.filePath(szName);
        Put(QDir(dir.path()).relativeFilePath(path), "a,b\r\nc,d\r\n");
        clsScriptedMsgBox msg;
        ASSERT_FALSE(Read(format, path).bFailed);
        EXPECT_EQ(records.RowCount(), 2);

        const QString saved = folder.filePath(u"保存"_s + szName);
        QByteArray header;
        ASSERT_TRUE(clsRecordWriter(format, records).WriteRecords(saved, 0, 0, header));
        QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QStringList expected{szName, u"保存"_s + szName};
        expected.sort();
        EXPECT_EQ(left, expected);
        EXPECT_EQ(Read(format, saved).nCount, 2);
    }
}

TEST_F(clsRecordReaderFiles, FullWidthTildeDoesNotReachTheWaveDashFile)
{
    clsScriptedMsgBox msg;
    Put(u"波〜.csv"_s, "a,b\r\n");
    const QString tilde = dir.filePath(u"波～.csv"_s);
    EXPECT_TRUE(Read(Format(1, {1, 1}), tilde).bFailed);
    EXPECT_EQ(FailureText(msg), clsReadFailure::Text(tilde, SKIFF_STATUS_NOT_FOUND, 1));
}

TEST_F(clsRecordReaderFiles, CellEndingInALeadByteReadsAsGetaAndSavesReadably)
{
    clsScriptedMsgBox msg;
    const clsFormat format = Format(1, {1, 4});
    const QString path = Put(u"lead.csv"_s, "1,a\x82\r\n2,b\r\n3,c\r\n4,d\r\n");
    EXPECT_EQ(Read(format, path).nCount, 4);
    EXPECT_EQ(records.Cell(1, 2).toByteArray(), QByteArray("a\x81\xAC"));
    EXPECT_EQ(msg.TakeOne().text,
              u"変換できない文字が 1 文字ありました。〓に置き換えて表示しています。"_s);

    const QString saved = dir.filePath(u"saved.csv"_s);
    QByteArray header;
    ASSERT_TRUE(clsRecordWriter(format, records).WriteRecords(saved, 0, 0, header));
    const clsReadResult again = Read(format, saved);
    EXPECT_FALSE(again.bFailed);
    EXPECT_EQ(again.nCount, 4);
    EXPECT_EQ(records.Cell(4, 2).toByteArray(), QByteArray("d"));
}

TEST_F(clsRecordReaderFiles, NulByteLosesNoRecordInAnyCharSet)
{
    const QByteArray nul(1, '\0');
    for (int charSet : {1, 2, 3, 4}) {
        SCOPED_TRACE(charSet);
        clsScriptedMsgBox msg;
        const QString path = Put(u"nul.csv"_s, "a" + nul + "b,1\nc,2\nd,3\n");
        EXPECT_EQ(Read(Format(1, {3, 1}), path, charSet).nCount, 3);
        EXPECT_EQ(records.Cell(1, 1).toByteArray(), QByteArray("a\x81\xAC"
                                                               "b"));
        EXPECT_EQ(records.Cell(3, 2).toByteArray(), QByteArray("3"));
        EXPECT_EQ(msg.TakeOne().text,
                  u"変換できない文字が 1 文字ありました。〓に置き換えて表示しています。"_s);
    }
}
