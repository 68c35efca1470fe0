// Redo and undo of each kind of document step.
#include "clsEditCommands.h"

#include "clsDocument.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

clsEditCommand::clsEditCommand(clsDocument& document, const QString& szText)
    : QUndoCommand(szText), doc(document), emptyBefore(document.bEmpty())
{}

void clsEditCommand::PutRows(const std::vector<int>& aRows, const std::vector<std::string>& aImages,
                             bool bMark)
{
    doc.PutRows(aRows, aImages, bMark);
}

void clsEditCommand::PutInsert(int lnRow, const std::vector<std::string>& aImages, bool bMark)
{
    doc.PutInsert(lnRow, aImages, bMark);
}

void clsEditCommand::PutRemove(int lnRow, int lnCount)
{
    doc.PutRemove(lnRow, lnCount);
}

void clsEditCommand::PutMove(int lnRow, int lnCount, int lnDest)
{
    doc.PutMove(lnRow, lnCount, lnDest);
}

void clsEditCommand::PutOrder(const std::vector<int>& aOrder)
{
    doc.PutOrder(aOrder);
}

void clsEditCommand::PutMarks(int lnTop, const std::vector<bool>& aMarks)
{
    doc.PutMarks(lnTop, aMarks);
}

void clsEditCommand::PutAll(const std::vector<std::string>& aImages, bool bMark)
{
    doc.PutAll(aImages, bMark);
}

void clsEditCommand::PutAll(const std::function<void()>& change)
{
    doc.PutAll(change);
}

bool clsEditCommand::LeavingSaved(bool bUndo) const
{
    return doc.LeavingSaved(bUndo);
}

std::string clsEditCommand::RowImage(int lnRow) const
{
    return doc.records.RowImage(lnRow);
}

std::vector<bool> clsEditCommand::Marks(int lnTop, int lnCount) const
{
    std::vector<bool> marks;
    marks.reserve(static_cast<size_t>(lnCount));
    for (int row = lnTop; row < lnTop + lnCount; ++row)
        marks.push_back(doc.records.Marked(row));
    return marks;
}

void clsEditCommand::RestoreEmpty() const
{
    doc.SetEmptyState(emptyBefore);
}

void clsEditCommand::EndEmpty() const
{
    doc.SetEmptyState(false);
}

clsSetRowsCommand::clsSetRowsCommand(clsDocument& document, const QString& szText,
                                     std::vector<int> aRows, std::function<void()> change)
    : clsEditCommand(document, szText), rows(std::move(aRows)), firstChange(std::move(change))
{
    before.reserve(rows.size());
    for (const int row : rows)
        before.push_back(RowImage(row));
}

void clsSetRowsCommand::redo()
{
    EndEmpty();
    if (firstChange) {
        // The first time the change itself runs; afterwards its result is put back.
        firstChange();
        firstChange = nullptr;
        after.reserve(rows.size());
        for (const int row : rows)
            after.push_back(RowImage(row));
        PutRows(rows, {}, true);
        return;
    }
    PutRows(rows, after, true);
}

void clsSetRowsCommand::undo()
{
    RestoreEmpty();
    PutRows(rows, before, LeavingSaved(true));
}

clsSetAllRowsCommand::clsSetAllRowsCommand(clsDocument& document, const QString& szText,
                                           std::function<void()> change)
    : clsEditCommand(document, szText), firstChange(std::move(change))
{
    before.reserve(static_cast<size_t>(doc.RowCount()));
    for (int row = 1; row <= doc.RowCount(); ++row)
        before.push_back(RowImage(row));
}

void clsSetAllRowsCommand::redo()
{
    EndEmpty();
    if (firstChange) {
        PutAll(firstChange);
        firstChange = nullptr;
        after.reserve(static_cast<size_t>(doc.RowCount()));
        for (int row = 1; row <= doc.RowCount(); ++row)
            after.push_back(RowImage(row));
        return;
    }
    PutAll(after, true);
}

void clsSetAllRowsCommand::undo()
{
    RestoreEmpty();
    PutAll(before, LeavingSaved(true));
}

clsInsertRowsCommand::clsInsertRowsCommand(clsDocument& document, int lnRow, int lnCount)
    : clsEditCommand(document, u"行挿入"_s), row(lnRow), count(lnCount)
{}

void clsInsertRowsCommand::redo()
{
    PutInsert(row, std::vector<std::string>(static_cast<size_t>(count)), false);
}

void clsInsertRowsCommand::undo()
{
    PutRemove(row, count);
}

clsRemoveRowsCommand::clsRemoveRowsCommand(clsDocument& document, int lnRow, int lnCount)
    : clsEditCommand(document, u"行削除"_s), row(lnRow)
{
    images.reserve(static_cast<size_t>(lnCount));
    for (int r = lnRow; r < lnRow + lnCount; ++r)
        images.push_back(RowImage(r));
}

void clsRemoveRowsCommand::redo()
{
    PutRemove(row, static_cast<int>(images.size()));
}

void clsRemoveRowsCommand::undo()
{
    PutInsert(row, images, LeavingSaved(true));
}

clsMoveRowsCommand::clsMoveRowsCommand(clsDocument& document, int lnRow, int lnCount, int lnDest)
    : clsEditCommand(document, u"行移動"_s), row(lnRow), count(lnCount), dest(lnDest)
{
    marksBefore = Marks(SpanTop(), SpanCount());
}

int clsMoveRowsCommand::SpanTop() const
{
    return std::min(row, dest);
}

int clsMoveRowsCommand::SpanCount() const
{
    return std::max(row + count, dest) - SpanTop();
}

void clsMoveRowsCommand::redo()
{
    EndEmpty();
    PutMove(row, count, dest);
    PutMarks(SpanTop(), std::vector<bool>(static_cast<size_t>(SpanCount()), true));
}

void clsMoveRowsCommand::undo()
{
    RestoreEmpty();
    // The moved rows stand at their destination now; they go back before the row that
    // followed them.
    if (dest < row)
        PutMove(dest, count, row + count);
    else
        PutMove(dest - count, count, row);
    if (LeavingSaved(true))
        PutMarks(SpanTop(), std::vector<bool>(static_cast<size_t>(SpanCount()), true));
    else
        PutMarks(SpanTop(), marksBefore);
}

clsReorderRowsCommand::clsReorderRowsCommand(clsDocument& document, const QString& szText,
                                             std::vector<int> aOrder)
    : clsEditCommand(document, szText), order(std::move(aOrder)), inverse(order.size())
{
    for (size_t i = 0; i < order.size(); ++i)
        inverse[static_cast<size_t>(order[i] - 1)] = static_cast<int>(i) + 1;
}

void clsReorderRowsCommand::redo()
{
    PutOrder(order);
}

void clsReorderRowsCommand::undo()
{
    PutOrder(inverse);
}
