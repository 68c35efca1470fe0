// The row orders of a sort by one column: numeric members by a merge sort, strings by bytes.
#pragma once

#include <vector>

class clsDocument;

// Works out the order of a document's rows sorted by one column; the document applies it as
// one undoable step.
class clsSorter
{
public:
    // The order (row numbers from 1) of the rows sorted by column lnCol of member type
    // memType. Numeric keys follow the merge-sort rules: ascending takes the left element
    // only when strictly smaller, a key that is not a number puts the right element first in
    // both directions, and a number that does not fit its type lets the left one go first.
    static std::vector<int> NumericOrder(const clsDocument& document, int lnCol, int memType,
                                         bool bAscending);
    // The order of a string column: by the cells' Shift-JIS bytes, equal keys in their order.
    static std::vector<int> StringOrder(const clsDocument& document, int lnCol, bool bAscending);
};
