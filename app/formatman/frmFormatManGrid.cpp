// The format manager's member grid: filling it from the format, the checks, copying it back,
// the member commands, the help texts and the popup menu.
#include "Module1.h"
#include "clsFormatInfo.h"
#include "clsFormatRules.h"
#include "clsMessenger.h"
#include "frmFormatMan.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCaption = u"Format Manager"_s;
constexpr int kColumns = 7;
constexpr int kTypeCol = 2;
constexpr int kLenCol = 3;

// The item lists of the drop-down columns, from the format vocabulary.
QStringList TypeList()
{
    const clsFormatInfo& info = gFormatInfo();
    return {info.GetTypeName(3, 5), info.GetTypeName(3, 1), info.GetTypeName(3, 2),
            info.GetTypeName(3, 3), info.GetTypeName(3, 4)};
}

QStringList ListOf(int nCol)
{
    const clsFormatInfo& info = gFormatInfo();
    switch (nCol) {
    case kTypeCol:
        return TypeList();
    case 5:
        return {info.GetStuffName(1), info.GetStuffName(2)};
    case 6:
        return {info.GetNameByChr(u" "_s), info.GetNameByChr(u"0"_s)};
    case 7:
        return {info.GetBoolStr(1), info.GetBoolStr(0)};
    default:
        return {};
    }
}

// Drop-down cells whose text can only be one of the column's items.
class clsListDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        const QStringList items = ListOf(index.column() + 1);
        if (items.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        combo->addItems(items);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setCurrentIndex(qMax(0, combo->findText(index.data().toString())));
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            model->setData(index, combo->currentText());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

void frmFormatMan::SetGridHeader()
{
    vaSpread->setColumnCount(kColumns);
    vaSpread->setHorizontalHeaderLabels({u"メンバ名"_s, u"データ型"_s, u"桁数"_s, u"コメント"_s,
                                         u"文字詰め"_s, u"文字詰め文字"_s, u"変換時の出力"_s});
    if (!dynamic_cast<clsListDelegate*>(vaSpread->itemDelegate()))
        vaSpread->setItemDelegate(new clsListDelegate(vaSpread));
    vaSpread->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
}

int frmFormatMan::RowCount() const
{
    return vaSpread->rowCount();
}

QString frmFormatMan::CellText(int nRow, int nCol) const
{
    const QTableWidgetItem* item = vaSpread->item(nRow - 1, nCol - 1);
    return item ? item->text() : QString();
}

void frmFormatMan::SetCellText(int nRow, int nCol, const QString& szText)
{
    QTableWidgetItem* item = vaSpread->item(nRow - 1, nCol - 1);
    if (!item) {
        item = new QTableWidgetItem;
        vaSpread->setItem(nRow - 1, nCol - 1, item);
    }
    item->setText(szText);
}

int frmFormatMan::ActiveRow() const
{
    return vaSpread->currentRow() + 1;
}

int frmFormatMan::ActiveCol() const
{
    return vaSpread->currentColumn() + 1;
}

void frmFormatMan::SetActiveCell(int nRow, int nCol)
{
    vaSpread->setCurrentCell(nRow - 1, nCol - 1);
}

void frmFormatMan::FillRow(int nRow, const QString& szName, const QString& szType,
                           const QString& szLen, const QString& szComment, const QString& szStuff,
                           const QString& szBlank, const QString& szOut)
{
    const std::array<const QString*, kColumns> texts = {&szName,  &szType,  &szLen, &szComment,
                                                        &szStuff, &szBlank, &szOut};
    for (int col = 1; col <= kColumns; ++col) {
        auto* item = new QTableWidgetItem(*texts.at(static_cast<size_t>(col - 1)));
        if (col == kTypeCol)
            item->setBackground(QColor(220, 220, 220));
        vaSpread->setItem(nRow - 1, col - 1, item);
    }
}

void frmFormatMan::ShowFormat()
{
    {
        const QSignalBlocker quiet(vaSpread);
        SetGridHeader();
        vaSpread->setRowCount(0);
        const clsFormat& format = EditFormat();
        vaSpread->setRowCount(format.MemCount());
        for (int i = 1; i <= format.MemCount(); ++i) {
            const clsMember& member = *format.Members(i);
            FillRow(i, member.MemName, member.MemTypeAsString(3), QString::number(member.MemLen),
                    member.Comment, member.StuffAsString(), member.BlankChrAsString(),
                    member.ConvOutAsString());
        }
    }
    FitColumns();
    SetMenuState(2);
}

void frmFormatMan::FitColumns()
{
    const QFontMetrics metrics(vaSpread->font());
    for (int col = 1; col <= kColumns; ++col) {
        int widest = metrics.horizontalAdvance(vaSpread->horizontalHeaderItem(col - 1)
                                                   ? vaSpread->horizontalHeaderItem(col - 1)->text()
                                                   : QString());
        for (int row = 1; row <= RowCount(); ++row)
            widest = qMax(widest, metrics.horizontalAdvance(CellText(row, col)));
        vaSpread->setColumnWidth(col - 1, widest * 18 / 10);
    }
}

bool frmFormatMan::CheckMembers()
{
    QList<clsFormatRules::MemberCells> rows;
    for (int row = 1; row <= RowCount(); ++row)
        rows.append({CellText(row, 1), CellText(row, kLenCol)});
    return Refuse(clsFormatRules::CheckMembers(rows));
}

bool frmFormatMan::CheckDupNames()
{
    QStringList names;
    for (int row = 1; row <= RowCount(); ++row)
        names.append(CellText(row, 1));
    return Refuse(clsFormatRules::CheckDupNames(names));
}

bool frmFormatMan::Refuse(const clsFormatRules::Failure& failure)
{
    if (!failure)
        return true;
    gMsgBox().Exclamation(failure.szMessage, kCaption);
    if (failure.nRow >= 1 && failure.nCol >= 1)
        SetActiveCell(failure.nRow, failure.nCol);
    return false;
}

bool frmFormatMan::GridToFormat()
{
    clsFormat& format = EditFormat();
    format.Clear();
    for (int row = 1; row <= RowCount(); ++row) {
        clsMember* member = format.AddMember();
        member->MemName = Module1::Trim(CellText(row, 1));
        member->SetMemTypeAsString(Module1::Trim(CellText(row, kTypeCol)));
        bool ok = false;
        member->MemLen = WholeNumber(Module1::Trim(CellText(row, kLenCol)), &ok);
        if (!ok)
            return false;
        member->Comment = Module1::Trim(CellText(row, 4));
        member->SetStuffAsString(CellText(row, 5));
        member->SetBlankChrAsString(CellText(row, 6));
        member->SetConvOutAsString(CellText(row, 7));
    }
    return true;
}

void frmFormatMan::ShowHelp(int nRow, int nCol)
{
    QLabel* panel = StatusPanel(u"Message"_s);
    if (!panel || nRow < 1 || nCol < 1)
        return;
    switch (nCol) {
    case 1:
        panel->setText(u"メンバ名は半角文字を入力します。"_s);
        break;
    case 2:
        panel->setText(u"データ型を選択してください。"_s);
        break;
    case 3:
        panel->setText(u"桁数は表示の有効バイト数です。データ型のサイズではありません。"_s);
        break;
    case 4:
        panel->setText(u"コメントを入力してください。"_s);
        break;
    case 5:
    case 6:
        panel->setText(u"文字詰めはテキストファイルのみ有効です。"_s);
        break;
    default:
        panel->setText(u"項目情報を編集してください。"_s);
        break;
    }
}

void frmFormatMan::ShowPopup(const QPoint& pos)
{
    const QModelIndex index = vaSpread->indexAt(pos);
    if (index.isValid())
        vaSpread->setCurrentIndex(index);
    mnEdit->popup(vaSpread->viewport()->mapToGlobal(pos));
}

void frmFormatMan::mnEditInsert_Click()
{
    const int row = qMax(1, ActiveRow());
    const clsFormatInfo& info = gFormatInfo();
    {
        const QSignalBlocker quiet(vaSpread);
        vaSpread->insertRow(row - 1);
        FillRow(row, QString(), TypeList().first(), u"10"_s, QString(), info.GetStuffName(2),
                info.GetNameByChr(u" "_s), info.GetBoolStr(1));
    }
    SetChanged();
}

void frmFormatMan::mnEditDelete_Click()
{
    if (RowCount() == 1) {
        gMsgBox().Exclamation(u"これ以上は削除できません。"_s, kCaption);
        return;
    }
    const int row = ActiveRow();
    if (row < 1 || row > RowCount())
        return;
    vaSpread->removeRow(row - 1);
    SetChanged();
}

void frmFormatMan::SwapRows(int nRow, int nOther)
{
    const QSignalBlocker quiet(vaSpread);
    for (int col = 1; col <= kColumns; ++col) {
        const QString text = CellText(nRow, col);
        SetCellText(nRow, col, CellText(nOther, col));
        SetCellText(nOther, col, text);
    }
}

void frmFormatMan::mnEditMoveDown_Click()
{
    const int row = ActiveRow();
    if (row < 1 || row >= RowCount())
        return;
    SwapRows(row, row + 1);
    SetActiveCell(row + 1, ActiveCol());
    SetChanged();
}

void frmFormatMan::mnEditMoveUp_Click()
{
    const int row = ActiveRow();
    if (row <= 1 || row > RowCount())
        return;
    SwapRows(row, row - 1);
    SetActiveCell(row - 1, ActiveCol());
    SetChanged();
}
