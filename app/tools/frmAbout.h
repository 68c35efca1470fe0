// The version window opened from the help menu.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Names the program, its version, its authors and where to reach them; the mail address is
// selected on activation so it can be copied at once.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // "2.3": the version the build was configured with.
    static QString Version();

    QLabel* lblIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblAuthor = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* lblWeb = nullptr;
    QPushButton* cmdOK = nullptr;

    // Focuses the mail line and selects the address after "E-mail ".
    void Form_Activate();

protected:
    void changeEvent(QEvent* event) override;
};
