// Qt's own open and save dialog with the character-set row and the escape check box.
#pragma once

#include <QFileDialog>

class QCheckBox;
class QComboBox;

// An open or save dialog that asks before replacing a file and can offer the "文字コード(&C)"
// list and the escape check box under the file-type row.
class XFileDialog : public QFileDialog
{
public:
    XFileDialog(QWidget* owner, bool bSave);

    // Adds the character-set row, and with bShowEsc the check box (checked as bChecked).
    void AddExtension(bool bShowEsc, bool bChecked);

    // The choices of the extension as the dialog closed: character set, line end, escape.
    int CharSet() const;
    int CRLF() const;
    int Esc() const;

    // The items of the list and their codes: index = character set when opening; when saving
    // item i >= 1 is character set (i - 1) / 3 + 1 with line end (i - 1) % 3 + 1.
    static QStringList Items(bool bSave);
    static int CharSetOf(bool bSave, int lnIndex);
    static int CRLFOf(bool bSave, int lnIndex);

protected:
    void accept() override;

private:
    bool bSave;
    QComboBox* cboCharSet = nullptr;
    QCheckBox* chkEsc = nullptr;
};
