// The chooser of one format or structure from a list, for the format manager.
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class clsFormat;
class clsFormats;

// Lists the StructName of every format of a collection; stays above the other windows.
class frmFormatSelect : public QDialog
{
    Q_OBJECT

public:
    explicit frmFormatSelect(QWidget* parent = nullptr);

    // Shows szMessage and the collection modally. True with lnIndex the position chosen
    // (1..count) after "ＯＫ" or a double click; false with lnIndex -1 after "キャンセル" or
    // the close box. The collection must outlive the calls of SelectFormat.
    bool ShowRegistedStructs(const QString& szMessage, const clsFormats& formats, int& lnIndex);
    // The format at lnIndex of the collection last shown; null after a ProcError box when
    // there is none or the position is outside it.
    clsFormat* SelectFormat(int lnIndex) const;

    QLabel* lblMessage = nullptr;
    QListWidget* lstFormat = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    const clsFormats* formats = nullptr;
    int selection = -1;
};
