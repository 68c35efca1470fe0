// The record-count window of the data wizard.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a whole, non-negative number of records and keeps the window open until it gets
// one or is cancelled.
class frmInput : public QDialog
{
    Q_OBJECT

public:
    explicit frmInput(QWidget* parent = nullptr);

    // True once a valid count was confirmed.
    bool bRes = false;
    qint32 lnCnt = 0;

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    // The message the count text would get, or an empty text when it is a valid count; the
    // count itself goes to lnCount.
    static QString Check(const QString& szText, qint32& lnCount);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command1_Click();
    void Command2_Click();
};
