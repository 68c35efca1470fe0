// The distinct values of every column of a document, optionally with their frequencies.
#pragma once

#include <QByteArray>

#include <vector>

class clsDocument;

// Lists per column the cell texts that are not blank, each once, in the order they first
// appear (compared exactly: case and spaces count). With counting, each entry reads
// count:value, the most frequent first and equal counts in order of first appearance.
class clsUniqueList
{
public:
    // The rows a new document gets when no column has two distinct values.
    static constexpr int kDefaultRows = 20;

    // lnColumns columns from 1; the entries are Shift-JIS cell texts.
    static clsUniqueList Build(const clsDocument& document, int lnColumns, bool bCount);

    // The entries of column lnCol (from 1).
    const std::vector<QByteArray>& Column(int lnCol) const
    {
        return columns[static_cast<size_t>(lnCol - 1)];
    }
    int ColumnCount() const { return static_cast<int>(columns.size()); }
    // The rows the list needs: the longest column's length once that reaches 2, else
    // kDefaultRows.
    int RowCount() const { return rows; }

private:
    std::vector<std::vector<QByteArray>> columns;
    int rows = kDefaultRows;
};
