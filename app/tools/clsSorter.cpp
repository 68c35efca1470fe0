// Merge sort of numeric keys and byte-order sort of string keys over a document's rows.
#include "clsSorter.h"

#include "clsCellNumber.h"
#include "clsDocument.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// A row's key, read once before the merges.
struct clsKey
{
    clsCellNumber::Kind kind = clsCellNumber::Empty;
    double dValue = 0;
};

class clsMerge
{
public:
    clsMerge(std::vector<clsKey> aKeys, bool bAscending)
        : keys(std::move(aKeys)), ascending(bAscending)
    {}

    void Sort(std::vector<int>& rows)
    {
        temp.resize((rows.size() + 1) / 2 + 1);
        if (!rows.empty())
            Sort(rows, 0, rows.size() - 1);
    }

private:
    bool TakeLeft(int left, int right) const
    {
        const clsKey& l = keys[static_cast<size_t>(left - 1)];
        const clsKey& r = keys[static_cast<size_t>(right - 1)];
        const bool lNumber = l.kind == clsCellNumber::Value || l.kind == clsCellNumber::Overflow;
        const bool rNumber = r.kind == clsCellNumber::Value || r.kind == clsCellNumber::Overflow;
        if (!lNumber || !rNumber)
            return false;
        // A number beyond its type cannot be compared: the left one goes first.
        const bool take = l.kind == clsCellNumber::Overflow || r.kind == clsCellNumber::Overflow ||
                          l.dValue < r.dValue;
        return ascending ? take : !take;
    }

    void Sort(std::vector<int>& rows, size_t lo, size_t hi)
    {
        if (lo >= hi)
            return;
        const size_t mid = lo + (hi - lo) / 2;
        Sort(rows, lo, mid);
        Sort(rows, mid + 1, hi);
        const size_t m = mid - lo + 1;
        std::copy(rows.begin() + static_cast<std::ptrdiff_t>(lo),
                  rows.begin() + static_cast<std::ptrdiff_t>(mid + 1), temp.begin());
        size_t i = mid + 1;
        size_t j = 0;
        size_t w = lo;
        while (i <= hi && j < m) {
            if (TakeLeft(temp[j], rows[i]))
                rows[w++] = temp[j++];
            else
                rows[w++] = rows[i++];
        }
        while (j < m)
            rows[w++] = temp[j++];
    }

    std::vector<clsKey> keys;
    bool ascending;
    std::vector<int> temp;
};

std::vector<int> Identity(int lnRows)
{
    std::vector<int> order(static_cast<size_t>(lnRows));
    for (int row = 1; row <= lnRows; ++row)
        order[static_cast<size_t>(row - 1)] = row;
    return order;
}

} // namespace

std::vector<int> clsSorter::NumericOrder(const clsDocument& document, int lnCol, int memType,
                                         bool bAscending)
{
    const clsRecords& records = document.Records();
    std::vector<clsKey> keys(static_cast<size_t>(records.RowCount()));
    for (int row = 1; row <= records.RowCount(); ++row) {
        const clsCellNumber number = clsCellNumber::Parse(records.Cell(row, lnCol), memType);
        keys[static_cast<size_t>(row - 1)] = {number.kind, number.dValue};
    }
    std::vector<int> order = Identity(records.RowCount());
    clsMerge(std::move(keys), bAscending).Sort(order);
    return order;
}

std::vector<int> clsSorter::StringOrder(const clsDocument& document, int lnCol, bool bAscending)
{
    const clsRecords& records = document.Records();
    // Each key travels with its row number, so a comparison touches no second array.
    std::vector<std::pair<std::string_view, int>> keys(static_cast<size_t>(records.RowCount()));
    for (int row = 1; row <= records.RowCount(); ++row) {
        const QByteArrayView cell = records.Cell(row, lnCol);
        keys[static_cast<size_t>(row - 1)] = {
            std::string_view(cell.data(), static_cast<size_t>(cell.size())), row};
    }
    // Unsigned bytes, as Shift-JIS orders kana after ASCII: the character traits of char
    // compare that way, and through memcmp.
    using clsEntry = std::pair<std::string_view, int>;
    if (bAscending)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const clsEntry& a, const clsEntry& b) { return a.first < b.first; });
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [](const clsEntry& a, const clsEntry& b) { return b.first < a.first; });
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].second;
    return order;
}
