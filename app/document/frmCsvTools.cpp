// The summary of a column and sorting by a header click in the document window.
#include "clsDocument.h"
#include "clsDocumentHost.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsMessenger.h"
#include "clsSorter.h"
#include "clsSummary.h"
#include "frmCsv.h"

#include <QGuiApplication>
#include <QItemSelectionModel>

using namespace Qt::Literals::StringLiterals;

void frmCsv::Summary()
{
    const QItemSelectionModel* selection = grid->selectionModel();
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!SelectedBlock(top, left, bottom, right))
        return;
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    const bool wholeRows = selection->isRowSelected(top - 1, {});
    const bool wholeColumn = selection->isColumnSelected(left - 1, {});
    if (wholeRows && wholeColumn && top == 1 && bottom == rows && left == 1 && right == columns) {
        gMsgBox().Exclamation(u"特定の列、セルを選択してください。"_s, AppTitle());
        return;
    }
    if (wholeRows && columns > 1) {
        gMsgBox().Exclamation(u"行は選択できません。"_s, AppTitle());
        return;
    }
    if (wholeColumn) {
        top = 1;
        bottom = rows;
    }
    const clsFormat* format = document->Format();
    const clsMember* member =
        format && left <= format->MemCount() ? format->Members(left) : nullptr;
    gMsgBox().Information(
        clsSummary::Message(*document, left, member ? member->MemName : QString(), top, bottom),
        AppTitle());
}

void frmCsv::HeaderClicked(int lnCol)
{
    const clsFormat* format = document->Format();
    if (!host.SortMode() || lnCol < 1 || !format || lnCol > format->MemCount())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int memType = format->Members(lnCol)->MemType;
    std::vector<int> order;
    if (memType == 5) {
        stringOrder = stringOrder == StringOrder::Ascending ? StringOrder::Descending
                                                            : StringOrder::Ascending;
        order = clsSorter::StringOrder(*document, lnCol, stringOrder == StringOrder::Ascending);
    } else {
        numericAscending = !numericAscending;
        order = clsSorter::NumericOrder(*document, lnCol, memType, numericAscending);
    }
    document->ReorderRows(order, u"ソート"_s);
    QGuiApplication::restoreOverrideCursor();
}
