// The list of records that do not fit their format, docked under a document's grid.
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;
class clsValidator;

// Shows a validator's problems (record, member, problem) and the total; a double-click on
// one asks for its cell.
class frmValidation : public QWidget
{
    Q_OBJECT

public:
    explicit frmValidation(QWidget* parent = nullptr);

    void Show(const clsValidator& validator);
    QTableWidget& List() { return *list; }
    QString Summary() const;

signals:
    // The cell of the problem chosen, from 1 (column 1 for a problem of the whole record).
    void CellChosen(int lnRow, int lnCol);

private:
    QLabel* summary = nullptr;
    QTableWidget* list = nullptr;
};
