// The format chooser shown before a file or a new document is opened.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// Lists the FormatName of every registered format; stays above the other windows.
class frmSelType : public QDialog
{
    Q_OBJECT

public:
    // With bInit (a file named on the command line) the file's name heads the message.
    frmSelType(bool bInit, const QString& szNewFile, QWidget* parent = nullptr);

    // The chosen format position: the list's choice after "ＯＫ", 1 however else it closed.
    int Selection() const { return selection; }
    // Shows the chooser modally and returns the format position chosen. With no format
    // registered it shows the box and returns 0: the program has to end.
    static int Ask(QWidget* parent, bool bInit, const QString& szNewFile);

    QLabel* lblMessage = nullptr;
    QComboBox* cboFormat = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    void cmdOK_Click();

    int selection = 1;
};
