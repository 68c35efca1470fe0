// Validation against the format: each kind of problem in each file type, and the limits.
#include "clsFormat.h"
#include "clsRecords.h"
#include "clsValidator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

enum : int { Short = 1, Long = 2, Single = 3, Double = 4, String = 5 };

// Members named m1, m2, ... with the given types; strings take the width given.
clsFormat Format(int fileType, const std::vector<std::pair<int, int>>& members)
{
    static constexpr int kBytes[] = {0, 2, 4, 4, 8};
    clsFormat format;
    format.FileType = fileType;
    format.CareQuote = 1;
    for (const auto& [type, width] : members) {
        clsMember* member = format.AddMember();
        member->MemName = u"m"_s + QString::number(format.MemCount());
        member->MemType = type;
        member->MemLen = width;
        member->MemLenB = type == String ? width : kBytes[type];
    }
    return format;
}

class clsValidatorTest : public ::testing::Test
{
protected:
    QString Put(const QByteArray& bytes)
    {
        const QString path = dir.filePath(u"data"_s + QString::number(++files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // The problem lines of a check of the whole file.
    QStringList Check(const clsFormat& format, const QByteArray& bytes, int charSet = 0)
    {
        clsValidator validator(format, 0, false);
        EXPECT_TRUE(validator.CheckFile(Put(bytes), charSet)) << validator.Error().toStdString();
        QStringList lines;
        for (const clsProblem& problem : validator.Problems())
            lines.append(validator.ProblemLine(problem));
        return lines;
    }

    QTemporaryDir dir;
    int files = 0;
};

TEST_F(clsValidatorTest, FittingDelimitedFileHasNoProblem)
{
    const clsFormat format = Format(1, {{String, 4}, {Short, 0}, {Double, 0}});
    EXPECT_TRUE(Check(format, "ab,1,2.5\r\ncd,-3,1e10\r\n").isEmpty());
}

TEST_F(clsValidatorTest, DelimitedFieldCount)
{
    const clsFormat format = Format(1, {{String, 4}, {String, 4}});
    EXPECT_EQ(Check(format, "a,b\r\na\r\na,b,c\r\n"),
              QStringList({u"2\t-\t項目数が 1 です (フォーマットは 2)"_s,
                           u"3\t-\t項目数が 3 です (フォーマットは 2)"_s}));
}

TEST_F(clsValidatorTest, DelimitedNotANumber)
{
    const clsFormat format = Format(1, {{Long, 0}, {Double, 0}});
    EXPECT_EQ(
        Check(format, "12x,1.5\r\n3,abc\r\n"),
        QStringList({u"1\tm1\t数値ではありません: 12x"_s, u"2\tm2\t数値ではありません: abc"_s}));
}

TEST_F(clsValidatorTest, DelimitedNumbersOutOfTheirType)
{
    const clsFormat format = Format(1, {{Short, 0}, {Long, 0}, {Single, 0}, {Double, 0}});
    const QStringList lines =
        Check(format, "32767,2147483647,3e38,1e308\r\n32768,2147483648,4e38,1e309\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], u"2\tm1\t16bit整数の範囲を超えています: 32768"_s);
    EXPECT_EQ(lines[1], u"2\tm2\t32bit整数の範囲を超えています: 2147483648"_s);
    EXPECT_EQ(lines[2], u"2\tm3\t32bit浮動小数の範囲を超えています: 4e38"_s);
    EXPECT_EQ(lines[3], u"2\tm4\t64bit浮動小数の範囲を超えています: 1e309"_s);
}

TEST_F(clsValidatorTest, DelimitedStringLongerThanItsWidthInShiftJis)
{
    const clsFormat format = Format(1, {{String, 4}});
    // Two kanji fit four bytes; three do not.
    EXPECT_EQ(Check(format, "\x93\xFA\x96\x7B\r\n\x93\xFA\x96\x7B\x8C\xEA\r\n"),
              QStringList({u"2\tm1\t長さが 6 バイトです (最大 4 バイト)"_s}));
}

TEST_F(clsValidatorTest, DelimitedSubstitutionInUtf8File)
{
    clsFormat format = Format(1, {{String, 10}, {String, 10}});
    // A stray continuation byte in the second field of the second line.
    EXPECT_EQ(Check(format,
                    "a,b\nc,\x80"
                    "d\n",
                    4),
              QStringList({u"2\tm2\t変換できない文字が〓に置き換えられています"_s}));
}

TEST_F(clsValidatorTest, GetaInShiftJisFileIsNoSubstitution)
{
    const clsFormat format = Format(1, {{String, 10}});
    EXPECT_TRUE(Check(format, "\x81\xAC\r\n").isEmpty());
}

TEST_F(clsValidatorTest, UnquotedDelimitedFileSplitsAsTheReaderDoes)
{
    clsFormat format = Format(1, {{String, 4}, {Short, 0}});
    format.CareQuote = 0;
    format.SepChr = u"\t"_s;
    EXPECT_EQ(Check(format, "a\t1\nb\tx\n"), QStringList({u"2\tm2\t数値ではありません: x"_s}));
}

TEST_F(clsValidatorTest, FixedLineLength)
{
    const clsFormat format = Format(2, {{String, 3}, {String, 2}});
    EXPECT_EQ(Check(format, "abcde\r\nabcd\r\nabcdef\r\n"),
              QStringList({u"2\t-\t行の長さが 4 バイトです (レコード長は 5 バイト)"_s,
                           u"3\t-\t行の長さが 6 バイトです (レコード長は 5 バイト)"_s}));
}

TEST_F(clsValidatorTest, FixedNumberAndSubstitution)
{
    clsFormat format = Format(2, {{String, 4}, {String, 2}});
    format.Members(2)->MemType = Short;
    // EUC: a lone lead byte in the first field, a letter in the number.
    EXPECT_EQ(Check(format, "ab\xC6 12\nabcd1x\n", 3),
              QStringList({u"1\tm1\t変換できない文字が〓に置き換えられています"_s,
                           u"2\tm2\t数値ではありません: 1x"_s}));
}

QByteArray BinaryRecord(int16_t count, double value, const char* label)
{
    QByteArray record;
    record.append(reinterpret_cast<const char*>(&count), 2);
    record.append(reinterpret_cast<const char*>(&value), 8);
    record.append(label, 4);
    return record;
}

TEST_F(clsValidatorTest, BinaryPartialRecord)
{
    const clsFormat format = Format(3, {{Short, 0}, {Double, 0}, {String, 4}});
    const QByteArray bytes = BinaryRecord(1, 2.0, "abcd") + BinaryRecord(2, 3.0, "efgh") + "xyz";
    EXPECT_EQ(
        Check(format, bytes),
        QStringList(
            {u"3\t-\tファイルの末尾の 3 バイトはレコードになりません (レコード長は 14 バイト)"_s}));
}

TEST_F(clsValidatorTest, BinaryNotANumberAndSubstitution)
{
    const clsFormat format = Format(3, {{Short, 0}, {Double, 0}, {String, 4}});
    const QByteArray bytes =
        BinaryRecord(1, std::numeric_limits<double>::quiet_NaN(), "abcd") + BinaryRecord(2, 1.0,
                                                                                         "a\x80"
                                                                                         "cd");
    EXPECT_EQ(Check(format, bytes, 4),
              QStringList({u"1\tm2\t数値ではありません"_s,
                           u"2\tm3\t変換できない文字が〓に置き換えられています"_s}));
}

TEST_F(clsValidatorTest, BinaryHeaderIsSkipped)
{
    clsFormat format = Format(3, {{Short, 0}});
    format.BytesSkipHeader = 3;
    EXPECT_TRUE(Check(format, QByteArray("hdr\x01\x00\x02\x00", 7)).isEmpty());
}

TEST_F(clsValidatorTest, StopsAtTheLimit)
{
    const clsFormat format = Format(1, {{Short, 0}});
    clsValidator validator(format, 2, true);
    ASSERT_TRUE(validator.CheckFile(Put("a\nb\nc\nd\n"), 0));
    EXPECT_EQ(validator.Problems().size(), 2u);
    EXPECT_TRUE(validator.Stopped());
    EXPECT_EQ(validator.Checked(), 2);
}

TEST_F(clsValidatorTest, KeepsTheFirstAndCountsAll)
{
    const clsFormat format = Format(1, {{Short, 0}});
    clsValidator validator(format, 2, false);
    ASSERT_TRUE(validator.CheckFile(Put("a\nb\nc\nd\n"), 0));
    EXPECT_EQ(validator.Problems().size(), 2u);
    EXPECT_EQ(validator.Total(), 4);
    EXPECT_EQ(validator.SummaryLine(), u"# 4 件のレコードを検査しました。問題 4 件。"_s);
}

TEST_F(clsValidatorTest, MissingFileIsNamed)
{
    const clsFormat format = Format(1, {{Short, 0}});
    clsValidator validator(format, 0, false);
    const QString path = dir.filePath(u"missing.csv"_s);
    EXPECT_FALSE(validator.CheckFile(path, 0));
    EXPECT_TRUE(validator.Error().contains(path));
}

TEST_F(clsValidatorTest, DocumentRecordsAreChecked)
{
    const clsFormat format = Format(1, {{String, 2}, {Long, 0}});
    clsRecords records;
    for (const char* cells : {"ab\0"
                              "12",
                              "abc\0"
                              "x",
                              "\x81\xAC\0"
                              "1"}) {
        records.AddCell(QByteArrayView(cells, static_cast<qsizetype>(std::strlen(cells))));
        const char* second = cells + std::strlen(cells) + 1;
        records.AddCell(QByteArrayView(second, static_cast<qsizetype>(std::strlen(second))));
        records.EndRow();
    }
    clsValidator validator(format, 0, false);
    validator.CheckRecords(records, true);
    QStringList lines;
    for (const clsProblem& problem : validator.Problems())
        lines.append(validator.ProblemLine(problem));
    EXPECT_EQ(lines, QStringList({u"2\tm1\t長さが 3 バイトです (最大 2 バイト)"_s,
                                  u"2\tm2\t数値ではありません: x"_s,
                                  u"3\tm1\t変換できない文字が〓に置き換えられています"_s}));
}

} // namespace
