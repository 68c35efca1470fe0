// Roles, edits, row structure and block text of the grid adapter.
#include "clsGridModel.h"

#include "clsDocument.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

clsGridModel::clsGridModel(clsDocument& doc, QObject* parent)
    : QAbstractTableModel(parent), document(doc)
{
    // The document announces every change of its records; the adapter only translates the
    // announcements into the view's row numbers (from 0).
    connect(&document, &clsDocument::AboutToReset, this, &clsGridModel::beginResetModel);
    connect(&document, &clsDocument::ResetDone, this, &clsGridModel::endResetModel);
    connect(&document, &clsDocument::RowsAboutToBeInserted, this,
            [this](int row, int count) { beginInsertRows({}, row - 1, row + count - 2); });
    connect(&document, &clsDocument::RowsInserted, this, &clsGridModel::endInsertRows);
    connect(&document, &clsDocument::RowsAboutToBeRemoved, this,
            [this](int row, int count) { beginRemoveRows({}, row - 1, row + count - 2); });
    connect(&document, &clsDocument::RowsRemoved, this, &clsGridModel::endRemoveRows);
    connect(&document, &clsDocument::RowsAboutToBeMoved, this,
            [this](int row, int count, int dest) {
                beginMoveRows({}, row - 1, row + count - 2, {}, dest - 1);
            });
    connect(&document, &clsDocument::RowsMoved, this, &clsGridModel::endMoveRows);
    connect(&document, &clsDocument::RowsChanged, this, [this](int top, int bottom) {
        if (columnCount() > 0)
            emit dataChanged(index(top - 1, 0), index(bottom - 1, columnCount() - 1),
                             {Qt::DisplayRole, Qt::EditRole});
        emit headerDataChanged(Qt::Vertical, top - 1, bottom - 1);
    });
    connect(&document, &clsDocument::MarksChanged, this, [this](int top, int bottom) {
        emit headerDataChanged(Qt::Vertical, top - 1, bottom - 1);
    });
}

int clsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : document.RowCount();
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
        return document.Text(index.row() + 1, index.column() + 1);
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
    document.SetCellText(index.row() + 1, index.column() + 1, value.toString());
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
    document.InsertRows(row + 1, count);
    return true;
}

bool clsGridModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    document.RemoveRows(row + 1, count);
    return true;
}

bool clsGridModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                            const QModelIndex& destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || sourceRow < 0 || count <= 0 ||
        sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount() ||
        (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    document.MoveRows(sourceRow + 1, count, destinationChild + 1);
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

QString clsGridModel::BlockText(int lnTop, int lnLeft, int lnBottom, int lnRight) const
{
    QString text;
    for (int row = lnTop; row <= lnBottom; ++row) {
        if (row > lnTop)
            text += u"\r\n"_s;
        for (int col = lnLeft; col <= lnRight; ++col) {
            if (col > lnLeft)
                text += u'\t';
            text += document.Text(row, col);
        }
    }
    return text;
}

void clsGridModel::SetBlockText(int lnTop, int lnLeft, const QString& szText, const QString& szStep)
{
    static const QRegularExpression lineEnd(u"\r\n|\r|\n"_s);
    QStringList lines = szText.split(lineEnd);
    // Text copied from elsewhere usually ends with a line end that starts no row.
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    std::vector<QStringList> rows;
    rows.reserve(static_cast<size_t>(lines.size()));
    for (const QString& line : lines)
        rows.push_back(line.split(u'\t'));
    document.SetBlock(lnTop, lnLeft, rows, columnCount(), szStep);
}
