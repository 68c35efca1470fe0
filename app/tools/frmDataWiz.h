// The data wizard: per-member settings page by page, then test data into a document window.
#pragma once

#include "clsDataGenerator.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class frmCsv;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Collects one clsDataWizItem per page (every member, or the document's active column),
// keeps them in template files on request, and lets clsDataGenerator fill the document once
// frmInput gave the record count.
class frmDataWiz : public QDialog
{
    Q_OBJECT

public:
    // lnMode is a clsDataGenerator::Mode; bComments: the grid header shows the comments, which
    // then name the pages.
    frmDataWiz(frmCsv& csv, int lnMode, bool bComments, QWidget* parent = nullptr);

    int Mode() const { return mode; }
    int Page() const { return page; }
    const std::vector<clsDataWizItem>& Items() const { return items; }

    // Picks the template file to open (bSave false) or to save; false when cancelled. The
    // program's file dialog unless a test replaces it.
    std::function<bool(bool bSave, QString& szPath)> ChooseFile;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    // Index 1..7 is the method, 1..3 the fixed, list and start boxes (index 0 unused).
    std::array<QRadioButton*, 8> Option1{};
    std::array<QLineEdit*, 4> Text1{};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

private:
    void CreateControls();
    void ShowPage();
    // Takes the page's settings into its item; false (after a message) to stay on the page.
    bool StorePage();
    void SelectMethod(int lnMethod);
    int SelectedMethod() const;
    void Generate(int lnCount);
    bool ChooseWithDialog(bool bSave, QString& szPath);
    // A message box of the wizard.
    static void Exclamation(const QString& szText);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    frmCsv& csv;
    int mode;
    int column = 0;
    int page = 1;
    QString structName;
    QString formatName;
    std::vector<clsDataWizItem> items;
};
