// The compact record store: cells, row structure, change marks and compaction.
#include "clsRecords.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

clsRecords ThreeRows()
{
    clsRecords records;
    for (const char* name : {"a", "b", "c"}) {
        records.AddCell(QByteArrayView(name));
        records.AddCell(QByteArrayView("x"));
        records.EndRow();
    }
    return records;
}

QByteArray Column1(const clsRecords& records)
{
    QByteArray names;
    for (int row = 1; row <= records.RowCount(); ++row)
        names += records.Cell(row, 1).toByteArray() + '|';
    return names;
}

} // namespace

TEST(clsRecords, CellsOfBuiltRows)
{
    clsRecords records;
    records.AddCell(QByteArrayView("\x93\xFA\x96\x7B"));
    records.AddCell({});
    records.AddCell(QByteArrayView("tail"));
    records.EndRow();
    records.EndRow();
    ASSERT_EQ(records.RowCount(), 2);
    EXPECT_EQ(records.Text(1, 1), u"日本"_s);
    EXPECT_TRUE(records.Cell(1, 2).isEmpty());
    EXPECT_EQ(records.Cell(1, 3), QByteArrayView("tail"));
    // Outside the row's cells, the sheet or the rows: empty, never a crash.
    EXPECT_TRUE(records.Cell(1, 4).isEmpty());
    EXPECT_TRUE(records.Cell(2, 1).isEmpty());
    EXPECT_TRUE(records.Cell(3, 1).isEmpty());
    EXPECT_TRUE(records.Cell(0, 1).isEmpty());
}

TEST(clsRecords, SetCellKeepsTheOtherCells)
{
    clsRecords records = ThreeRows();
    records.SetText(2, 2, u"表示"_s);
    EXPECT_EQ(records.Cell(2, 2), QByteArrayView("\x95\x5C\x8E\xA6"));
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView("b"));
    // A cell past the row's end pads the row with empty cells.
    records.SetText(1, 5, u"e"_s);
    EXPECT_EQ(records.Cell(1, 1), QByteArrayView("a"));
    EXPECT_TRUE(records.Cell(1, 4).isEmpty());
    EXPECT_EQ(records.Cell(1, 5), QByteArrayView("e"));
    // A text holding a NUL keeps what comes before it, as Skiff would.
    records.SetCell(3, 1, QByteArrayView("ok\0rest", 7));
    EXPECT_EQ(records.Cell(3, 1), QByteArrayView("ok"));
    EXPECT_EQ(records.Cell(3, 2), QByteArrayView("x"));
}

TEST(clsRecords, RowCountInsertRemoveMove)
{
    clsRecords records = ThreeRows();
    records.InsertRows(2, 2);
    EXPECT_EQ(Column1(records), QByteArray("a|||b|c|"));
    records.InsertRows(6, 1);
    EXPECT_EQ(Column1(records), QByteArray("a|||b|c||"));
    records.RemoveRows(2, 2);
    EXPECT_EQ(Column1(records), QByteArray("a|b|c||"));
    // Down: row 1 before row 4; up: row 3 before row 1.
    records.MoveRows(1, 1, 4);
    EXPECT_EQ(Column1(records), QByteArray("b|c|a||"));
    records.MoveRows(3, 1, 1);
    EXPECT_EQ(Column1(records), QByteArray("a|b|c||"));
    // Moves onto themselves and out of range change nothing.
    records.MoveRows(2, 1, 2);
    records.MoveRows(2, 1, 3);
    records.MoveRows(4, 2, 1);
    EXPECT_EQ(Column1(records), QByteArray("a|b|c||"));
    records.SetRowCount(2);
    EXPECT_EQ(Column1(records), QByteArray("a|b|"));
    records.SetRowCount(20);
    EXPECT_EQ(records.RowCount(), 20);
    EXPECT_TRUE(records.Cell(20, 1).isEmpty());
}

TEST(clsRecords, MarksFollowTheirRows)
{
    clsRecords records = ThreeRows();
    records.SetMarked(3, true);
    records.SetText(3, 1, u"changed"_s);
    EXPECT_TRUE(records.Marked(3));
    records.MoveRows(3, 1, 1);
    EXPECT_TRUE(records.Marked(1));
    EXPECT_FALSE(records.Marked(3));
    EXPECT_EQ(records.Cell(1, 1), QByteArrayView("changed"));
    records.ClearMarks();
    EXPECT_FALSE(records.Marked(1));
}

TEST(clsRecords, RepeatedEditsAreCompacted)
{
    clsRecords records = ThreeRows();
    const QByteArray big(1 << 20, 'z');
    for (int i = 0; i < 70; ++i)
        records.SetCell(2, 1, big);
    // Without compaction 70 MiB would be written and kept; with it only one copy stays.
    EXPECT_LT(records.UsedBytes(), int64_t{40} << 20);
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView(big));
    EXPECT_EQ(Column1(records).size(), big.size() + 5);
    EXPECT_EQ(records.Cell(1, 2), QByteArrayView("x"));
}

TEST(clsRecords, CellsWrittenInPlaceAreTheSameAsAddedOnes)
{
    clsRecords added;
    clsRecords inPlace;
    const QByteArray cells[] = {"\x93\xFA\x96\x7B", "", QByteArray(5000, 'w'), "end"};
    for (const QByteArray& cell : cells) {
        added.AddCell(cell);
        // Room for more than the cell: only the committed length counts.
        char* space = inPlace.CellSpace(static_cast<size_t>(cell.size()) + 10);
        std::memcpy(space, cell.constData(), static_cast<size_t>(cell.size()));
        inPlace.CommitCell(static_cast<size_t>(cell.size()));
    }
    added.EndRow();
    inPlace.EndRow();
    inPlace.CellSpace(8);
    inPlace.DropRow();
    EXPECT_EQ(inPlace.RowCount(), 1);
    EXPECT_EQ(inPlace.RowImage(1), added.RowImage(1));
    EXPECT_EQ(inPlace.UsedBytes(), added.UsedBytes());
}

TEST(clsRecords, RowCellsGivesEachCellOnceThenEmpty)
{
    clsRecords records = ThreeRows();
    records.SetCell(2, 4, QByteArrayView("d"));
    clsRecords::CellCursor cells = records.RowCells(2);
    EXPECT_EQ(cells.Next(), QByteArrayView("b"));
    EXPECT_EQ(cells.Next(), QByteArrayView("x"));
    EXPECT_EQ(cells.Next(), QByteArrayView(""));
    EXPECT_EQ(cells.Next(), QByteArrayView("d"));
    EXPECT_TRUE(cells.Next().isEmpty());
    EXPECT_TRUE(cells.Next().isEmpty());
    records.InsertRows(4, 1);
    EXPECT_TRUE(records.RowCells(4).Next().isEmpty());
    EXPECT_TRUE(records.RowCells(9).Next().isEmpty());
}

TEST(clsRecords, ReservedBlockHoldsTheRowsAndLaterRowsGoOnAfterIt)
{
    clsRecords records;
    records.ReserveBytes(int64_t{20} << 20);
    for (int i = 0; i < 100000; ++i) {
        records.AddCell(QByteArray::number(i));
        records.AddCell(QByteArray(90, static_cast<char>('a' + i % 26)));
        records.EndRow();
    }
    records.EndReserve();
    // Past the reserved block's rows, new rows go into blocks of their own.
    for (int i = 100000; i < 100010; ++i) {
        records.AddCell(QByteArray::number(i));
        records.EndRow();
    }
    ASSERT_EQ(records.RowCount(), 100010);
    for (int row : {1, 50000, 100000}) {
        EXPECT_EQ(records.Cell(row, 1), QByteArray::number(row - 1));
        EXPECT_EQ(records.Cell(row, 2), QByteArray(90, static_cast<char>('a' + (row - 1) % 26)));
    }
    EXPECT_EQ(records.Cell(100010, 1), QByteArrayView("100009"));
    records.SetCell(7, 1, QByteArrayView("edited"));
    EXPECT_EQ(records.Cell(7, 1), QByteArrayView("edited"));
    EXPECT_EQ(records.Cell(8, 1), QByteArrayView("7"));
}

TEST(clsRecords, RecordsMovedOrAssignedWhileReservingStayWhole)
{
    clsRecords records;
    records.ReserveBytes(int64_t{40} << 20);
    records.AddCell(QByteArrayView("kept"));
    records.EndRow();
    clsRecords moved(std::move(records));
    EXPECT_EQ(moved.Cell(1, 1), QByteArrayView("kept"));
    // Assigning over records still reserving ends their reservation first.
    moved = ThreeRows();
    EXPECT_EQ(Column1(moved), QByteArray("a|b|c|"));
}

TEST(clsRecords, RowsOfTheFirstRowsWidthsCostOnlyTheirCells)
{
    clsRecords records;
    records.AddCell(QByteArrayView("ab"));
    records.AddCell(QByteArrayView("cde"));
    records.EndRow();
    const int64_t first = records.UsedBytes();
    records.AddCell(QByteArrayView("xy"));
    records.AddCell(QByteArrayView("123"));
    records.EndRow();
    EXPECT_EQ(records.UsedBytes() - first, 5);
    // Same bytes, other widths; one cell more: kept as they are all the same.
    records.AddCell(QByteArrayView("x"));
    records.AddCell(QByteArrayView("1234"));
    records.EndRow();
    records.AddCell(QByteArrayView("ab"));
    records.AddCell(QByteArrayView("cd"));
    records.AddCell({});
    records.EndRow();
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView("xy"));
    EXPECT_EQ(records.Cell(2, 2), QByteArrayView("123"));
    EXPECT_TRUE(records.Cell(2, 3).isEmpty());
    EXPECT_EQ(records.Cell(3, 1), QByteArrayView("x"));
    EXPECT_EQ(records.Cell(3, 2), QByteArrayView("1234"));
    EXPECT_EQ(records.Cell(4, 2), QByteArrayView("cd"));
    EXPECT_EQ(records.RowImage(2), std::string("\0xy\0"
                                               "123\0",
                                               8));
    clsRecords::CellCursor cells = records.RowCells(2);
    EXPECT_EQ(cells.Rest(), QByteArrayView("xy123"));
    EXPECT_EQ(cells.Next(), QByteArrayView("xy"));
    EXPECT_EQ(cells.Next(), QByteArrayView("123"));
    EXPECT_TRUE(cells.Next().isEmpty());
    EXPECT_TRUE(cells.Rest().isEmpty());
}

TEST(clsRecords, EditingARowOfTheFirstRowsWidthsKeepsItsOtherCells)
{
    clsRecords records = ThreeRows();
    const std::string before = records.RowImage(2);
    records.SetCell(2, 1, QByteArrayView("longer"));
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView("longer"));
    EXPECT_EQ(records.Cell(2, 2), QByteArrayView("x"));
    EXPECT_TRUE(records.Edited(2, 1));
    EXPECT_FALSE(records.Edited(2, 2));
    EXPECT_FALSE(records.Edited(3, 1));
    records.SetRowImage(2, before);
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView("b"));
    EXPECT_FALSE(records.Edited(2, 1));
    EXPECT_EQ(records.RowImage(2), before);
}

TEST(clsRecords, ReorderMovesCellsAndLeavesMarks)
{
    clsRecords records = ThreeRows();
    records.SetMarked(1, true);
    records.SetText(3, 2, u"y"_s);
    records.Reorder({3, 1, 2});
    EXPECT_EQ(Column1(records), QByteArray("c|a|b|"));
    EXPECT_EQ(records.Cell(1, 2), QByteArrayView("y"));
    EXPECT_TRUE(records.Edited(1, 2));
    EXPECT_TRUE(records.Marked(1));
    EXPECT_FALSE(records.Marked(2));
}

TEST(clsRecords, CompactionKeepsEveryKindOfRow)
{
    clsRecords records = ThreeRows();
    records.SetMarked(3, true);
    const QByteArray big(1 << 20, 'z');
    for (int i = 0; i < 40; ++i)
        records.SetCell(1, 1, big);
    EXPECT_LT(records.UsedBytes(), int64_t{32} << 20);
    EXPECT_EQ(records.Cell(1, 1), QByteArrayView(big));
    EXPECT_EQ(records.Cell(3, 1), QByteArrayView("c"));
    EXPECT_EQ(records.Cell(3, 2), QByteArrayView("x"));
    EXPECT_TRUE(records.Marked(3));
}

TEST(clsRecords, RowsPastSixteenMebibytesOfOneBlockAreFound)
{
    clsRecords records;
    records.ReserveBytes(int64_t{24} << 20);
    const QByteArray filler(1000, 'f');
    for (int i = 0; i < 20000; ++i) {
        records.AddCell(QByteArray::number(i));
        records.AddCell(filler);
        records.EndRow();
    }
    records.EndReserve();
    for (int row : {1, 10000, 16800, 20000}) {
        EXPECT_EQ(records.Cell(row, 1), QByteArray::number(row - 1));
        EXPECT_EQ(records.Cell(row, 2), QByteArrayView(filler));
    }
}

TEST(clsRecords, RowsNearTheFirstRowsWidthsCostHalfAByteACell)
{
    clsRecords records;
    for (const char* cell : {"12345678", "abc", "x"})
        records.AddCell(QByteArrayView(cell));
    records.EndRow();
    int64_t used = records.UsedBytes();
    // Seven more, eight fewer and one fewer bytes than the first row's cells.
    for (const char* cell : {"123456789012345", "", ""})
        records.AddCell(QByteArrayView(cell));
    records.EndRow();
    EXPECT_EQ(records.UsedBytes() - used, 2 + 15);
    used = records.UsedBytes();
    // Eight more bytes in one cell: too far from the first row, kept with NULs.
    for (const char* cell : {"1234567890123456", "", ""})
        records.AddCell(QByteArrayView(cell));
    records.EndRow();
    EXPECT_GT(records.UsedBytes() - used, 2 + 16);
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView("123456789012345"));
    EXPECT_TRUE(records.Cell(2, 2).isEmpty());
    EXPECT_TRUE(records.Cell(2, 4).isEmpty());
    EXPECT_EQ(records.Cell(3, 1), QByteArrayView("1234567890123456"));
    EXPECT_EQ(records.RowImage(2), std::string("\0"
                                               "123456789012345\0\0\0",
                                               19));
    clsRecords::CellCursor cells = records.RowCells(2);
    EXPECT_EQ(cells.Rest(), QByteArrayView("123456789012345"));
    EXPECT_EQ(cells.Next(), QByteArrayView("123456789012345"));
    EXPECT_TRUE(cells.Next().isEmpty());
    EXPECT_TRUE(cells.Next().isEmpty());
    EXPECT_TRUE(cells.Rest().isEmpty());
    records.SetCell(2, 3, QByteArrayView("z"));
    EXPECT_EQ(records.Cell(2, 1), QByteArrayView("123456789012345"));
    EXPECT_EQ(records.Cell(2, 3), QByteArrayView("z"));
    EXPECT_TRUE(records.Edited(2, 3));
}

TEST(clsRecords, UndoneRowImagesComeBackWhole)
{
    clsRecords records = ThreeRows();
    records.AddCell(QByteArrayView("dd"));
    records.AddCell({});
    records.EndRow();
    std::vector<std::string> images;
    for (int row = 1; row <= 4; ++row)
        images.push_back(records.RowImage(row));
    records.RemoveRows(1, 4);
    records.InsertRowImages(1, images);
    EXPECT_EQ(Column1(records), QByteArray("a|b|c|dd|"));
    EXPECT_EQ(records.Cell(4, 2), QByteArrayView(""));
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(records.RowImage(row), images[static_cast<size_t>(row - 1)]);
}
