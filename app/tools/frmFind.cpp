// The find-and-replace window: its controls, their interplay and the calls of the engine.
#include "frmFind.h"

#include "clsDocument.h"
#include "clsFindEngine.h"
#include "clsFormat.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsMessenger.h"
#include "frmCsv.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

frmFind::frmFind(frmCsv& document, QWidget* parent)
    : QDialog(parent), doc(&document), engine(std::make_unique<clsFindEngine>(document.Document()))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(u"検索"_s);
    CreateControls();
    // Without its document the window has nothing to work on.
    connect(&document, &QObject::destroyed, this, [this] {
        engine.reset();
        close();
    });
    Form_Load();
}

frmFind::~frmFind() = default;

void frmFind::CreateControls()
{
    Label1 = new QLabel(u"検索する項目を指定し、キーを入力してください。"_s, this);
    List = new QListWidget(this);
    Text1 = new QLineEdit(this);
    Text2 = new QLineEdit(u"置換後の文字列"_s, this);
    Check1 = new QCheckBox(u"部分一致を含む"_s, this);
    Check2 = new QCheckBox(u"大小文字の区別をする"_s, this);
    Check3 = new QCheckBox(u"一致する部分を置換"_s, this);
    Check4 = new QCheckBox(u"全項目を検索対象とする"_s, this);
    Check5 = new QCheckBox(u"正規表現"_s, this);
    Command1 = new QPushButton(u"検索 F3"_s, this);
    Command2 = new QPushButton(u"キャンセル"_s, this);
    Command3 = new QPushButton(u"置換(&R)"_s, this);
    Command4 = new QPushButton(u"全て置換(&A)"_s, this);
    Check3->setVisible(false);
    // Enter in a text box must not press a button by itself.
    for (QPushButton* button : {Command1, Command2, Command3, Command4})
        button->setAutoDefault(false);

    auto* options = new QVBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2)})
        options->addWidget(widget);
    for (QCheckBox* box : {Check1, Check3, Check2, Check4, Check5})
        options->addWidget(box);
    options->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {Command1, Command3, Command4, Command2})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(List, 1);
    body->addLayout(options, 2);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(body);

    connect(Check1, &QCheckBox::toggled, this, &frmFind::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &frmFind::Check2_Click);
    connect(Check4, &QCheckBox::toggled, this,
            [this](bool checked) { List->setEnabled(!checked); });
    connect(Command1, &QPushButton::clicked, this, &frmFind::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, this, &frmFind::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmFind::Command4_Click);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmFind::Form_Load()
{
    const clsFormat* format = doc->Document().Format();
    const int members = format ? format->MemCount() : 0;
    const clsGridModel& model = doc->GridModel();
    for (int col = 1; col <= members; ++col)
        List->addItem(model.headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString());
    const int activeCol = doc->ActiveCol();
    List->setCurrentRow(std::max(activeCol, 1) - 1);
    if (activeCol > 0 && doc->ActiveRow() > 0)
        Text1->setText(doc->Document().Text(doc->ActiveRow(), activeCol));
    engine->SetSearchPosition(1, 1);
}

void frmFind::Check1_Click(bool bChecked)
{
    Check3->setVisible(bChecked);
    if (bChecked)
        Check2->setChecked(false);
}

void frmFind::Check2_Click(bool bChecked)
{
    if (bChecked)
        Check1->setChecked(false);
}

bool frmFind::TakeOptions()
{
    if (!engine)
        return false;
    clsFindOptions options;
    options.key = Text1->text();
    options.replacement = Text2->text();
    options.partial = Check1->isChecked();
    options.caseSensitive = Check2->isChecked();
    options.replacePart = Check3->isChecked();
    options.allColumns = Check4->isChecked();
    options.regex = Check5->isChecked();
    options.column = List->currentRow() + 1;
    options.columns = List->count();
    if (engine->SetOptions(options))
        return true;
    SetTopmost(false);
    gMsgBox().Exclamation(engine->ErrorText(), AppTitle());
    SetTopmost(true);
    return false;
}

void frmFind::Command1_Click()
{
    if (!TakeOptions())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const clsFindEngine::Hit hit = engine->FindNext();
    QApplication::restoreOverrideCursor();
    if (hit.found)
        MakeActive(hit.row, hit.col);
    else
        Inform(clsFindEngine::NotFoundText(Text1->text()));
    activateWindow();
}

void frmFind::Command3_Click()
{
    if (!TakeOptions())
        return;
    const clsFindEngine::Hit hit = engine->ReplaceNext();
    if (hit.found)
        MakeActive(hit.row, hit.col);
    else
        Inform(clsFindEngine::NotFoundText(Text1->text()));
    activateWindow();
}

void frmFind::Command4_Click()
{
    if (!TakeOptions())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    clsFindEngine::Hit last;
    const int count = engine->ReplaceAll(&last);
    QApplication::restoreOverrideCursor();
    if (count > 0) {
        MakeActive(last.row, last.col);
        Inform(clsFindEngine::ReplacedText(count));
    } else {
        Inform(clsFindEngine::NotFoundText(Text1->text()));
    }
}

void frmFind::MakeActive(int lnRow, int lnCol)
{
    if (!doc)
        return;
    const QModelIndex cell = doc->GridModel().index(lnRow - 1, lnCol - 1);
    if (!cell.isValid())
        return;
    doc->Grid().selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    doc->Grid().scrollTo(cell);
}

bool frmFind::Topmost() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void frmFind::SetTopmost(bool bOn)
{
    if (Topmost() == bOn)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, bOn);
    // Changing the flag hides a shown window.
    if (shown)
        show();
}

void frmFind::Inform(const QString& szText)
{
    SetTopmost(false);
    gMsgBox().Information(szText, AppTitle());
    SetTopmost(true);
}

void frmFind::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        SetTopmost(true);
        Text1->setFocus();
    }
}

bool frmFind::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key == Qt::Key_F3) {
            Command1_Click();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && (watched == Text1 || watched == Text2)) {
        static_cast<QLineEdit*>(watched)->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}
