// The program's main window: the multi-document frame, its File menu and status bar.
#pragma once

#include "clsRecentList.h"
#include "clsStartup.h"

#include <QMainWindow>

#include <array>

class QLabel;
class QMdiArea;
class clsSettingsStore;

// Hosts the document windows and carries the hand-off fields they read and write.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // The store stays the caller's and must outlive the window.
    explicit frmMain(clsSettingsStore& store, QWidget* parent = nullptr);

    // Loads the settings and the formats (a second time after telling the user when none is
    // registered) and sets the hand-off fields. False when the program must end.
    bool Startup();
    // Loads options, recent list and formats (gFormats) and shows the list in the File menu.
    clsLoadResult LoadSettings();
    // Writes options, version and column widths; run when the window closes.
    void SaveSettings();

    clsSettingsStore& Settings() const { return settings; }
    QMdiArea* MdiArea() const { return mdiArea; }
    const clsRecentList& RecentList() const { return recentList; }
    // Status-bar panel n, 1..4.
    QLabel* StatusPanel(int n) const { return panels.at(static_cast<size_t>(n - 1)); }
    // The File menu's recent item n, 1..10.
    QAction* mnRecent(int n) const { return recentItems.at(static_cast<size_t>(n - 1)); }

    // Hand-off with the format chooser and the document windows.
    bool bInit = false; // a file named on the command line is being opened
    QString szCurFile;  // file of the active document window
    int nCurMode = 0;   // format position of the active document window
    QString szCurMode;  // format name of the active document window
    QString szNewFile;  // file the next load or save uses
    int nNewMode = 0;   // format position the next load uses
    int nNewID = 0;     // number of the next document window
    int CntDoc = 0;     // document windows created and not yet closed

    QMenu* mnFile = nullptr;
    QAction* mnEnd = nullptr;
    QAction* mnBar4 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateMenus();
    void CreateStatusBar();
    void ConnectCommands();
    void ShowRecentList();

    clsSettingsStore& settings;
    clsRecentList recentList;
    QMdiArea* mdiArea = nullptr;
    std::array<QLabel*, 4> panels{};
    std::array<QAction*, clsRecentList::Size> recentItems{};
};
