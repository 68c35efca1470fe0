// Row editing, the clipboard, the popup menu and the record count of the document window.
#include "Module1.h"
#include "clsDocument.h"
#include "clsDocumentHost.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsMessenger.h"
#include "frmCsv.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>

using namespace Qt::Literals::StringLiterals;

int frmCsv::ActiveRow() const
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int frmCsv::ActiveCol() const
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void frmCsv::MakeActive(int lnRow, int lnCol)
{
    const QModelIndex cell = model->index(lnRow - 1, lnCol - 1);
    if (!cell.isValid())
        return;
    grid->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    grid->scrollTo(cell);
}

void frmCsv::DocumentChanged()
{
    if (unload)
        return;
    ShowStatus();
    host.UpdateCommands();
}

void frmCsv::CountRows(int lnDelta)
{
    // The count follows the number the status shows, so a new document that still shows its
    // name keeps its count.
    if (szStatusCount.isEmpty() || !szStatusCount.at(0).isDigit())
        return;
    if (lnDelta < 0 && cntData <= 0)
        return;
    const int shown = szStatusCount.section(u' ', 0, 0).toInt();
    cntData = std::max(shown + lnDelta, 0);
    ShowStatus();
    host.UpdateCommands();
}

void frmCsv::InsertRow()
{
    document->InsertRows(std::max(ActiveRow(), 1), 1);
}

void frmCsv::DeleteRow()
{
    if (model->rowCount() < 2) {
        gMsgBox().Exclamation(u"これ以上行を削除できません。"_s, AppTitle());
        return;
    }
    const int row = std::max(ActiveRow(), 1);
    const int col = std::max(ActiveCol(), 1);
    document->RemoveRows(row, 1);
    MakeActive(std::min(row, model->rowCount()), col);
}

void frmCsv::RowUp()
{
    const int row = ActiveRow();
    const int col = ActiveCol();
    if (row <= 1 || col <= 0)
        return;
    document->MoveRows(row, 1, row - 1);
    MakeActive(row - 1, col);
}

void frmCsv::RowDown()
{
    const int row = ActiveRow();
    const int col = ActiveCol();
    if (row <= 0 || col <= 0 || row >= model->rowCount())
        return;
    document->MoveRows(row, 1, row + 2);
    MakeActive(row + 1, col);
}

bool frmCsv::SelectedBlock(int& lnTop, int& lnLeft, int& lnBottom, int& lnRight) const
{
    const QItemSelection selection = grid->selectionModel()->selection();
    if (!selection.isEmpty()) {
        const QItemSelectionRange& range = selection.first();
        lnTop = range.top() + 1;
        lnLeft = range.left() + 1;
        lnBottom = range.bottom() + 1;
        lnRight = range.right() + 1;
        return true;
    }
    lnTop = lnBottom = ActiveRow();
    lnLeft = lnRight = ActiveCol();
    return lnTop > 0 && lnLeft > 0;
}

bool frmCsv::CopyBlock(int& lnTop, int& lnLeft, int& lnBottom, int& lnRight)
{
    if (!SelectedBlock(lnTop, lnLeft, lnBottom, lnRight))
        return false;
    const bool single = lnTop == lnBottom && lnLeft == lnRight;
    const bool wholeLine = (lnLeft == 1 && lnRight == model->columnCount()) ||
                           (lnTop == 1 && lnBottom == model->rowCount());
    // One empty cell is nothing to copy: the clipboard keeps what it holds.
    if (single && !wholeLine && Module1::Trim(document->Text(lnTop, lnLeft)).isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(model->BlockText(lnTop, lnLeft, lnBottom, lnRight));
    host.UpdateCommands();
    return true;
}

void frmCsv::Copy()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    CopyBlock(top, left, bottom, right);
}

void frmCsv::Cut()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!CopyBlock(top, left, bottom, right))
        return;
    const QStringList empties(right - left + 1, QString());
    document->SetBlock(top, left,
                       std::vector<QStringList>(static_cast<size_t>(bottom - top + 1), empties),
                       model->columnCount(), u"切り取り"_s);
}

void frmCsv::Paste()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty() || !SelectedBlock(top, left, bottom, right))
        return;
    model->SetBlockText(top, left, text, u"貼り付け"_s);
}

void frmCsv::ShowPopup(const QPoint& pos)
{
    // Right clicks on the headers are not for the popup.
    const QModelIndex cell = grid->indexAt(pos);
    if (!cell.isValid())
        return;
    MakeActive(cell.row() + 1, cell.column() + 1);
    host.ShowPopup(grid->viewport()->mapToGlobal(pos));
}
