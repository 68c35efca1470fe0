// The program's main window: the multi-document frame, its menus, toolbar and status bar.
#pragma once

#include "clsDocumentHost.h"
#include "clsRecentList.h"
#include "clsStartup.h"

#include <QHash>
#include <QMainWindow>
#include <QMap>
#include <QRect>
#include <QUndoGroup>

#include <array>
#include <vector>

class QLabel;
class QToolBar;
class QMdiArea;
class QMdiSubWindow;
class clsCommandLine;
class clsSettingsStore;
class frmCsv;

// Hosts the document windows, decides which file and format each one gets, carries the
// hand-off values they read and write, and routes every command to the active document.
class frmMain : public QMainWindow, public clsDocumentHost
{
    Q_OBJECT

public:
    // The store stays the caller's and must outlive the window.
    explicit frmMain(clsSettingsStore& store, QWidget* parent = nullptr);
    ~frmMain() override;

    // Loads the settings and the formats (a second time after telling the user when none is
    // registered) and sets the hand-off values. False when the program must end.
    bool Startup();
    // Opens the files the command line names (asking each one's format unless it was given),
    // or shows one empty document when it names none.
    void OpenCommandLine(const clsCommandLine& commandLine);
    // Loads options, recent list and formats (gFormats) and shows the list in the File menu.
    clsLoadResult LoadSettings();
    // Writes options, version and column widths; run when the window closes.
    void SaveSettings();

    // Opens szPath (callers pass szNewFile) under nNewMode, asking the format first when
    // bDrag; lnCharSet 0 reads in the format's own character set. The file joins the recent
    // list.
    void OpenFile(const QString& szPath, bool bDrag, int lnCharSet);
    // The active document window, or null.
    frmCsv* ActiveDocument() const;
    // Every document window, oldest first.
    QList<frmCsv*> Documents() const;

    clsSettingsStore& Settings() const { return settings; }
    QMdiArea* MdiArea() const { return mdiArea; }
    const clsRecentList& RecentList() const { return recentList; }
    // Status-bar panel n, 1..4.
    QLabel* StatusPanel(int n) const { return panels.at(static_cast<size_t>(n - 1)); }
    // The File menu's recent item n, 1..10.
    QAction* mnRecent(int n) const { return recentItems.at(static_cast<size_t>(n - 1)); }

    // The document host.
    QString szNewFile() const override { return newFile; }
    int nNewMode() const override { return newMode; }
    int nNewID() const override { return newID; }
    void SetCurrent(const QString& szFile, int nMode, const QString& szMode) override;
    void SetStatus(const QString& szPanel1, const QString& szPanel2, const QString& szPanel3,
                   const QString& szPanel4) override;
    void SetMainCaption(const QString& szCaption) override;
    void FilesDropped(const QStringList& aszFiles) override;
    void UpdateCommands() override;
    void EndProgram() override;
    void SaveActiveDocument() override;
    void DocumentClosed() override;
    void ShowPopup(const QPoint& globalPos) override;

    void SetNewFile(const QString& szFile) { newFile = szFile; }
    void SetNewMode(int nMode) { newMode = nMode; }

    // Hand-off with the format chooser and the document windows.
    bool bInit = false; // a file named on the command line is being opened
    QString szCurFile;  // file of the active document window
    int nCurMode = 0;   // format position of the active document window
    QString szCurMode;  // format name of the active document window
    int CntDoc = 0;     // document windows created and not yet closed

    // The sort mode: header clicks sort while it is on.
    bool SortMode() const override;
    void SetSortMode(bool bOn);
    // The toolbar button of a key ("Open", "Sort", ...); null for an unknown key.
    QAction* ToolButton(const QString& szKey) const { return toolButtons.value(szKey); }
    QToolBar* Toolbar() const { return toolbar; }
    QUndoGroup& UndoGroup() { return undoGroup; }

    QMenu* mnFile = nullptr;
    QAction* mnNew = nullptr;
    QAction* mnOpen = nullptr;
    QAction* mnSave = nullptr;
    QAction* mnNamedAndSave = nullptr;
    QAction* mnSaveAll = nullptr;
    QAction* mnClose = nullptr;
    QMenu* mnChgType = nullptr;
    QAction* mnOutCsv = nullptr;
    QAction* mnOutHTML = nullptr;
    QAction* mnOutXML = nullptr;
    QAction* mnPrint = nullptr;
    QAction* mnEnd = nullptr;
    QAction* mnBar4 = nullptr;
    QMenu* mnEdit = nullptr;
    QAction* mnUndo = nullptr;
    QAction* mnRedo = nullptr;
    QAction* mnInsertRow = nullptr;
    QAction* mnDeleteRow = nullptr;
    QAction* mnRowUp = nullptr;
    QAction* mnRowDown = nullptr;
    QAction* mnEditCopy = nullptr;
    QAction* mnEditCut = nullptr;
    QAction* mnEditPaste = nullptr;
    QAction* mnFind = nullptr;
    QAction* mnSort = nullptr;
    QMenu* mnView = nullptr;
    QAction* mnViewSource = nullptr;
    QAction* mnSummary = nullptr;
    QAction* mnFormatWiz = nullptr;
    QMenu* mnDataWiz = nullptr;
    QAction* mnDataWizFull = nullptr;
    QAction* mnDataWizPart = nullptr;
    QAction* mnOutUniqueList = nullptr;
    QAction* mnViewTool = nullptr;
    QAction* mnViewStatus = nullptr;
    QAction* mnOption = nullptr;
    QMenu* mnTools = nullptr;
    QAction* mnValidate = nullptr;
    QMenu* mnWindow = nullptr;
    QAction* mnVertical = nullptr;
    QAction* mnHorizontal = nullptr;
    QAction* mnCascade = nullptr;
    QAction* mnWindowAllVert = nullptr;
    QAction* mnNewWindow = nullptr;
    QMenu* mnHelp = nullptr;
    QAction* mnHelpView = nullptr;
    QAction* mnVersion = nullptr;
    QMenu* mnPopup = nullptr;
    QAction* mnPopInsertRow = nullptr;
    QAction* mnPopDeleteRow = nullptr;
    QAction* mnPopFind = nullptr;
    QAction* mnPopSort = nullptr;
    QAction* mnPopSummary = nullptr;
    QAction* mnPopDataWizPart = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The menu tree, the popup and the toolbar (frmMainMenus.cpp).
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateViewMenu();
    void CreateWindowMenu();
    void CreatePopup();
    void CreateToolbar();
    void CreateStatusBar();
    void ConnectCommands();
    void ConnectDocumentCommands();
    void ShowRecentList();
    // Runs a document operation on the active document window, if there is one.
    void OnDocument(void (frmCsv::*operation)());
    // Enables or disables a menu item and its popup item and toolbar button together.
    void EnableCommand(QAction* item, bool bEnabled);

    // Commands of the Edit, View, Window and Help menus (frmMainCommands.cpp).
    void mnEdit_Open();
    void mnViewSource_Click();
    void mnHelpView_Click();
    void mnVersion_Click();
    // The format manager, modal; what it registers takes effect at the next start.
    void mnFormatWiz_Click();
    // Shows the options window; confirmed options reach every open document at once.
    void mnOption_Click();
    // Opens the find window on the active document, or brings back the one already open.
    void mnFind_Click();
    void mnWindowAllVert_Click();
    // The data wizard over every column of a new document, or on the active cell's column.
    void mnDataWizFull_Click();
    void mnDataWizPart_Click();
    // A new, empty document of the format the user picks; null when none was picked.
    frmCsv* NewDocument();
    void ShowDataWiz(frmCsv& document, int lnMode);
    // The caption and the four panels describe the active window, or the empty state.
    void ShowFrameState();

    // The exports and the unique list (frmMainExports.cpp).
    void mnOutCsv_Click();
    void mnOutHTML_Click();
    void mnOutXML_Click();
    // Asks the target, writes the active document as clsExporter::Kind lnKind and, after an
    // XML export, offers the format's stylesheet.
    void OutExport(int lnKind);
    // A new document listing the distinct values of every column of the active one.
    void mnOutUniqueList_Click();

    // File commands (frmMainFiles.cpp).
    void mnNew_Click();
    void mnOpen_Click();
    void mnSave_Click();
    void mnNamedAndSave_Click();
    void mnSaveAll_Click();
    void mnClose_Click();
    void mnRecent_Click(int n);
    void Save(frmCsv* document);
    void SaveAs(frmCsv* document);
    // Asks the format of the next document; false when none is registered (the program ends).
    bool AskFormat();
    // The window the next document goes into: the first untouched new document, else a new
    // window. Sets nNewID.
    frmCsv* TargetWindow();
    frmCsv* CreateDocument();
    // The lowest number no open new document is named after.
    int NextNewID() const;
    void Load(frmCsv* document, int lnCharSet, int lnCRLF);
    void AddRecent(const QString& szFile, const QString& szStructName);

    // Window commands.
    void Arrange(const std::vector<QRect>& rects);
    void ShowWindowList();
    void Form_Activate(QMdiSubWindow* window);
    // Where a new document window goes: one title-bar step from the newest one, inside the
    // workspace.
    QRect NewWindowGeometry() const;

    clsSettingsStore& settings;
    QUndoGroup undoGroup;
    QToolBar* toolbar = nullptr;
    QMap<QString, QAction*> toolButtons;
    // The popup items and toolbar buttons that share a menu item's enabled state.
    QHash<QAction*, QList<QAction*>> twins;
    bool sortMode = false;
    clsRecentList recentList;
    QMdiArea* mdiArea = nullptr;
    std::array<QLabel*, 4> panels{};
    std::array<QAction*, clsRecentList::Size> recentItems{};
    QList<QAction*> windowItems;
    QString newFile;
    int newMode = 0;
    int newID = 0;
    // The path last chosen in the open dialog.
    QString szOpenPath;
};
