// The three record readers over the real Skiff library, on files made here byte by byte.
#include "clsFormat.h"
#include "clsRecordReader.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

// 日本語 and 表 (whose Shift-JIS trail byte is a backslash) in each character set.
struct Encoding
{
    int charSet;
    QByteArray nihongo;
    QByteArray hyo;
};

const std::vector<Encoding>& Encodings()
{
    static const std::vector<Encoding> encodings = {
        {1, QByteArray("\x93\xFA\x96\x7B\x8C\xEA"), QByteArray("\x95\x5C")},
        {2, QByteArray("\x1B$B\x46\x7C\x4B\x5C\x38\x6C\x1B(B"), QByteArray("\x1B$BI=\x1B(B")},
        {3, QByteArray("\xC6\xFC\xCB\xDC\xB8\xEC"), QByteArray("\xC9\xBD")},
        {4, QByteArray("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"), QByteArray("\xE8\xA1\xA8")},
    };
    return encodings;
}

const std::vector<std::pair<QByteArray, int>>& LineEnds()
{
    static const std::vector<std::pair<QByteArray, int>> ends = {{"\r\n", 1}, {"\r", 2}, {"\n", 3}};
    return ends;
}

clsMember* AddMember(clsFormat& format, int memType, int memLen, int memLenB)
{
    clsMember* member = format.AddMember();
    member->MemType = memType;
    member->MemLen = memLen;
    member->MemLenB = memLenB;
    return member;
}

clsFormat Delimited(int members, int careQuote, int escInput)
{
    clsFormat format;
    format.FileType = 1;
    format.CareQuote = careQuote;
    format.EscInput = escInput;
    for (int i = 0; i < members; ++i)
        AddMember(format, 5, 20, 20);
    return format;
}

class clsRecordReaderTest : public ::testing::Test
{
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = dir.filePath(u"data"_s + QString::number(++files) + u".dat"_s);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    clsReadResult Read(const clsFormat& format, const QByteArray& bytes, int charSet = 0)
    {
        records = clsRecords();
        return clsRecordReader(format, records).ReadRecords(Write(bytes), charSet);
    }

    QByteArray Cell(int row, int col) const { return records.Cell(row, col).toByteArray(); }

    QTemporaryDir dir;
    int files = 0;
    clsRecords records;
};

const QByteArray kNihongoSjis("\x93\xFA\x96\x7B\x8C\xEA");
const QByteArray kHyoSjis("\x95\x5C");

} // namespace

TEST_F(clsRecordReaderTest, QuotedTextInEveryCharSetAndLineEnd)
{
    const clsFormat format = Delimited(3, 1, 1);
    for (const Encoding& enc : Encodings()) {
        for (const auto& [end, code] : LineEnds()) {
            SCOPED_TRACE(enc.charSet * 10 + code);
            const QByteArray file =
                enc.nihongo + ",\"a,b\",1" + end + enc.hyo + ",\"x\"\"y\",22" + end;
            const clsReadResult result = Read(format, file, enc.charSet);
            EXPECT_FALSE(result.bFailed);
            EXPECT_EQ(result.nCount, 2);
            EXPECT_EQ(result.lnCRLF, code);
            ASSERT_EQ(records.RowCount(), 2);
            EXPECT_EQ(Cell(1, 1), kNihongoSjis);
            EXPECT_EQ(Cell(1, 2), QByteArray("a,b"));
            EXPECT_EQ(Cell(1, 3), QByteArray("1"));
            EXPECT_EQ(Cell(2, 1), kHyoSjis);
            EXPECT_EQ(Cell(2, 2), QByteArray("x\"y"));
            EXPECT_EQ(Cell(2, 3), QByteArray("22"));
        }
    }
}

TEST_F(clsRecordReaderTest, QuotedTextKeepsEscapesUnlessAskedAndLongFields)
{
    const QByteArray longField(5000, 'w');
    Read(Delimited(2, 1, 0), "\"x\"\"y\"," + longField + "\r\n");
    EXPECT_EQ(Cell(1, 1), QByteArray("x\"\"y"));
    EXPECT_EQ(Cell(1, 2), longField);
}

TEST_F(clsRecordReaderTest, SimpleTextSplitsTrimsAndUnquotes)
{
    const clsFormat format = Delimited(3, 0, 1);
    for (const Encoding& enc : Encodings()) {
        SCOPED_TRACE(enc.charSet);
        const QByteArray file = " " + enc.nihongo + " , \"a\" ,\"x\"\"y\"\n" + enc.hyo + ",,3\n";
        const clsReadResult result = Read(format, file, enc.charSet);
        EXPECT_EQ(result.nCount, 2);
        EXPECT_EQ(result.lnCRLF, 3);
        EXPECT_EQ(Cell(1, 1), kNihongoSjis);
        EXPECT_EQ(Cell(1, 2), QByteArray("a"));
        EXPECT_EQ(Cell(1, 3), QByteArray("x\"y"));
        EXPECT_EQ(Cell(2, 1), kHyoSjis);
        EXPECT_EQ(Cell(2, 2), QByteArray());
        EXPECT_EQ(Cell(2, 3), QByteArray("3"));
    }
}

TEST_F(clsRecordReaderTest, FixedLengthCutsFileBytesAndLastTakesTheRest)
{
    for (const Encoding& enc : Encodings()) {
        for (const auto& [end, code] : LineEnds()) {
            SCOPED_TRACE(enc.charSet * 10 + code);
            clsFormat format;
            format.FileType = 2;
            AddMember(format, 5, static_cast<int>(enc.nihongo.size()),
                      static_cast<int>(enc.nihongo.size()));
            // A 32-bit integer takes its binary size, 4 bytes, not its MemLen of 11.
            AddMember(format, 2, 11, 4);
            AddMember(format, 5, 2, 2);
            const QByteArray file =
                enc.nihongo + "1234" + enc.hyo + " and more" + end + enc.nihongo + "12" + end;
            const clsReadResult result = Read(format, file, enc.charSet);
            EXPECT_FALSE(result.bFailed);
            EXPECT_EQ(result.lnCRLF, code);
            ASSERT_EQ(records.RowCount(), 2);
            EXPECT_EQ(Cell(1, 1), kNihongoSjis);
            EXPECT_EQ(Cell(1, 2), QByteArray("1234"));
            EXPECT_EQ(Cell(1, 3), kHyoSjis + " and more");
            // A short line: what it has, then empty fields.
            EXPECT_EQ(Cell(2, 2), QByteArray("12"));
            EXPECT_EQ(Cell(2, 3), QByteArray());
        }
    }
}

TEST_F(clsRecordReaderTest, FixedLengthMendsCutCharactersFieldByField)
{
    clsScriptedMsgBox msg;
    clsFormat format;
    format.FileType = 2;
    AddMember(format, 5, 2, 2);
    AddMember(format, 5, 3, 3);
    AddMember(format, 5, 4, 4);
    // Line 1 cuts 日 after its lead byte and ends in a lone one; line 2 holds a NUL byte.
    const QByteArray file = QByteArray("a\x93\xFA\x96\x7Bxy\x93\r\n") +
                            QByteArray("ab\x63\x00\x64\x65\r\n", 8) + "\x93\xFA\r\n";
    const clsReadResult result = Read(format, file, 1);
    EXPECT_FALSE(result.bFailed);
    ASSERT_EQ(records.RowCount(), 3);
    EXPECT_EQ(Cell(1, 1), QByteArray("a\x81\xAC"));
    EXPECT_EQ(Cell(1, 2), QByteArray("\xFA\x96\x7B"));
    EXPECT_EQ(Cell(1, 3), QByteArray("xy\x81\xAC"));
    EXPECT_EQ(Cell(2, 1), QByteArray("ab"));
    EXPECT_EQ(Cell(2, 2), QByteArray("c\x81\xAC"
                                     "d"));
    EXPECT_EQ(Cell(2, 3), QByteArray("e"));
    EXPECT_EQ(Cell(3, 1), kNihongoSjis.left(2));
    EXPECT_EQ(Cell(3, 2), QByteArray());
    EXPECT_EQ(msg.TakeOne().text,
              u"変換できない文字が 3 文字ありました。〓に置き換えて表示しています。"_s);
}

namespace {

QByteArray BinaryRecord(int16_t s, int32_t l, float f, double d, const QByteArray& text)
{
    QByteArray bytes;
    bytes.append(reinterpret_cast<const char*>(&s), 2);
    bytes.append(reinterpret_cast<const char*>(&l), 4);
    bytes.append(reinterpret_cast<const char*>(&f), 4);
    bytes.append(reinterpret_cast<const char*>(&d), 8);
    return bytes + text.leftJustified(12, ' ');
}

clsFormat BinaryFormat(int header)
{
    clsFormat format;
    format.FileType = 3;
    format.BytesSkipHeader = header;
    AddMember(format, 1, 6, 2);
    AddMember(format, 2, 11, 4);
    AddMember(format, 3, 8, 4);
    AddMember(format, 4, 16, 8);
    AddMember(format, 5, 12, 12);
    return format;
}

} // namespace

TEST_F(clsRecordReaderTest, BinaryRecordsInEveryCharSet)
{
    const QByteArray header("\x01\x00\xFF", 3);
    for (const Encoding& enc : Encodings()) {
        SCOPED_TRACE(enc.charSet);
        const QByteArray file = header + BinaryRecord(-32768, 2147483647, 1.5f, 0.1, enc.nihongo) +
                                BinaryRecord(7, -1, 3.14159274f, 1e300, " " + enc.hyo);
        const clsReadResult result = Read(BinaryFormat(3), file, enc.charSet);
        EXPECT_FALSE(result.bFailed);
        EXPECT_EQ(result.nCount, 2);
        EXPECT_EQ(result.lnCRLF, -1);
        EXPECT_EQ(result.szHeaderBytes, header);
        ASSERT_EQ(records.RowCount(), 2);
        EXPECT_EQ(Cell(1, 1), QByteArray("-32768"));
        EXPECT_EQ(Cell(1, 2), QByteArray("2147483647"));
        EXPECT_EQ(Cell(1, 3), QByteArray("1.5"));
        EXPECT_EQ(Cell(1, 4), QByteArray("0.1"));
        EXPECT_EQ(Cell(1, 5), kNihongoSjis);
        EXPECT_EQ(Cell(2, 3), QByteArray("3.141593"));
        EXPECT_EQ(Cell(2, 4), QByteArray("1e+300"));
        EXPECT_EQ(Cell(2, 5), kHyoSjis);
    }
}

TEST_F(clsRecordReaderTest, BinaryPartialRecordIsDroppedAndReported)
{
    clsScriptedMsgBox msg;
    const QByteArray file = BinaryRecord(1, 2, 3, 4, "a") + QByteArray("\x01\x02\x03\x04\x05", 5);
    const clsReadResult result = Read(BinaryFormat(0), file);
    EXPECT_FALSE(result.bFailed);
    EXPECT_EQ(result.nCount, 1);
    EXPECT_EQ(records.RowCount(), 1);
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Exclamation"_s);
    EXPECT_EQ(
        box.text,
        u"ファイルの末尾の 5 バイトはレコードになりません。保存するとこの部分は失われます。"_s);
}

TEST_F(clsRecordReaderTest, BinaryShortHeaderLoadsNothing)
{
    clsScriptedMsgBox msg;
    const clsReadResult result = Read(BinaryFormat(3), QByteArray("\x01\x02", 2));
    EXPECT_TRUE(result.bFailed);
    EXPECT_EQ(result.nCount, 0);
    EXPECT_EQ(records.RowCount(), 0);
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Exclamation"_s);
    EXPECT_EQ(box.title, u"Quillet"_s);
    EXPECT_EQ(box.text, u"\r\n0 行目のレコードのフォーマットが違います。"_s);
}

TEST_F(clsRecordReaderTest, BinaryMemberTypeOutsideTheVocabularyFails)
{
    clsScriptedMsgBox msg;
    clsFormat format;
    format.FileType = 3;
    AddMember(format, 2, 11, 4);
    AddMember(format, 9, 4, 4);
    const int32_t value = 42;
    const clsReadResult result =
        Read(format, QByteArray(reinterpret_cast<const char*>(&value), 4) + "abcd");
    EXPECT_TRUE(result.bFailed);
    EXPECT_EQ(result.nCount, 1);
    ASSERT_EQ(records.RowCount(), 1);
    EXPECT_EQ(Cell(1, 1), QByteArray("42"));
    EXPECT_EQ(msg.TakeOne().text, u"\r\n1 行目のレコードのフォーマットが違います。"_s);
}

TEST_F(clsRecordReaderTest, BinaryRecordOfNoBytesFailsInsteadOfLooping)
{
    clsScriptedMsgBox msg;
    clsFormat format;
    format.FileType = 3;
    AddMember(format, 5, 0, 0);
    const clsReadResult result = Read(format, "abc");
    EXPECT_TRUE(result.bFailed);
    EXPECT_EQ(records.RowCount(), 0);
    EXPECT_EQ(msg.TakeOne().text, u"\r\n0 行目のレコードのフォーマットが違います。"_s);
}

namespace {

QByteArray SixLinesWithShortFifth()
{
    return "1,a,b\n2,a,b\n3,a,b\n4,a,b\n5,a\n6,a,b\n";
}

const QString kQuestion =
    u" 行目のレコードのフォーマットが違います。読み込みを続行しますか？\r\n"
    u"続行する場合は[はい]を、ここまで読み込んだデータで表示する場合は[いいえ]を押してください。"_s;

} // namespace

TEST_F(clsRecordReaderTest, MismatchAnsweredNoKeepsTheRowsReadSoFar)
{
    for (int careQuote : {1, 0}) {
        SCOPED_TRACE(careQuote);
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::No);
        const clsReadResult result = Read(Delimited(3, careQuote, 0), SixLinesWithShortFifth());
        EXPECT_TRUE(result.bFailed);
        EXPECT_EQ(result.nCount, 5);
        ASSERT_EQ(records.RowCount(), 5);
        EXPECT_EQ(Cell(4, 1), QByteArray("4"));
        EXPECT_TRUE(Cell(5, 1).isEmpty());
        const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].kind, u"Question"_s);
        EXPECT_EQ(boxes[0].text, u"5"_s + kQuestion);
        EXPECT_EQ(boxes[1].kind, u"Exclamation"_s);
        EXPECT_EQ(boxes[1].text, u"\r\n5 行目のレコードのフォーマットが違います。"_s);
    }
}

TEST_F(clsRecordReaderTest, MismatchAnsweredYesLoadsAllAndAsksOnce)
{
    for (int careQuote : {1, 0}) {
        SCOPED_TRACE(careQuote);
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Yes);
        const QByteArray file = SixLinesWithShortFifth() + "7,a,b,extra\n";
        const clsReadResult result = Read(Delimited(3, careQuote, 0), file);
        EXPECT_FALSE(result.bFailed);
        EXPECT_EQ(result.nCount, 7);
        // The missing cell stays empty: nothing is taken from the next line.
        EXPECT_EQ(Cell(5, 2), QByteArray("a"));
        EXPECT_TRUE(Cell(5, 3).isEmpty());
        EXPECT_EQ(Cell(6, 1), QByteArray("6"));
        EXPECT_EQ(Cell(7, 3), QByteArray("b"));
        EXPECT_EQ(msg.TakeOne().text, u"5"_s + kQuestion);
    }
}

TEST_F(clsRecordReaderTest, MissingFileIsAFailureEnd)
{
    clsScriptedMsgBox msg;
    records = clsRecords();
    const clsFormat format = Delimited(2, 1, 0);
    const clsReadResult result =
        clsRecordReader(format, records).ReadRecords(dir.filePath(u"none.csv"_s), 0);
    EXPECT_TRUE(result.bFailed);
    EXPECT_EQ(result.nCount, 0);
    EXPECT_EQ(msg.TakeOne().text, u"ファイル "_s +
                                      QDir::toNativeSeparators(dir.filePath(u"none.csv"_s)) +
                                      u" が見つかりません。"_s);
}

TEST_F(clsRecordReaderTest, UnconvertibleCharactersAreCountedAndReported)
{
    clsScriptedMsgBox msg;
    // Two emoji have no Shift-JIS code.
    const QByteArray file("a\xF0\x9F\x98\x80,\xF0\x9F\x98\x81\n");
    const clsReadResult result = Read(Delimited(2, 1, 0), file, 4);
    EXPECT_FALSE(result.bFailed);
    EXPECT_EQ(records.Text(1, 1), u"a〓"_s);
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Exclamation"_s);
    EXPECT_EQ(box.text, u"変換できない文字が 2 文字ありました。〓に置き換えて表示しています。"_s);
}

TEST_F(clsRecordReaderTest, ProgressReachesTheCallerOnLargeFiles)
{
    QByteArray file;
    for (int i = 0; i < 40000; ++i)
        file += "x,y\n";
    records = clsRecords();
    qint64 lastDone = 0;
    qint64 lastTotal = 0;
    int calls = 0;
    const clsFormat format = Delimited(2, 1, 0);
    clsRecordReader reader(format, records, [&](qint64 done, qint64 total) {
        ++calls;
        EXPECT_GT(done, lastDone);
        lastDone = done;
        lastTotal = total;
    });
    EXPECT_EQ(reader.ReadRecords(Write(file), 1).nCount, 40000);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(lastTotal, 40000);
}
