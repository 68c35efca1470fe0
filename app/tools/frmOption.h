// The options window: header lines, cell editing, the grid font and the two viewers.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Edits the program-wide option values; they change only on OK, except the font, which a
// confirmed font dialog sets at once.
class frmOption : public QDialog
{
    Q_OBJECT

public:
    explicit frmOption(QWidget* parent = nullptr);

    // True once the user confirmed with OK.
    bool bRes = false;

    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check7 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QCheckBox* Check8 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    // Path box i, its label and its browse button: 1 text editor, 2 binary editor.
    QLineEdit* Text1(int i) const { return pathBoxes.at(static_cast<size_t>(i - 1)); }
    QLabel* Label1(int i) const { return pathLabels.at(static_cast<size_t>(i - 1)); }
    QPushButton* Command3(int i) const { return browseButtons.at(static_cast<size_t>(i - 1)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* HeaderFrame();
    QGroupBox* EditFrame();
    QGroupBox* LineBreakFrame();
    QGroupBox* PathFrame();
    void ShowOptions();
    void Check7_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click(int i);
    void Command5_Click();

    std::array<QLineEdit*, 2> pathBoxes{};
    std::array<QLabel*, 2> pathLabels{};
    std::array<QPushButton*, 2> browseButtons{};
};
