// Roles, edits, row structure and block text of the grid adapter.
#include "clsGridModel.h"

#include "clsDocument.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

clsGridModel::clsGridModel(clsDocument& doc, QObject* parent)
    : QAbstractTableModel(parent), document(doc)
{}

int clsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : document.Records().RowCount();
}

int clsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns.size());
}

QVariant clsGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return document.Records().Text(index.row() + 1, index.column() + 1);
    case Qt::TextAlignmentRole:
        return static_cast<int>(
            (Column(index.column() + 1).bLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool clsGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const QString text = value.toString();
    if (text == document.Records().Text(index.row() + 1, index.column() + 1))
        return true;
    document.SetCellText(index.row() + 1, index.column() + 1, text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit headerDataChanged(Qt::Vertical, index.row(), index.row());
    return true;
}

Qt::ItemFlags clsGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant clsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return columns[static_cast<size_t>(section)].szHeader;
        if (role == Qt::FontRole)
            return headerFont;
        return {};
    }
    if (section < 0 || section >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return section + 1;
    if (role == Qt::FontRole && document.Records().Marked(section + 1))
        return markFont;
    return {};
}

bool clsGridModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count <= 0)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    document.Records().InsertRows(row + 1, count);
    endInsertRows();
    return true;
}

bool clsGridModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    document.Records().RemoveRows(row + 1, count);
    endRemoveRows();
    return true;
}

bool clsGridModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                            const QModelIndex& destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || sourceRow < 0 || count <= 0 ||
        sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount())
        return false;
    if (!beginMoveRows(sourceParent, sourceRow, sourceRow + count - 1, destinationParent,
                       destinationChild))
        return false;
    document.Records().MoveRows(sourceRow + 1, count, destinationChild + 1);
    endMoveRows();
    return true;
}

void clsGridModel::SetColumns(std::vector<clsColumnLook> looks, const QFont& header,
                              const QFont& mark)
{
    beginResetModel();
    columns = std::move(looks);
    headerFont = header;
    markFont = mark;
    endResetModel();
}

const clsColumnLook& clsGridModel::Column(int lnCol) const
{
    return columns.at(static_cast<size_t>(lnCol - 1));
}

void clsGridModel::Reset(const std::function<void()>& change)
{
    beginResetModel();
    change();
    endResetModel();
}

QString clsGridModel::BlockText(int lnTop, int lnLeft, int lnBottom, int lnRight) const
{
    QString text;
    for (int row = lnTop; row <= lnBottom; ++row) {
        if (row > lnTop)
            text += u"\r\n"_s;
        for (int col = lnLeft; col <= lnRight; ++col) {
            if (col > lnLeft)
                text += u'\t';
            text += document.Records().Text(row, col);
        }
    }
    return text;
}

void clsGridModel::SetBlockText(int lnTop, int lnLeft, const QString& szText)
{
    if (lnTop < 1 || lnLeft < 1)
        return;
    static const QRegularExpression lineEnd(u"\r\n|\r|\n"_s);
    QStringList lines = szText.split(lineEnd);
    // Text copied from elsewhere usually ends with a line end that starts no row.
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    const int bottom = std::min(lnTop + static_cast<int>(lines.size()) - 1, rowCount());
    int right = lnLeft - 1;
    for (int row = lnTop; row <= bottom; ++row) {
        const QStringList cells = lines.at(row - lnTop).split(u'\t');
        const int last = std::min(lnLeft + static_cast<int>(cells.size()) - 1, columnCount());
        for (int col = lnLeft; col <= last; ++col)
            document.SetCellText(row, col, cells.at(col - lnLeft));
        right = std::max(right, last);
    }
    if (bottom < lnTop || right < lnLeft)
        return;
    emit dataChanged(index(lnTop - 1, lnLeft - 1), index(bottom - 1, right - 1),
                     {Qt::DisplayRole, Qt::EditRole});
    emit headerDataChanged(Qt::Vertical, lnTop - 1, bottom - 1);
}
