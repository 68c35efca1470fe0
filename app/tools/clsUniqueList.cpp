// Distinct values by hashing each column's texts once.
#include "clsUniqueList.h"

#include "clsDocument.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

bool Blank(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

} // namespace

clsUniqueList clsUniqueList::Build(const clsDocument& document, int lnColumns, bool bCount)
{
    const clsRecords& records = document.Records();
    clsUniqueList list;
    list.columns.resize(static_cast<size_t>(std::max(lnColumns, 0)));
    int longest = 0;
    for (int col = 1; col <= lnColumns; ++col) {
        // The views point into the records, which stay as they are while the list is built.
        std::unordered_map<std::string_view, size_t> positions;
        std::vector<std::string_view> values;
        std::vector<int> counts;
        for (int row = 1; row <= records.RowCount(); ++row) {
            const QByteArrayView cell = records.Cell(row, col);
            if (Blank(cell))
                continue;
            const std::string_view key(cell.data(), static_cast<size_t>(cell.size()));
            const auto [found, added] = positions.try_emplace(key, values.size());
            if (added) {
                values.push_back(key);
                counts.push_back(1);
            } else {
                ++counts[found->second];
            }
        }
        std::vector<size_t> order(values.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        // A stable sort by descending count keeps equal counts in order of first appearance,
        // the order the merge sort of the header click gives descending keys.
        if (bCount)
            std::stable_sort(order.begin(), order.end(),
                             [&counts](size_t a, size_t b) { return counts[a] > counts[b]; });
        std::vector<QByteArray>& column = list.columns[static_cast<size_t>(col - 1)];
        column.reserve(order.size());
        for (const size_t i : order) {
            const QByteArray value(values[i].data(), static_cast<qsizetype>(values[i].size()));
            column.push_back(bCount ? QByteArray::number(counts[i]) + ':' + value : value);
        }
        longest = std::max(longest, static_cast<int>(values.size()));
    }
    list.rows = longest >= 2 ? longest : kDefaultRows;
    return list;
}
