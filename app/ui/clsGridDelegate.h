// Cell editors of the grid: the column's input limit, with or without line breaks.
#pragma once

#include <QStyledItemDelegate>

// Edits a cell in a one-line editor limited to the column's maximum length, or, where line
// breaks are allowed, in a plain text editor held to the same length.
class clsGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetLineBreaks(bool bAllowed) { lineBreaks = bAllowed; }
    bool LineBreaks() const { return lineBreaks; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    bool lineBreaks = false;
};
