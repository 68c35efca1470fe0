// The main window's construction, start-up and exit.
#include "frmMain.h"

#include "clsFormats.h"
#include "clsMessenger.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

frmMain::frmMain(clsSettingsStore& store, QWidget* parent) : QMainWindow(parent), settings(store)
{
    setWindowTitle(AppTitle());
    resize(800, 600);
    mdiArea = new QMdiArea(this);
    setCentralWidget(mdiArea);
    CreateMenus();
    CreateStatusBar();
    ConnectCommands();
}

void frmMain::CreateMenus()
{
    mnFile = menuBar()->addMenu(u"ファイル(&F)"_s);
    mnFile->setObjectName(u"mnFile"_s);
    mnEnd = mnFile->addAction(u"終了(&X)"_s);
    mnEnd->setObjectName(u"mnEnd"_s);
    mnBar4 = mnFile->addSeparator();
    mnBar4->setObjectName(u"mnBar4"_s);
    mnBar4->setVisible(false);
    for (int n = 1; n <= clsRecentList::Size; ++n) {
        QAction* item = mnFile->addAction(QString());
        item->setObjectName(u"mnRecent"_s + QString::number(n));
        item->setVisible(false);
        recentItems.at(static_cast<size_t>(n - 1)) = item;
    }
}

void frmMain::CreateStatusBar()
{
    for (size_t i = 0; i < panels.size(); ++i) {
        panels[i] = new QLabel(this);
        panels[i]->setObjectName(u"Panel"_s + QString::number(i + 1));
        // The first panel carries the document's messages and takes the spare width.
        statusBar()->addWidget(panels[i], i == 0 ? 1 : 0);
    }
}

void frmMain::ConnectCommands()
{
    connect(mnEnd, &QAction::triggered, this, &QWidget::close);
}

bool frmMain::Startup()
{
    gFormats().Clear();
    if (LoadSettings() == clsLoadResult::WrongVersion)
        return false;
    if (gFormats().Count() == 0) {
        gMsgBox().Information(u"フォーマットが登録されていません。\r\n"
                              u"フォーマットマネージャでフォーマットを登録してください。"_s,
                              AppTitle());
        if (LoadSettings() == clsLoadResult::WrongVersion || gFormats().Count() == 0)
            return false;
    }
    CntDoc = 0;
    nCurMode = 1;
    szCurMode = gFormats().Format(nCurMode)->FormatName;
    szCurFile.clear();
    nNewMode = nCurMode;
    nNewID = 1;
    StatusPanel(1)->setText(u"ファイルを開いてください。"_s);
    return true;
}

clsLoadResult frmMain::LoadSettings()
{
    const clsLoadResult result = clsStartup::LoadSettings(settings, gFormats(), recentList);
    ShowRecentList();
    return result;
}

void frmMain::SaveSettings()
{
    clsStartup::SaveSettings(settings, gFormats());
}

void frmMain::ShowRecentList()
{
    for (int n = 1; n <= clsRecentList::Size; ++n) {
        QString caption = recentList.File(n);
        mnRecent(n)->setText(caption.replace(u'&', u"&&"_s));
        mnRecent(n)->setVisible(!caption.isEmpty());
    }
    mnBar4->setVisible(recentList.AnyUsed());
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Each document window may ask to save and may refuse to close.
    mdiArea->closeAllSubWindows();
    if (!mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    SaveSettings();
    event->accept();
}

void frmMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        bInit = false;
    QMainWindow::changeEvent(event);
}
