// The program's main window: the multi-document frame, its File and Window menus and status bar.
#pragma once

#include "clsDocumentHost.h"
#include "clsRecentList.h"
#include "clsStartup.h"

#include <QMainWindow>
#include <QRect>

#include <array>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class clsCommandLine;
class clsSettingsStore;
class frmCsv;

// Hosts the document windows, decides which file and format each one gets, and carries the
// hand-off values they read and write.
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

    void SetNewFile(const QString& szFile) { newFile = szFile; }
    void SetNewMode(int nMode) { newMode = nMode; }

    // Hand-off with the format chooser and the document windows.
    bool bInit = false; // a file named on the command line is being opened
    QString szCurFile;  // file of the active document window
    int nCurMode = 0;   // format position of the active document window
    QString szCurMode;  // format name of the active document window
    int CntDoc = 0;     // document windows created and not yet closed

    QMenu* mnFile = nullptr;
    QAction* mnNew = nullptr;
    QAction* mnOpen = nullptr;
    QAction* mnSave = nullptr;
    QAction* mnNamedAndSave = nullptr;
    QAction* mnSaveAll = nullptr;
    QAction* mnClose = nullptr;
    QAction* mnEnd = nullptr;
    QAction* mnBar4 = nullptr;
    QMenu* mnWindow = nullptr;
    QAction* mnVertical = nullptr;
    QAction* mnHorizontal = nullptr;
    QAction* mnCascade = nullptr;
    QAction* mnWindowAllVert = nullptr;
    QAction* mnNewWindow = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateStatusBar();
    void ConnectCommands();
    void ShowRecentList();

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

    clsSettingsStore& settings;
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
