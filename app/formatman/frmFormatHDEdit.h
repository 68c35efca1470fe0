// The header editor: a format's attributes other than its members.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Edits copies of ten values and writes them back only when every check passes on OK.
class frmFormatHDEdit : public QDialog
{
    Q_OBJECT

public:
    explicit frmFormatHDEdit(QWidget* parent = nullptr);

    // Fills the dialog from the arguments and shows it modally; true, with the edited values
    // written back, only when it was closed with OK.
    bool ShowEdit(QString& szStName, int& lnType, int& lnCharSet, QString& szCRLF,
                  QString& szSepChr, QString& szName, int& lnSkipBytes, int& bEscInput,
                  int& bEscOutput, int& bCareQuote);

    // The item of cmbCharSet for a character set and line end: anything but CR LF and CR
    // counts as LF.
    static int CharSetItem(int lnCharSet, const QString& szCRLF);
    // The character set and line end of an item of cmbCharSet.
    static void ItemCharSet(int nItem, int& lnCharSet, QString& szCRLF);

    QLineEdit* txtStName = nullptr;
    std::array<QRadioButton*, 3> optType{};
    QComboBox* cmbCharSet = nullptr;
    QComboBox* cmbQuote = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtSkipBytes = nullptr;
    QCheckBox* chkEscInput = nullptr;
    QCheckBox* chkEscOutput = nullptr;
    QCheckBox* chkCareQuote = nullptr;
    QGroupBox* fraQuote = nullptr;
    QGroupBox* fraSkip = nullptr;
    QGroupBox* fraCharSet = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Load(const QString& szStName, int lnType, int lnCharSet, const QString& szCRLF,
              const QString& szSepChr, const QString& szName, int lnSkipBytes, int bEscInput,
              int bEscOutput, int bCareQuote);
    // Shows the frames that the selected file type uses.
    void ApplyVisibility();
    int SelectedType() const;
    void cmdOK_Click();

    bool bOK = false;
};
