// The document window: one data file shown in a grid inside the main window.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>

class clsDocument;
class clsDocumentHost;
class clsGridModel;
class clsGridView;
class frmValidation;
class QPrinter;

// Shows a clsDocument in a clsGridView through a clsGridModel and keeps the main window's
// caption and status panels in step with it. It holds no records itself: they live in the
// document.
class frmCsv : public QWidget
{
    Q_OBJECT

public:
    // Window creation: a new document from the host's szNewFile, nNewMode and nNewID.
    explicit frmCsv(clsDocumentHost& host, QWidget* parent = nullptr);
    ~frmCsv() override;

    // State other windows read by name.
    bool bUnload() const { return unload; }
    bool bDirty() const;
    bool bEmpty() const;
    int nCntData() const { return cntData; }
    // The record count shown after the rows were replaced wholesale (generated data).
    void SetCntData(int lnCount)
    {
        cntData = lnCount;
        ShowStatus();
    }
    int nID() const;
    QString szFile() const;
    QString szFileName() const;
    int Mode() const;
    // Selects the format at aMode; an invalid position shows a Critical box and asks the
    // host to end the program (returning false, with the format unchanged).
    bool SetMode(int aMode);

    // Loads the host's szNewFile into this window (a new, empty document when it is empty);
    // a character set or line end below 1 means the format's own. False when the file could
    // not be read completely.
    bool LoadData(int lnCharSet, int lnCRLF);
    // Builds header texts, columns, widths and input limits for format Index (-1: Mode).
    void SetHeader(int Index);
    // Copies the grid's column widths into the members of the format.
    void SaveColWidth();
    // The window became the active document window.
    void Form_Activate();

    // Writes the document to its own file; when that file is gone, NamedAndSave with the
    // document's own character set and line end. False when nothing was saved.
    bool SaveUpdate();
    // Writes the document to the host's szNewFile in the format nNewMode (the window then
    // belongs to them); a character set or line end below 1 means the format's own. False
    // when nothing was saved: the window keeps its file, format and changes.
    bool NamedAndSave(int lnCharSet, int lnCRLF);
    // Closes the window (with the subwindow that holds it), asking first about changes.
    void WindowClose();

    // Row editing and the clipboard (frmCsvEdit.cpp), on the active cell or the selected
    // block; each is one step of the document's undo stack.
    void InsertRow();
    void DeleteRow();
    void RowUp();
    void RowDown();
    void Copy();
    void Cut();
    void Paste();
    // Sum, average, maximum and minimum of the selected part of one column, in a box
    // (frmCsvTools.cpp).
    void Summary();
    // A click on the header of column lnCol (from 1): sorts by it while the sort mode is on,
    // numeric members alternately ascending and descending, string members likewise.
    void HeaderClicked(int lnCol);
    // Shows the grid in a print preview, from which the user prints it (frmCsvPrint.cpp).
    void PrintCell();
    // Names the print job after the window and sets the page margins.
    void PreparePrinter(QPrinter& printer) const;
    // Paints the grid onto printer, as the preview shows it and the print puts it on paper;
    // false when it could not be painted or the user stopped it.
    bool PrintTo(QPrinter* printer);
    // The grid's active cell, from 1; 0 when there is none.
    int ActiveRow() const;
    int ActiveCol() const;

    // Checks every record against the format and lists the problems under the grid
    // (frmCsvInspect.cpp).
    void Validate();
    // The list of the last check; null before the first.
    frmValidation* Validation() const { return validation; }
    // A character set other than lnCharSet that reads the file without substitutions, or 0.
    static int CleanCharSet(const QString& szPath, int lnCharSet);

    clsDocument& Document() { return *document; }
    clsGridView& Grid() { return *grid; }
    clsGridModel& GridModel() { return *model; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The steps shared by creation and every load; false when the format is invalid.
    bool InitWindow();
    QString NewFileName() const;
    void ShowCaption(const QString& szPath, const QString& szName);
    void ShowStatus();
    void ShowStatus(const QString& szFileText, int lnCharSet, int lnCRLF);
    // Writes the document, showing progress when that takes long; false on failure.
    bool WriteRecords(const QString& szPath, int lnCharSet, int lnCRLF);
    // Caption, status and commands after a save, whether it worked or not.
    void ShowSaved();
    // Makes this the active document window, as a save of the active one must find it.
    void BringToFront();
    // After every change of the document: status panels and command state.
    void DocumentChanged();
    // The record count after lnDelta rows came or went, read back from the status text
    // while that starts with a number.
    void CountRows(int lnDelta);
    // The selected block (the active cell when nothing is selected), from 1; false when the
    // grid has no cell.
    bool SelectedBlock(int& lnTop, int& lnLeft, int& lnBottom, int& lnRight) const;
    // Copies the selected block to the clipboard; false when there was nothing to copy.
    bool CopyBlock(int& lnTop, int& lnLeft, int& lnBottom, int& lnRight);
    void MakeActive(int lnRow, int lnCol);
    void ShowPopup(const QPoint& pos);

    clsDocumentHost& host;
    std::unique_ptr<clsDocument> document;
    clsGridModel* model = nullptr;
    clsGridView* grid = nullptr;
    frmValidation* validation = nullptr;
    bool unload = false;
    int cntData = 1;
    // Flipped before every numeric sort, so the first one is ascending.
    bool numericAscending = false;
    // The direction of the last string sort: none yet, ascending or descending.
    enum class StringOrder { None, Ascending, Descending } stringOrder = StringOrder::None;
    QString szStatusCount;
    QString szStatusFormat;
    QString szStatusFile;
};
