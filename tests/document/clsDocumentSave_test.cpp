// Saving documents: every writer against its reader in every character set and line end,
// files loaded and saved unchanged, and the document's state after a save that failed.
#include "Module1.h"
#include "clsDocument.h"
#include "clsFormats.h"
#include "clsScriptedMsgBox.h"
#include "clsSmallDisk.h"
#include "clsTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

clsMember* AddMember(clsFormat& format, int memType, int memLen, int memLenB, int stuff = 2)
{
    clsMember* member = format.AddMember();
    member->MemName = u"m"_s + QString::number(format.MemCount());
    member->MemType = memType;
    member->MemLen = memLen;
    member->MemLenB = memLenB;
    member->Stuff = stuff;
    return member;
}

// One set of records for every writer: kanji, a kanji whose trail byte is a backslash,
// half-width katakana, a quote, a delimiter, numbers and empty cells.
const std::vector<std::vector<QByteArray>>& Rows()
{
    static const std::vector<std::vector<QByteArray>> rows = {
        {"\x93\xFA\x96\x7B\x8C\xEA", "\x95\x5C\x8E\xA6", "12"},
        {"\xB1\xB2\xB3", "a\"b", "-7"},
        {"a,b", "", "0"},
        {"", "", ""},
        {"x y", "\x95\x5C", "2147483647"},
    };
    return rows;
}

class clsDocumentSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gFormats().Clear();
        clsFormat* delimited = gFormats().Add();
        delimited->StructName = u"delimited"_s;
        delimited->FileType = 1;
        delimited->EscInput = 1;
        delimited->EscOutput = 1;
        AddMember(*delimited, 5, 20, 20);
        AddMember(*delimited, 5, 20, 20);
        AddMember(*delimited, 2, 11, 4);
        clsFormat* fixed = gFormats().Add();
        fixed->StructName = u"fixed"_s;
        fixed->FileType = 2;
        AddMember(*fixed, 5, 12, 12);
        AddMember(*fixed, 5, 12, 12);
        AddMember(*fixed, 2, 11, 11, 1);
        clsFormat* binary = gFormats().Add();
        binary->StructName = u"binary"_s;
        binary->FileType = 3;
        binary->BytesSkipHeader = 3;
        AddMember(*binary, 5, 12, 12);
        AddMember(*binary, 5, 12, 12);
        AddMember(*binary, 2, 11, 4);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    static void Fill(clsDocument& document)
    {
        clsRecords records;
        for (const std::vector<QByteArray>& row : Rows()) {
            for (const QByteArray& cell : row)
                records.AddCell(cell);
            records.EndRow();
        }
        document.ReplaceRecords(std::move(records));
    }

    // The cells as the user sees them: fixed-length fields come back with their padding.
    static QString Trimmed(const clsDocument& document, int row, int col)
    {
        return Module1::Trim(document.Records().Text(row, col));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(clsDocumentSaveTest, EveryWriterRoundTripsThroughItsReader)
{
    for (int mode = 1; mode <= 3; ++mode) {
        for (int charSet = 1; charSet <= 4; ++charSet) {
            for (int crlf = 1; crlf <= 3; ++crlf) {
                SCOPED_TRACE(mode * 100 + charSet * 10 + crlf);
                clsDocument original;
                ASSERT_TRUE(original.SetMode(mode));
                Fill(original);
                const QString first = Path(u"first.dat"_s);
                ASSERT_TRUE(original.Save(first, charSet, crlf));

                clsDocument loaded;
                ASSERT_TRUE(loaded.SetMode(mode));
                loaded.SetFile(first);
                const clsReadResult result = loaded.Load(charSet, 1);
                ASSERT_FALSE(result.bFailed);
                if (mode != 3) {
                    EXPECT_EQ(loaded.lnCRLF(), crlf);
                }
                ASSERT_EQ(loaded.Records().RowCount(), static_cast<int>(Rows().size()));
                for (int row = 1; row <= loaded.Records().RowCount(); ++row) {
                    for (int col = 1; col <= 3; ++col) {
                        // A binary number has no empty value: an empty cell is written as 0.
                        QString expected = Trimmed(original, row, col);
                        if (mode == 3 && col == 3 && expected.isEmpty())
                            expected = u"0"_s;
                        EXPECT_EQ(Trimmed(loaded, row, col), expected) << row << "," << col;
                    }
                }
                const QString second = Path(u"second.dat"_s);
                ASSERT_TRUE(loaded.Save(second, charSet, crlf));
                EXPECT_EQ(Contents(second), Contents(first));
            }
        }
    }
}

TEST_F(clsDocumentSaveTest, FixedLengthAndBinaryFilesAreSavedUnchanged)
{
    const QString fixedFile = Path(u"fixed.txt"_s);
    // EUC-JP fields of 12 bytes each; the number is right-justified in 11.
    const QByteArray fixedBytes = "\xC6\xFC\xCB\xDC\xB8\xEC      "
                                  "abc\x8E\xB1       "
                                  "        -42\n"
                                  "            "
                                  "\xC9\xBD          "
                                  "          0\n";
    Put(fixedFile, fixedBytes);
    clsDocument fixed;
    ASSERT_TRUE(fixed.SetMode(2));
    fixed.SetFile(fixedFile);
    ASSERT_FALSE(fixed.Load(3, 1).bFailed);
    ASSERT_TRUE(fixed.Save(fixedFile, fixed.lnCharSet(), fixed.lnCRLF()));
    EXPECT_EQ(Contents(fixedFile), fixedBytes);

    const QString binaryFile = Path(u"binary.dat"_s);
    const int32_t values[] = {-1, 70000};
    QByteArray binaryBytes("\x00\xFF\x7F", 3);
    binaryBytes += QByteArray("\x93\xFA\x96\x7B        ") + QByteArray("\xB1 b         ");
    binaryBytes += QByteArray(reinterpret_cast<const char*>(&values[0]), 4);
    binaryBytes += QByteArray("            ") + QByteArray("\x95\x5C          ");
    binaryBytes += QByteArray(reinterpret_cast<const char*>(&values[1]), 4);
    Put(binaryFile, binaryBytes);
    clsDocument binary;
    ASSERT_TRUE(binary.SetMode(3));
    binary.SetFile(binaryFile);
    ASSERT_FALSE(binary.Load(1, 1).bFailed);
    EXPECT_EQ(binary.Records().Text(1, 2), u"ｱ b"_s);
    ASSERT_TRUE(binary.Save(binaryFile, 1, 1));
    EXPECT_EQ(Contents(binaryFile), binaryBytes);
}

TEST_F(clsDocumentSaveTest, SavedDocumentBelongsToItsNewFileAndIsClean)
{
    clsDocument document;
    ASSERT_TRUE(document.SetMode(1));
    document.Clear(2);
    document.SetCellText(2, 1, u"変更"_s);
    ASSERT_TRUE(document.bDirty());
    const QString target = Path(u"new.csv"_s);
    // Codes below 1 are the format's own: Shift-JIS and CR LF.
    ASSERT_TRUE(document.Save(target, 0, 0));
    EXPECT_EQ(Contents(target), QByteArray("\"\",\"\",\r\n\"\x95\xCF\x8D\x58\",\"\",\r\n"));
    EXPECT_EQ(document.szFile(), target);
    EXPECT_EQ(document.lnCharSet(), 1);
    EXPECT_EQ(document.lnCRLF(), 1);
    EXPECT_FALSE(document.bDirty());
    EXPECT_FALSE(document.Records().Marked(2));
}

TEST_F(clsDocumentSaveTest, FailedSaveKeepsTheChangesAndTheOldFile)
{
    const QString target = Path(u"kept.csv"_s);
    Put(target, "old\r\n");
    clsDocument document;
    ASSERT_TRUE(document.SetMode(1));
    document.SetFile(target);
    document.Clear(1);
    document.SetCellText(1, 1, u"new"_s);
    clsScriptedMsgBox msg;
    EXPECT_FALSE(document.Save(Path(u"gone/kept.csv"_s), 4, 3));
    EXPECT_TRUE(msg.TakeOne().text.startsWith(u"1行目でレコードの書込みに失敗しました。"_s));
    EXPECT_TRUE(document.bDirty());
    EXPECT_TRUE(document.Records().Marked(1));
    EXPECT_EQ(document.szFile(), target);
    EXPECT_EQ(document.lnCharSet(), 1);
    EXPECT_EQ(Contents(target), QByteArray("old\r\n"));
}

TEST_F(clsDocumentSaveTest, LayoutTooLargeForAFileIsReportedBeforeAnythingIsWritten)
{
    clsFormat* wide = gFormats().Add();
    wide->StructName = u"wide"_s;
    wide->FileType = 3;
    AddMember(*wide, 5, 2147483647, 4);
    clsFormat* fixed = gFormats().Add();
    fixed->StructName = u"long lines"_s;
    fixed->FileType = 2;
    AddMember(*fixed, 5, 1500000000, 1500000000);
    AddMember(*fixed, 5, 1500000000, 1500000000);
    clsFormat* many = gFormats().Add();
    many->StructName = u"many rows"_s;
    many->FileType = 2;
    AddMember(*many, 5, 1000000, 1000000);
    const QString target = Path(u"large.dat"_s);
    const QString limit = u" バイト以上のファイルになり、上限の 2147483646 バイトを超えるため"_s
                          u"書き込めません。]"_s;
    const std::pair<int, qint64> cases[] = {{4, 2147483647}, {5, 3000000001}, {6, 3000003000}};
    for (const auto& [mode, bytes] : cases) {
        clsDocument document;
        ASSERT_TRUE(document.SetMode(mode));
        document.Clear(3000);
        document.SetCellText(1, 1, u"x"_s);
        clsScriptedMsgBox msg;
        EXPECT_FALSE(document.Save(target, 1, 3));
        EXPECT_EQ(msg.TakeOne().text.toStdString(),
                  (u"1行目でレコードの書込みに失敗しました。\r\n["_s + target +
                   u": レコードの形式では "_s + QString::number(bytes) + limit)
                      .toStdString());
        EXPECT_TRUE(
            QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
}

TEST_F(clsDocumentSaveTest, FullDiskNamesTheFileAndTheCause)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"small"_s));
    const clsSmallDisk disk(QFile::encodeName(Path(u"small"_s)), "256k");
    if (!disk.Mounted())
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    const QString target = Path(u"small/full.csv"_s);
    Put(target, "old\r\n");
    const QString filler = Path(u"small/filler"_s);
    {
        QFile fill(filler);
        ASSERT_TRUE(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (fill.write(QByteArray(4096, 'f')) == 4096) {
        }
    }
    // A few rows stay in the stream's buffer: the disk is found full when it is closed.
    // Many rows meet it while they are written.
    for (const int rows : {5, 4000}) {
        clsDocument document;
        ASSERT_TRUE(document.SetMode(1));
        document.Clear(rows);
        for (int row = 1; row <= rows; ++row)
            document.SetCellText(row, 1, QString(500, u'x'));
        clsScriptedMsgBox msg;
        EXPECT_FALSE(document.Save(target, 1, 1));
        const QString shown = msg.TakeOne().text;
        const QString head = rows == 5 ? u"ファイルの書込みを完了できませんでした。"_s
                                       : u"行目でレコードの書込みに失敗しました。"_s;
        EXPECT_TRUE(shown.contains(head + u"\r\n["_s + target +
                                   u": ディスクの空き容量が不足しています。]"_s))
            << shown.toStdString();
        EXPECT_EQ(Contents(target), QByteArray("old\r\n"));
        QFile::remove(filler);
        EXPECT_EQ(QDir(Path(u"small"_s)).entryList(QDir::Files | QDir::Hidden),
                  QStringList({u"full.csv"_s}));
    }
}

TEST_F(clsDocumentSaveTest, VanishedFolderNamesTheFileAndTheCause)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"sub"_s));
    const QString target = Path(u"sub/gone.csv"_s);
    clsDocument document;
    ASSERT_TRUE(document.SetMode(1));
    document.Clear(16384);
    document.SetCellText(1, 1, u"changed"_s);
    clsScriptedMsgBox msg;
    EXPECT_FALSE(document.Save(target, 1, 1,
                               [&](qint64, qint64) { QDir(Path(u"sub"_s)).removeRecursively(); }));
    EXPECT_EQ(msg.TakeOne().text.toStdString(),
              (u"ファイルの書込みを完了できませんでした。\r\n["_s + target +
               u": 保存先のフォルダーまたは一時ファイルが削除されました。]"_s)
                  .toStdString());
    EXPECT_TRUE(document.bDirty());
}
