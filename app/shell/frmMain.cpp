// The main window's construction, menus, start-up, document hosting, window commands and exit.
#include "frmMain.h"

#include "clsDialog.h"
#include "clsFileDrop.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsWindowArrange.h"
#include "frmCsv.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

namespace {

QAction* AddItem(QMenu* menu, const QString& szName, const QString& szCaption,
                 const QKeySequence& shortcut = {})
{
    QAction* item = menu->addAction(szCaption);
    item->setObjectName(szName);
    item->setShortcut(shortcut);
    return item;
}

} // namespace

frmMain::frmMain(clsSettingsStore& store, QWidget* parent) : QMainWindow(parent), settings(store)
{
    setWindowTitle(AppTitle());
    resize(800, 600);
    setAcceptDrops(true);
    mdiArea = new QMdiArea(this);
    setCentralWidget(mdiArea);
    CreateMenus();
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

void frmMain::CreateMenus()
{
    mnFile = menuBar()->addMenu(u"ファイル(&F)"_s);
    mnFile->setObjectName(u"mnFile"_s);
    mnNew = AddItem(mnFile, u"mnNew"_s, u"新規作成(&N)"_s, Qt::CTRL | Qt::Key_N);
    mnOpen = AddItem(mnFile, u"mnOpen"_s, u"開く(&O)"_s, Qt::CTRL | Qt::Key_O);
    mnSave = AddItem(mnFile, u"mnSave"_s, u"上書き保存(&S)"_s, Qt::CTRL | Qt::Key_S);
    mnNamedAndSave =
        AddItem(mnFile, u"mnNamedAndSave"_s, u"名前を付けて保存(&T)"_s, Qt::CTRL | Qt::Key_T);
    mnSaveAll = AddItem(mnFile, u"mnSaveAll"_s, u"全て保存(&A)"_s, Qt::CTRL | Qt::Key_A);
    mnClose = AddItem(mnFile, u"mnClose"_s, u"閉じる(&C)"_s);
    mnFile->addSeparator();
    mnEnd = AddItem(mnFile, u"mnEnd"_s, u"終了(&X)"_s);
    mnBar4 = mnFile->addSeparator();
    mnBar4->setObjectName(u"mnBar4"_s);
    mnBar4->setVisible(false);
    for (int n = 1; n <= clsRecentList::Size; ++n) {
        QAction* item = AddItem(mnFile, u"mnRecent"_s + QString::number(n), QString());
        item->setVisible(false);
        recentItems.at(static_cast<size_t>(n - 1)) = item;
    }

    mnWindow = menuBar()->addMenu(u"ウィンドウ(&W)"_s);
    mnWindow->setObjectName(u"mnWindow"_s);
    mnVertical = AddItem(mnWindow, u"mnVertical"_s, u"縦に並べる(&V)"_s);
    mnHorizontal = AddItem(mnWindow, u"mnHorizontal"_s, u"横に並べる(&H)"_s);
    mnCascade = AddItem(mnWindow, u"mnCascade"_s, u"重ねて表示(&C)"_s);
    mnWindowAllVert =
        AddItem(mnWindow, u"mnWindowAllVert"_s, u"全て縦に並べる(&A)"_s, Qt::CTRL | Qt::Key_W);
    mnWindow->addSeparator();
    mnNewWindow = AddItem(mnWindow, u"mnNewWindow"_s, u"新しいウィンドウを開く(&N)"_s);
}

void frmMain::CreateStatusBar()
{
    for (size_t i = 0; i < panels.size(); ++i) {
        panels[i] = new QLabel(this);
        panels[i]->setObjectName(u"Panel"_s + QString::number(i + 1));
        // Sunken and padded like the panels of a status bar, so neighbouring texts stay apart.
        panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels[i]->setContentsMargins(4, 0, 4, 0);
        // The first panel carries the document's messages and takes the spare width.
        statusBar()->addWidget(panels[i], i == 0 ? 1 : 0);
    }
}

void frmMain::ConnectCommands()
{
    connect(mnNew, &QAction::triggered, this, &frmMain::mnNew_Click);
    connect(mnOpen, &QAction::triggered, this, &frmMain::mnOpen_Click);
    connect(mnSave, &QAction::triggered, this, &frmMain::mnSave_Click);
    connect(mnNamedAndSave, &QAction::triggered, this, &frmMain::mnNamedAndSave_Click);
    connect(mnSaveAll, &QAction::triggered, this, &frmMain::mnSaveAll_Click);
    connect(mnClose, &QAction::triggered, this, &frmMain::mnClose_Click);
    connect(mnEnd, &QAction::triggered, this, &QWidget::close);
    for (int n = 1; n <= clsRecentList::Size; ++n)
        connect(mnRecent(n), &QAction::triggered, this, [this, n] { mnRecent_Click(n); });

    connect(mnVertical, &QAction::triggered, this, [this] {
        Arrange(clsWindowArrange::TileVertical(static_cast<int>(Documents().size()),
                                               mdiArea->viewport()->size()));
    });
    connect(mnHorizontal, &QAction::triggered, this, [this] {
        Arrange(clsWindowArrange::TileHorizontal(static_cast<int>(Documents().size()),
                                                 mdiArea->viewport()->size()));
    });
    connect(mnCascade, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(mnWindowAllVert, &QAction::triggered, this, [this] {
        Arrange(clsWindowArrange::StackAll(static_cast<int>(Documents().size()),
                                           mdiArea->viewport()->size()));
    });
    connect(mnNewWindow, &QAction::triggered, this, &frmMain::mnNew_Click);
    connect(mnWindow, &QMenu::aboutToShow, this, &frmMain::ShowWindowList);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::Form_Activate);
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
    newMode = nCurMode;
    newID = 1;
    gDialog().SetInitDir(QCoreApplication::applicationDirPath());
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

void frmMain::UpdateCommands()
{
    const frmCsv* document = ActiveDocument();
    // A closing document already counts as gone.
    const bool bDocument = document && !document->bUnload();
    for (QAction* item : {mnSave, mnNamedAndSave, mnSaveAll, mnClose})
        item->setEnabled(bDocument);
}

void frmMain::EndProgram()
{
    // Later, so the window that asked is not torn down while it is still running.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmMain::DocumentClosed()
{
    --CntDoc;
}

void frmMain::Form_Activate(QMdiSubWindow* window)
{
    if (auto* document = window ? qobject_cast<frmCsv*>(window->widget()) : nullptr)
        document->Form_Activate();
    else
        UpdateCommands();
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
