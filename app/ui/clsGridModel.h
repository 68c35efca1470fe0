// The grid adapter: a table model over a document's records.
#pragma once

#include "clsColumnLayout.h"

#include <QAbstractTableModel>
#include <QFont>

#include <vector>

class clsDocument;

// Shows one document row per record and one column per member, numbers rows from 1 in the
// vertical header (bold while a row carries an unsaved change) and routes edits to the
// document, whose announcements it translates for the view. Texts are converted from the stored
// Shift-JIS only for the cells on screen.
class clsGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit clsGridModel(clsDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;

    // The columns and their look; the column count follows the looks.
    void SetColumns(std::vector<clsColumnLook> looks, const QFont& headerFont,
                    const QFont& markFont);
    // The look of column lnCol (from 1).
    const clsColumnLook& Column(int lnCol) const;

    // The block's cells, tab between the cells of a row and CR LF after every row but the
    // last; rows and columns from 1, inclusive.
    QString BlockText(int lnTop, int lnLeft, int lnBottom, int lnRight) const;
    // Writes a block text from cell (lnTop, lnLeft) on, clipped to the grid, as one document
    // step named szStep.
    void SetBlockText(int lnTop, int lnLeft, const QString& szText, const QString& szStep);

private:
    clsDocument& document;
    std::vector<clsColumnLook> columns;
    QFont headerFont;
    QFont markFont;
};
