// The main window's menu tree, popup menu, toolbar and status bar, and their connections.
#include "clsIcons.h"
#include "clsWindowArrange.h"
#include "frmCsv.h"
#include "frmMain.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

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

QMenu* AddMenu(QMenu* parent, const QString& szName, const QString& szCaption)
{
    QMenu* menu = parent->addMenu(szCaption);
    menu->setObjectName(szName);
    menu->menuAction()->setObjectName(szName);
    return menu;
}

QMenu* AddMenu(QMenuBar* bar, const QString& szName, const QString& szCaption)
{
    QMenu* menu = bar->addMenu(szCaption);
    menu->setObjectName(szName);
    menu->menuAction()->setObjectName(szName);
    return menu;
}

QAction* AddCheckItem(QMenu* menu, const QString& szName, const QString& szCaption, bool bChecked)
{
    QAction* item = AddItem(menu, szName, szCaption);
    item->setCheckable(true);
    item->setChecked(bChecked);
    return item;
}

} // namespace

void frmMain::CreateMenus()
{
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    mnTools = AddMenu(menuBar(), u"mnTools"_s, u"ツール(&T)"_s);
    mnValidate = AddItem(mnTools, u"mnValidate"_s, u"検証(&V)"_s);
    CreateWindowMenu();
    mnHelp = AddMenu(menuBar(), u"mnHelp"_s, u"ヘルプ(&H)"_s);
    mnHelpView = AddItem(mnHelp, u"mnHelpView"_s, u"ヘルプ(&H)"_s, QKeySequence::HelpContents);
    mnVersion = AddItem(mnHelp, u"mnVersion"_s, u"バージョン情報(&V)"_s);
    CreatePopup();
}

void frmMain::CreateFileMenu()
{
    mnFile = AddMenu(menuBar(), u"mnFile"_s, u"ファイル(&F)"_s);
    mnNew = AddItem(mnFile, u"mnNew"_s, u"新規作成(&N)"_s, Qt::CTRL | Qt::Key_N);
    mnOpen = AddItem(mnFile, u"mnOpen"_s, u"開く(&O)"_s, Qt::CTRL | Qt::Key_O);
    mnSave = AddItem(mnFile, u"mnSave"_s, u"上書き保存(&S)"_s, Qt::CTRL | Qt::Key_S);
    mnNamedAndSave =
        AddItem(mnFile, u"mnNamedAndSave"_s, u"名前を付けて保存(&T)"_s, Qt::CTRL | Qt::Key_T);
    mnSaveAll = AddItem(mnFile, u"mnSaveAll"_s, u"全て保存(&A)"_s, Qt::CTRL | Qt::Key_A);
    mnClose = AddItem(mnFile, u"mnClose"_s, u"閉じる(&C)"_s);
    mnFile->addSeparator();
    mnChgType = AddMenu(mnFile, u"mnChgType"_s, u"形式を変えて出力"_s);
    mnOutCsv = AddItem(mnChgType, u"mnOutCsv"_s, u"ＣＳＶ形式で出力"_s);
    mnOutHTML = AddItem(mnChgType, u"mnOutHTML"_s, u"ＨＴＭＬ形式で出力"_s);
    mnOutXML = AddItem(mnChgType, u"mnOutXML"_s, u"ＸＭＬ形式で出力"_s);
    mnFile->addSeparator();
    mnPrint = AddItem(mnFile, u"mnPrint"_s, u"印刷(&P)"_s);
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
}

void frmMain::CreateEditMenu()
{
    mnEdit = AddMenu(menuBar(), u"mnEdit"_s, u"編集(&E)"_s);
    mnUndo = AddItem(mnEdit, u"mnUndo"_s, u"元に戻す(&U)"_s, Qt::CTRL | Qt::Key_Z);
    mnRedo = AddItem(mnEdit, u"mnRedo"_s, u"やり直し(&R)"_s, Qt::CTRL | Qt::Key_Y);
    mnEdit->addSeparator();
    mnInsertRow = AddItem(mnEdit, u"mnInsertRow"_s, u"行挿入(&I)"_s, Qt::CTRL | Qt::Key_I);
    mnDeleteRow = AddItem(mnEdit, u"mnDeleteRow"_s, u"行削除(&D)"_s, Qt::CTRL | Qt::Key_D);
    mnRowUp = AddItem(mnEdit, u"mnRowUp"_s, u"１行上に移動"_s);
    mnRowDown = AddItem(mnEdit, u"mnRowDown"_s, u"１行下に移動"_s);
    mnEdit->addSeparator();
    mnEditCopy = AddItem(mnEdit, u"mnEditCopy"_s, u"コピー(&C)"_s, Qt::CTRL | Qt::Key_C);
    mnEditCut = AddItem(mnEdit, u"mnEditCut"_s, u"切り取り(&X)"_s, Qt::CTRL | Qt::Key_X);
    // Paste is Ctrl+P here, as users of the program have always known it.
    mnEditPaste = AddItem(mnEdit, u"mnEditPaste"_s, u"張り付け(&P)"_s, Qt::CTRL | Qt::Key_P);
    mnEdit->addSeparator();
    mnFind = AddItem(mnEdit, u"mnFind"_s, u"検索(&F)"_s, Qt::CTRL | Qt::Key_F);
    mnEdit->addSeparator();
    mnSort = AddCheckItem(mnEdit, u"mnSort"_s, u"ソート(&S)"_s, false);
}

void frmMain::CreateViewMenu()
{
    mnView = AddMenu(menuBar(), u"mnView"_s, u"表示(&V)"_s);
    mnViewSource = AddItem(mnView, u"mnViewSource"_s, u"ソース表示(&V)"_s);
    mnSummary = AddItem(mnView, u"mnSummary"_s, u"合計(&S)"_s);
    mnView->addSeparator();
    mnFormatWiz =
        AddItem(mnView, u"mnFormatWiz"_s, u"フォーマットマネージャ(&F)"_s, Qt::CTRL | Qt::Key_R);
    mnDataWiz = AddMenu(mnView, u"mnDataWiz"_s, u"テストデータウィザード(&T)"_s);
    mnDataWizFull = AddItem(mnDataWiz, u"mnDataWizFull"_s, u"一括"_s);
    mnDataWizPart = AddItem(mnDataWiz, u"mnDataWizPart"_s, u"カーソル列"_s);
    mnOutUniqueList = AddItem(mnView, u"mnOutUniqueList"_s, u"一意な値のリスト"_s);
    mnView->addSeparator();
    mnViewTool = AddCheckItem(mnView, u"mnViewTool"_s, u"ツールバー(&B)"_s, true);
    mnViewStatus = AddCheckItem(mnView, u"mnViewStatus"_s, u"ステータスバー(&S)"_s, true);
    mnView->addSeparator();
    mnOption = AddItem(mnView, u"mnOption"_s, u"オプション(&O)"_s);
}

void frmMain::CreateWindowMenu()
{
    mnWindow = AddMenu(menuBar(), u"mnWindow"_s, u"ウィンドウ(&W)"_s);
    mnVertical = AddItem(mnWindow, u"mnVertical"_s, u"縦に並べる(&V)"_s);
    mnHorizontal = AddItem(mnWindow, u"mnHorizontal"_s, u"横に並べる(&H)"_s);
    mnCascade = AddItem(mnWindow, u"mnCascade"_s, u"重ねて表示(&C)"_s);
    mnWindowAllVert =
        AddItem(mnWindow, u"mnWindowAllVert"_s, u"全て縦に並べる(&A)"_s, Qt::CTRL | Qt::Key_W);
    mnWindow->addSeparator();
    mnNewWindow = AddItem(mnWindow, u"mnNewWindow"_s, u"新しいウィンドウを開く(&N)"_s);
}

void frmMain::CreatePopup()
{
    // Never on the menu bar: the document windows open it at the mouse.
    mnPopup = new QMenu(u"ポップアップ"_s, this);
    mnPopup->setObjectName(u"mnPopup"_s);
    mnPopInsertRow = AddItem(mnPopup, u"mnPopInsertRow"_s, u"行挿入(&I)"_s);
    mnPopDeleteRow = AddItem(mnPopup, u"mnPopDeleteRow"_s, u"行削除(&D)"_s);
    mnPopup->addSeparator();
    mnPopFind = AddItem(mnPopup, u"mnPopFind"_s, u"検索(&F)"_s);
    mnPopSort = AddCheckItem(mnPopup, u"mnPopSort"_s, u"ソート(&S)"_s, false);
    mnPopup->addSeparator();
    mnPopSummary = AddItem(mnPopup, u"mnPopSummary"_s, u"合計(&S)"_s);
    mnPopup->addSeparator();
    mnPopDataWizPart = AddItem(mnPopup, u"mnPopDataWizPart"_s, u"テストデータ作成[カーソル列]"_s);
}

void frmMain::CreateToolbar()
{
    toolbar = addToolBar(u"ツールバー"_s);
    toolbar->setObjectName(u"Toolbar"_s);
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(20, 20));
    // Each button stands for the menu item of its row and passes its clicks on to it.
    const struct
    {
        const char16_t* key;
        const char16_t* tip;
        QAction* item;
        bool separatorBefore;
    } buttons[] = {
        {u"OpenAsNew", u"新規作成", mnNew, false},
        {u"Open", u"ファイルを開く", mnOpen, false},
        {u"Save", u"上書き保存", mnSave, false},
        {u"SaveAll", u"全て保存", mnSaveAll, false},
        {u"Cut", u"切り取り", mnEditCut, true},
        {u"Copy", u"コピー", mnEditCopy, false},
        {u"Paste", u"張り付け", mnEditPaste, false},
        {u"Find", u"検索", mnFind, true},
        {u"Sort", u"ソート", mnSort, false},
        {u"Summary", u"セルの合計", mnSummary, false},
        {u"InsertRow", u"行の挿入", mnInsertRow, true},
        {u"DeleteRow", u"行の削除", mnDeleteRow, false},
        {u"RowUp", u"１行上に移動", mnRowUp, false},
        {u"RowDown", u"１行下に移動", mnRowDown, false},
        {u"Option", u"オプション", mnOption, true},
    };
    for (const auto& button : buttons) {
        const QString key = QString::fromUtf16(button.key);
        if (button.separatorBefore)
            toolbar->addSeparator();
        QAction* action =
            toolbar->addAction(clsIcons::Toolbar(key), QString::fromUtf16(button.tip));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf16(button.tip));
        action->setCheckable(button.item->isCheckable());
        toolButtons.insert(key, action);
        twins[button.item].append(action);
        QAction* item = button.item;
        connect(action, &QAction::triggered, item, [item] { item->trigger(); });
    }
}

void frmMain::CreateStatusBar()
{
    statusBar()->setObjectName(u"StatusBar1"_s);
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
    ConnectDocumentCommands();

    connect(mnViewSource, &QAction::triggered, this, &frmMain::mnViewSource_Click);
    connect(mnViewTool, &QAction::triggered, this,
            [this](bool checked) { toolbar->setVisible(checked); });
    connect(mnViewStatus, &QAction::triggered, this,
            [this](bool checked) { statusBar()->setVisible(checked); });

    connect(mnVertical, &QAction::triggered, this, [this] {
        Arrange(clsWindowArrange::TileVertical(static_cast<int>(Documents().size()),
                                               mdiArea->viewport()->size()));
    });
    connect(mnHorizontal, &QAction::triggered, this, [this] {
        Arrange(clsWindowArrange::TileHorizontal(static_cast<int>(Documents().size()),
                                                 mdiArea->viewport()->size()));
    });
    connect(mnCascade, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(mnWindowAllVert, &QAction::triggered, this, &frmMain::mnWindowAllVert_Click);
    connect(mnNewWindow, &QAction::triggered, this, &frmMain::mnNew_Click);
    connect(mnWindow, &QMenu::aboutToShow, this, &frmMain::ShowWindowList);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::Form_Activate);

    connect(mnDataWizFull, &QAction::triggered, this, &frmMain::mnDataWizFull_Click);
    connect(mnDataWizPart, &QAction::triggered, this, &frmMain::mnDataWizPart_Click);
    connect(mnPopDataWizPart, &QAction::triggered, this, &frmMain::mnDataWizPart_Click);
    connect(mnHelpView, &QAction::triggered, this, &frmMain::mnHelpView_Click);
    connect(mnVersion, &QAction::triggered, this, &frmMain::mnVersion_Click);
    connect(mnOption, &QAction::triggered, this, &frmMain::mnOption_Click);
    connect(mnFormatWiz, &QAction::triggered, this, &frmMain::mnFormatWiz_Click);
}

void frmMain::ConnectDocumentCommands()
{
    connect(mnUndo, &QAction::triggered, &undoGroup, &QUndoGroup::undo);
    connect(mnRedo, &QAction::triggered, &undoGroup, &QUndoGroup::redo);
    connect(&undoGroup, &QUndoGroup::canUndoChanged, this, &frmMain::UpdateCommands);
    connect(&undoGroup, &QUndoGroup::canRedoChanged, this, &frmMain::UpdateCommands);
    const std::pair<QAction*, void (frmCsv::*)()> operations[] = {
        {mnInsertRow, &frmCsv::InsertRow}, {mnPopInsertRow, &frmCsv::InsertRow},
        {mnDeleteRow, &frmCsv::DeleteRow}, {mnPopDeleteRow, &frmCsv::DeleteRow},
        {mnRowUp, &frmCsv::RowUp},         {mnRowDown, &frmCsv::RowDown},
        {mnEditCopy, &frmCsv::Copy},       {mnEditCut, &frmCsv::Cut},
        {mnEditPaste, &frmCsv::Paste},     {mnSummary, &frmCsv::Summary},
        {mnPopSummary, &frmCsv::Summary},  {mnValidate, &frmCsv::Validate},
        {mnPrint, &frmCsv::PrintCell},
    };
    for (const auto& [item, operation] : operations) {
        const auto method = operation;
        connect(item, &QAction::triggered, this, [this, method] { OnDocument(method); });
    }
    connect(mnFind, &QAction::triggered, this, &frmMain::mnFind_Click);
    connect(mnOutCsv, &QAction::triggered, this, &frmMain::mnOutCsv_Click);
    connect(mnOutHTML, &QAction::triggered, this, &frmMain::mnOutHTML_Click);
    connect(mnOutXML, &QAction::triggered, this, &frmMain::mnOutXML_Click);
    connect(mnOutUniqueList, &QAction::triggered, this, &frmMain::mnOutUniqueList_Click);
    connect(mnPopFind, &QAction::triggered, mnFind, &QAction::trigger);
    for (QAction* item : {mnSort, mnPopSort})
        connect(item, &QAction::triggered, this, [this] { SetSortMode(!SortMode()); });
    connect(mnEdit, &QMenu::aboutToShow, this, &frmMain::mnEdit_Open);
    twins[mnInsertRow].append(mnPopInsertRow);
    twins[mnDeleteRow].append(mnPopDeleteRow);
    twins[mnFind].append(mnPopFind);
    twins[mnSort].append(mnPopSort);
    twins[mnSummary].append(mnPopSummary);
}
