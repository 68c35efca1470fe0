// The format manager: one format's members in a grid, its header, and the store commands.
#pragma once

#include "clsFormat.h"
#include "clsFormatRules.h"

#include <QDialog>
#include <QMap>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTableWidget;
class QToolBar;
class clsFormats;
class clsSettingsStore;

// Edits EditFormat in a member grid of seven columns; registers it in the settings store,
// deletes registered formats and exports or imports registry files. The in-memory store
// (gFormats) is only read: changes take effect at the next start.
class frmFormatMan : public QDialog
{
    Q_OBJECT

public:
    // The store stays the caller's and must outlive the window.
    explicit frmFormatMan(clsSettingsStore& store, QWidget* parent = nullptr);
    ~frmFormatMan() override;

    // The format under edit; a blank one is created on first read when none is held.
    clsFormat& EditFormat();
    // Takes the format; an empty one is reported through ProcError and taken all the same.
    void SetEditFormat(std::unique_ptr<clsFormat> format);
    bool Changed() const { return bChanged; }

    // Shows the name's first problem as a structure name (empty, other characters, reserved
    // word) and gives false, or gives true.
    static bool CheckStructName(const QString& szName);
    // A decimal number as the program's number conversion accepts it.
    static bool IsNumeric(const QString& szText);
    // The numeric text rounded half to even to a 32-bit integer; 0, with ok false, when it is
    // not numeric or out of range.
    static int WholeNumber(const QString& szText, bool* ok = nullptr);
    // The member count (grid rows) and a cell's text, 1-based as the grid shows them.
    int RowCount() const;
    QString CellText(int nRow, int nCol) const;
    void SetCellText(int nRow, int nCol, const QString& szText);
    // The active cell, 1-based; 0 when there is none.
    int ActiveRow() const;
    int ActiveCol() const;
    void SetActiveCell(int nRow, int nCol);
    // The status-bar panel of a key ("StName", "Message"); null when it is not shown.
    QLabel* StatusPanel(const QString& szKey) const { return panels.value(szKey); }
    QAction* ToolButton(const QString& szKey) const { return toolButtons.value(szKey); }

    QTableWidget* vaSpread = nullptr;
    QToolBar* Toolbar1 = nullptr;

    QMenu* mnFile = nullptr;
    QMenu* mnNew = nullptr;
    QAction* mnNewVBFile = nullptr;
    QAction* mnNewCFile = nullptr;
    QAction* mnNewManual = nullptr;
    QAction* mnOpenRegisted = nullptr;
    QAction* mnSave = nullptr;
    QAction* mnRegist = nullptr;
    QAction* mnDeleteFormat = nullptr;
    QAction* mnImportReg = nullptr;
    QMenu* mnSaveAsSource = nullptr;
    QAction* mnSaveAsVB = nullptr;
    QAction* mnSaveAsC = nullptr;
    QAction* mnSaveAsXSL = nullptr;
    QAction* mnQuit = nullptr;
    QMenu* mnEdit = nullptr;
    QAction* mnEditInsert = nullptr;
    QAction* mnEditDelete = nullptr;
    QAction* mnEditMoveUp = nullptr;
    QAction* mnEditMoveDown = nullptr;
    QAction* mnEditHeader = nullptr;

    // The commands, callable as the menu runs them (frmFormatManCommands.cpp,
    // frmFormatManStore.cpp, frmFormatManGrid.cpp).
    void mnNewManual_Click();
    void mnOpenRegisted_Click();
    void mnNewCFile_Click();
    void mnNewVBFile_Click();
    void mnRegist_Click();
    void mnDeleteFormat_Click();
    void mnSave_Click();
    void mnImportReg_Click();
    void mnEditInsert_Click();
    void mnEditDelete_Click();
    void mnEditMoveUp_Click();
    void mnEditMoveDown_Click();
    void mnEditHeader_Click();

    // Validation and transfer between the grid and EditFormat.
    bool CheckMembers();
    bool CheckDupNames();
    bool GridToFormat();
    void ShowFormat();
    // 1: nothing under edit; 2: a format is shown.
    void SetMenuState(int nMode);
    // Offers the formats a scanner found; the chosen one becomes EditFormat and its header
    // is edited at once.
    void SelectDetectedFormat(const clsFormats& formats, const QString& szMessage);
    bool RegistFormat();
    void DeleteFromStore(const QString& szStructName);
    // Writes EditFormat as a registry file; false with the reason kept for the message.
    bool WriteRegFile(const QString& szPath);
    // Registers the formats of a registry file, after the questions; false when nothing was
    // registered.
    bool ImportRegFile(const QString& szPath);

    // Escape closes the window the way its close box does, with the question.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction (frmFormatMan.cpp).
    void CreateMenus();
    void CreateToolbar();
    void ConnectCommands();
    void SetGridHeader();
    // Grid helpers (frmFormatManGrid.cpp).
    void FillRow(int nRow, const QString& szName, const QString& szType, const QString& szLen,
                 const QString& szComment, const QString& szStuff, const QString& szBlank,
                 const QString& szOut);
    void SwapRows(int nRow, int nOther);
    // Shows a failed check and activates its cell; true when nothing failed.
    bool Refuse(const clsFormatRules::Failure& failure);
    void FitColumns();
    void ShowHelp(int nRow, int nCol);
    void ShowPopup(const QPoint& pos);
    // The first status panel after the header was edited.
    void ShowHeaderPanel();
    // Runs the header editor on a format; true (and Changed) when it was confirmed.
    bool EditHeaderOf(clsFormat& format);
    // A path from the open dialog for a source of kind 1 (VB) or 2 (C).
    bool OpenSourceDialog(int nKind, QString& szPath);
    // mnNewVBFile (kind 1) and mnNewCFile (kind 2).
    void ScanSource(int nKind);
    // The question asked before an edit with members is replaced; false on "No".
    bool ConfirmClear();
    void SetChanged() { bChanged = true; }

    clsSettingsStore& settings;
    std::unique_ptr<clsFormat> editFormat;
    bool bChanged = false;
    QString szWriteError;
    QString szLastPath;
    QStatusBar* statusBar = nullptr;
    QMap<QString, QLabel*> panels;
    QMap<QString, QAction*> toolButtons;
};
