// The main window's construction, menus, start-up, document hosting, window commands and exit.
#include "frmMain.h"

#include "clsDialog.h"
#include "clsDocument.h"
#include "clsFileDrop.h"
#include "clsFormats.h"
#include "clsIcons.h"
#include "clsMessenger.h"
#include "clsWindowArrange.h"
#include "frmCsv.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

frmMain::frmMain(clsSettingsStore& store, QWidget* parent) : QMainWindow(parent), settings(store)
{
    setWindowTitle(AppTitle());
    resize(800, 600);
    setAcceptDrops(true);
    mdiArea = new QMdiArea(this);
    setCentralWidget(mdiArea);
    setWindowIcon(clsIcons::App());
    CreateMenus();
    CreateToolbar();
    CreateStatusBar();
    ConnectCommands();
    UpdateCommands();
}

frmMain::~frmMain()
{
    // The document windows go first, without reporting to a frame that is half torn down.
    disconnect(mdiArea, nullptr, this, nullptr);
    qDeleteAll(mdiArea->subWindowList());
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
        mnFormatWiz_Click();
        if (LoadSettings() == clsLoadResult::WrongVersion || gFormats().Count() == 0)
            return false;
    }
    CntDoc = 0;
    nCurMode = 1;
    szCurMode = gFormats().Format(nCurMode)->FormatName;
    szCurFile.clear();
    newMode = nCurMode;
    newID = 1;
    gDialog().SetInitDir(QCoreApplication::applicationDirPath());
    StatusPanel(1)->setText(u"ファイルを開いてください。"_s);
    // Some commands depend on the formats just read.
    UpdateCommands();
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

frmCsv* frmMain::ActiveDocument() const
{
    // The current window rather than the active one: while a dialog or box has the focus
    // the frame is inactive, yet commands still act on the document behind it.
    QMdiSubWindow* window = mdiArea->currentSubWindow();
    return window ? qobject_cast<frmCsv*>(window->widget()) : nullptr;
}

QList<frmCsv*> frmMain::Documents() const
{
    QList<frmCsv*> documents;
    for (QMdiSubWindow* window : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* document = qobject_cast<frmCsv*>(window->widget()))
            documents.append(document);
    }
    return documents;
}

void frmMain::SetCurrent(const QString& szFile, int nMode, const QString& szMode)
{
    szCurFile = szFile;
    nCurMode = nMode;
    szCurMode = szMode;
}

void frmMain::SetStatus(const QString& szPanel1, const QString& szPanel2, const QString& szPanel3,
                        const QString& szPanel4)
{
    const std::array<const QString*, 4> texts = {&szPanel1, &szPanel2, &szPanel3, &szPanel4};
    for (size_t i = 0; i < panels.size(); ++i)
        panels.at(i)->setText(*texts.at(i));
}

void frmMain::SetMainCaption(const QString& szCaption)
{
    setWindowTitle(szCaption);
}

void frmMain::EndProgram()
{
    // Later, so the window that asked is not torn down while it is still running.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmMain::DocumentClosed()
{
    --CntDoc;
    // Once the closed window has left the workspace, the frame shows the one that is left.
    QMetaObject::invokeMethod(this, &frmMain::ShowFrameState, Qt::QueuedConnection);
}

void frmMain::Form_Activate(QMdiSubWindow* window)
{
    if (auto* document = window ? qobject_cast<frmCsv*>(window->widget()) : nullptr) {
        undoGroup.setActiveStack(&document->Document().UndoStack());
        document->Form_Activate();
    } else {
        undoGroup.setActiveStack(nullptr);
        UpdateCommands();
    }
}

void frmMain::Arrange(const std::vector<QRect>& rects)
{
    const QList<frmCsv*> documents = Documents();
    for (size_t k = 0; k < rects.size() && k < static_cast<size_t>(documents.size()); ++k) {
        QWidget* window = documents.at(static_cast<qsizetype>(k))->parentWidget();
        window->showNormal();
        window->setGeometry(rects.at(k));
    }
}

void frmMain::ShowWindowList()
{
    qDeleteAll(windowItems);
    windowItems.clear();
    const frmCsv* active = ActiveDocument();
    const QList<frmCsv*> documents = Documents();
    if (!documents.isEmpty())
        windowItems.append(mnWindow->addSeparator());
    for (qsizetype k = 0; k < documents.size(); ++k) {
        frmCsv* document = documents.at(k);
        QString caption = document->windowTitle();
        QAction* item = mnWindow->addAction(u'&' + QString::number(k + 1) + u' ' +
                                            caption.replace(u'&', u"&&"_s));
        item->setCheckable(true);
        item->setChecked(document == active);
        const QPointer<QMdiSubWindow> window =
            qobject_cast<QMdiSubWindow*>(document->parentWidget());
        connect(item, &QAction::triggered, this, [this, window] {
            if (window)
                mdiArea->setActiveSubWindow(window);
        });
        windowItems.append(item);
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Each document window may ask to save and may refuse to close.
    mdiArea->closeAllSubWindows();
    if (!mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        ShowFrameState();
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

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    clsFileDrop::Enter(event);
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QStringList files = clsFileDrop::Files(event);
    if (!files.isEmpty())
        FilesDropped(files);
}
