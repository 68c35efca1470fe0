// Sorting by a column: the merge rules of numeric keys and the byte order of strings.
#include "clsDocument.h"
#include "clsSorter.h"
#include "clsSummary.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

clsDocument& WithColumn(clsDocument& document, const std::vector<const char*>& cells)
{
    clsRecords records;
    for (const char* cell : cells) {
        records.AddCell(QByteArrayView(cell));
        records.EndRow();
    }
    document.ReplaceRecords(std::move(records));
    return document;
}

std::vector<int> Numeric(const std::vector<const char*>& cells, bool bAscending, int memType = 2)
{
    clsDocument document;
    return clsSorter::NumericOrder(WithColumn(document, cells), 1, memType, bAscending);
}

} // namespace

TEST(clsSorter, NumbersSortBothWays)
{
    EXPECT_EQ(Numeric({"10", "9", "100"}, true), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(Numeric({"10", "9", "100"}, false), (std::vector<int>{3, 1, 2}));
    // Equal keys: ascending takes the right half first, descending keeps their order.
    EXPECT_EQ(Numeric({"1", "1"}, true), (std::vector<int>{2, 1}));
    EXPECT_EQ(Numeric({"1", "1"}, false), (std::vector<int>{1, 2}));
}

TEST(clsSorter, AKeyThatIsNoNumberPutsTheRightElementFirst)
{
    for (const bool ascending : {true, false}) {
        EXPECT_EQ(Numeric({"5", "x"}, ascending), (std::vector<int>{2, 1}));
        EXPECT_EQ(Numeric({"x", "5"}, ascending), (std::vector<int>{2, 1}));
    }
    // A number beyond a 16-bit integer lets the left element go first.
    EXPECT_EQ(Numeric({"70000", "1"}, true, 1), (std::vector<int>{1, 2}));
}

TEST(clsSorter, StringsSortByTheirShiftJisBytes)
{
    clsDocument document;
    // Unsigned bytes: ASCII first, then 漢 (0x8ABF), then ｱ (0xB1).
    WithColumn(document, {"\xB1", "b", "\x8A\xBF", "a"});
    EXPECT_EQ(clsSorter::StringOrder(document, 1, true), (std::vector<int>{4, 2, 3, 1}));
    EXPECT_EQ(clsSorter::StringOrder(document, 1, false), (std::vector<int>{1, 3, 2, 4}));
}

TEST(clsSummary, StatisticsOfTheSelectedCells)
{
    clsDocument document;
    WithColumn(document, {"9", "1", "2.5", "x"});
    EXPECT_EQ(clsSummary::Message(document, 1, u"qty"_s, 2, 4),
              u"qty の \r2 行目から\r\n4 行目まで(3行)の\r\n合計：\t3.50\r\n"
              u"平均：\t1.1666666667\r\n最大値：\t2.50\r\n最小値：\t1\r\n"_s);
    EXPECT_EQ(clsSummary::Format(1234567), u"1,234,567"_s);
}
