// The format manager's construction: menus, toolbar, grid, status bar, menu state, the format
// under edit, the structure-name check and the close question.
#include "frmFormatMan.h"

#include "clsFormatRules.h"
#include "clsFormats.h"
#include "clsIcons.h"
#include "clsMessenger.h"
#include "frmSourceOutput.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCaption = u"Format Manager"_s;

QAction* AddItem(QMenu* menu, const QString& szName, const QString& szCaption)
{
    QAction* item = menu->addAction(szCaption);
    item->setObjectName(szName);
    return item;
}

QMenu* AddMenu(QMenu* parent, const QString& szName, const QString& szCaption)
{
    QMenu* menu = parent->addMenu(szCaption);
    menu->setObjectName(szName);
    menu->menuAction()->setObjectName(szName);
    return menu;
}

} // namespace

frmFormatMan::frmFormatMan(clsSettingsStore& store, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinMaxButtonsHint),
      settings(store)
{
    setWindowTitle(u"Format Manager"_s);
    setWindowIcon(clsIcons::App());
    resize(720, 420);
    vaSpread = new QTableWidget(this);
    vaSpread->setObjectName(u"vaSpread"_s);
    // Rows as compact as a document's grid, and room for member numbers up to three digits.
    const QFontMetrics metrics(vaSpread->font());
    vaSpread->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    vaSpread->verticalHeader()->setMinimumWidth(metrics.horizontalAdvance(u"000"_s) + 10);
    statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    CreateMenus();
    CreateToolbar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(this);
    bar->addMenu(mnFile);
    bar->addMenu(mnEdit);
    layout->setMenuBar(bar);
    layout->addWidget(Toolbar1);
    layout->addWidget(vaSpread, 1);
    layout->addWidget(statusBar);
    ConnectCommands();

    SetGridHeader();
    bChanged = false;
    SetMenuState(1);
}

frmFormatMan::~frmFormatMan() = default;

void frmFormatMan::CreateMenus()
{
    mnFile = new QMenu(u"ファイル(&F)"_s, this);
    mnFile->setObjectName(u"mnFile"_s);
    mnNew = AddMenu(mnFile, u"mnNew"_s, u"新規作成(&N)"_s);
    mnNewVBFile = AddItem(mnNew, u"mnNewVBFile"_s, u"ＶＢユーザ定義型から"_s);
    mnNewCFile = AddItem(mnNew, u"mnNewCFile"_s, u"Ｃ／Ｃ＋＋構造体から"_s);
    mnNewManual = AddItem(mnNew, u"mnNewManual"_s, u"手動で設定"_s);
    mnOpenRegisted = AddItem(mnFile, u"mnOpenRegisted"_s, u"登録フォーマットを開く(&O)"_s);
    mnFile->addSeparator()->setObjectName(u"mnBar001"_s);
    mnSave = AddItem(mnFile, u"mnSave"_s, u"設定をファイルに保存(&S)"_s);
    mnRegist = AddItem(mnFile, u"mnRegist"_s, u"登録(&R)"_s);
    mnDeleteFormat = AddItem(mnFile, u"mnDeleteFormat"_s, u"フォーマットの削除(&D)"_s);
    // Double-clicking a registry file registers it only on Windows; this works everywhere.
    mnImportReg = AddItem(mnFile, u"mnImportReg"_s, u"レジストリファイルから登録(&I)"_s);
    mnFile->addSeparator()->setObjectName(u"mnBar002"_s);
    mnSaveAsSource = AddMenu(mnFile, u"mnSaveAsSource"_s, u"形式を変えて出力"_s);
    mnSaveAsVB = AddItem(mnSaveAsSource, u"mnSaveAsVB"_s, u"ＶＢユーザ定義型として出力"_s);
    mnSaveAsC = AddItem(mnSaveAsSource, u"mnSaveAsC"_s, u"Ｃ／Ｃ＋＋構造体として出力"_s);
    mnSaveAsXSL = AddItem(mnSaveAsSource, u"mnSaveAsXSL"_s, u"ＸＳＬスタイルシートとして出力"_s);
    mnFile->addSeparator()->setObjectName(u"mnBar003"_s);
    mnQuit = AddItem(mnFile, u"mnQuit"_s, u"閉じる(&X)"_s);

    mnEdit = new QMenu(u"編集(&E)"_s, this);
    mnEdit->setObjectName(u"mnEdit"_s);
    mnEditInsert = AddItem(mnEdit, u"mnEditInsert"_s, u"メンバの挿入(&I)"_s);
    mnEditDelete = AddItem(mnEdit, u"mnEditDelete"_s, u"メンバの削除(&E)"_s);
    mnEditMoveUp = AddItem(mnEdit, u"mnEditMoveUp"_s, u"１行上に移動(&U)"_s);
    mnEditMoveDown = AddItem(mnEdit, u"mnEditMoveDown"_s, u"１行下に移動(&D)"_s);
    mnEdit->addSeparator()->setObjectName(u"mnBar010"_s);
    mnEditHeader = AddItem(mnEdit, u"mnEditHeader"_s, u"ヘッダ情報(&H)"_s);
}

void frmFormatMan::CreateToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(u"Toolbar1"_s);
    Toolbar1->setIconSize(QSize(20, 20));
    const struct
    {
        const char16_t* key;
        const char16_t* description;
        const char16_t* tip;
        QAction* item;
    } buttons[] = {
        {u"OpenVB", u"ＶＢファイルから", u"ＶＢソースファイルから開く", mnNewVBFile},
        {u"OpenC", u"Ｃ／Ｃ＋＋ファイルから", u"Ｃ／Ｃ＋＋ソースファイルから開く", mnNewCFile},
        {u"New", u"手動で設定", u"手動で設定", mnNewManual},
        {u"Open", u"登録フォーマットを開く", u"登録フォーマットを開く", mnOpenRegisted},
        {u"SaveAsReg", u"登録", u"登録", mnRegist},
        {u"SaveAsFile", u"ファイルに保存", u"ファイルに保存", mnSave},
        {u"Insert", u"メンバの挿入", u"メンバの挿入", mnEditInsert},
        {u"Delete", u"メンバの削除", u"メンバの削除", mnEditDelete},
        {u"RowUp", u"１行上に移動", u"１行上に移動", mnEditMoveUp},
        {u"RowDown", u"１行下に移動", u"１行下に移動", mnEditMoveDown},
        {u"Prop", u"", u"ヘッダ情報の編集", mnEditHeader},
    };
    for (const auto& button : buttons) {
        const QString key = QString::fromUtf16(button.key);
        if (key == u"SaveAsReg"_s || key == u"Insert"_s || key == u"Prop"_s)
            Toolbar1->addSeparator();
        QAction* action = Toolbar1->addAction(clsIcons::FormatManager(key), QString());
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf16(button.tip));
        action->setStatusTip(QString::fromUtf16(button.description));
        action->setWhatsThis(QString::fromUtf16(button.description));
        toolButtons.insert(key, action);
        QAction* item = button.item;
        connect(action, &QAction::triggered, item, &QAction::trigger);
        // A button is enabled exactly when its menu item is.
        connect(item, &QAction::enabledChanged, action, &QAction::setEnabled);
    }
}

void frmFormatMan::ConnectCommands()
{
    connect(mnNewVBFile, &QAction::triggered, this, &frmFormatMan::mnNewVBFile_Click);
    connect(mnNewCFile, &QAction::triggered, this, &frmFormatMan::mnNewCFile_Click);
    connect(mnNewManual, &QAction::triggered, this, &frmFormatMan::mnNewManual_Click);
    connect(mnOpenRegisted, &QAction::triggered, this, &frmFormatMan::mnOpenRegisted_Click);
    connect(mnSave, &QAction::triggered, this, &frmFormatMan::mnSave_Click);
    connect(mnRegist, &QAction::triggered, this, &frmFormatMan::mnRegist_Click);
    connect(mnDeleteFormat, &QAction::triggered, this, &frmFormatMan::mnDeleteFormat_Click);
    connect(mnImportReg, &QAction::triggered, this, &frmFormatMan::mnImportReg_Click);
    // The generators write a format of the program's store, not the one under edit.
    connect(mnSaveAsVB, &QAction::triggered, this, [this] { frmSourceOutput::mnSaveAsVB(this); });
    connect(mnSaveAsC, &QAction::triggered, this, [this] { frmSourceOutput::mnSaveAsC(this); });
    connect(mnSaveAsXSL, &QAction::triggered, this, [this] { frmSourceOutput::mnSaveAsXSL(this); });
    connect(mnQuit, &QAction::triggered, this, &QWidget::close);
    connect(mnEditInsert, &QAction::triggered, this, &frmFormatMan::mnEditInsert_Click);
    connect(mnEditDelete, &QAction::triggered, this, &frmFormatMan::mnEditDelete_Click);
    connect(mnEditMoveUp, &QAction::triggered, this, &frmFormatMan::mnEditMoveUp_Click);
    connect(mnEditMoveDown, &QAction::triggered, this, &frmFormatMan::mnEditMoveDown_Click);
    connect(mnEditHeader, &QAction::triggered, this, &frmFormatMan::mnEditHeader_Click);
    connect(vaSpread, &QTableWidget::currentCellChanged, this,
            [this](int row, int col) { ShowHelp(row + 1, col + 1); });
    connect(vaSpread, &QTableWidget::itemChanged, this, [this] { SetChanged(); });
    vaSpread->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vaSpread, &QWidget::customContextMenuRequested, this, &frmFormatMan::ShowPopup);
}

clsFormat& frmFormatMan::EditFormat()
{
    if (!editFormat)
        editFormat = std::make_unique<clsFormat>();
    return *editFormat;
}

void frmFormatMan::SetEditFormat(std::unique_ptr<clsFormat> format)
{
    if (!format)
        gMsgBox().ProcError(u"Nothingのフォーマットオブジェクトが渡されました。"_s, 201,
                            u"frmFormatEdit"_s, u"Prop_Set_EditFormat"_s);
    editFormat = std::move(format);
}

void frmFormatMan::SetMenuState(int nMode)
{
    const bool shown = nMode == 2;
    for (QAction* item :
         {mnSave, mnRegist, mnEditInsert, mnEditDelete, mnEditMoveUp, mnEditMoveDown, mnEditHeader})
        item->setEnabled(shown);
    for (QLabel* panel : std::as_const(panels)) {
        statusBar->removeWidget(panel);
        delete panel;
    }
    panels.clear();
    if (shown) {
        auto* name =
            new QLabel(EditFormat().FormatName + u'[' + EditFormat().StructName + u']', statusBar);
        name->setObjectName(u"StName"_s);
        statusBar->addWidget(name);
        panels.insert(u"StName"_s, name);
    }
    auto* message = new QLabel(
        shown ? QString() : u"メニューから編集するフォーマットを選択してください。"_s, statusBar);
    message->setObjectName(u"Message"_s);
    statusBar->addWidget(message, 1);
    panels.insert(u"Message"_s, message);
    const bool registered = gFormats().Count() >= 1;
    mnOpenRegisted->setEnabled(registered);
    for (QAction* item : {mnSaveAsVB, mnSaveAsC, mnSaveAsXSL})
        item->setEnabled(registered);
    mnSaveAsSource->menuAction()->setEnabled(registered);
}

void frmFormatMan::ShowHeaderPanel()
{
    if (QLabel* panel = StatusPanel(u"StName"_s)) {
        const clsFormat& format = EditFormat();
        panel->setText(format.FormatName + u'[' + format.StructName + u"] "_s +
                       format.FileTypeAsString());
    }
}

bool frmFormatMan::CheckStructName(const QString& szName)
{
    const clsFormatRules::Failure failure = clsFormatRules::CheckStructName(szName);
    if (!failure)
        return true;
    gMsgBox().Exclamation(failure.szMessage, kCaption);
    return false;
}

bool frmFormatMan::IsNumeric(const QString& szText)
{
    static const QRegularExpression number(
        u"^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"_s);
    return number.match(szText).hasMatch();
}

int frmFormatMan::WholeNumber(const QString& szText, bool* ok)
{
    if (ok)
        *ok = false;
    if (!IsNumeric(szText))
        return 0;
    const double value = std::nearbyint(szText.trimmed().toDouble());
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
        return 0;
    if (ok)
        *ok = true;
    return static_cast<int>(value);
}

void frmFormatMan::reject()
{
    close();
}

void frmFormatMan::closeEvent(QCloseEvent* event)
{
    if (bChanged &&
        gMsgBox().QuestionNega(u"フォーマット情報は変更されています。レジストリに登録しますか？"_s,
                               kCaption) == clsMessenger::Yes)
        mnRegist_Click();
    bChanged = false;
    editFormat.reset();
    event->accept();
}
