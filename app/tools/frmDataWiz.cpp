// The data wizard's window: its pages, their checks, the template buttons and the generation.
#include "frmDataWiz.h"

#include "clsDataTemplate.h"
#include "clsDialog.h"
#include "clsDocument.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "frmCsv.h"
#include "frmInput.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"Data Wizard"_s;
constexpr int kMethods = 7;

// The boxes (1 fixed, 2 list, 3 start) each method reads.
std::vector<int> BoxesOf(int lnMethod)
{
    switch (lnMethod) {
    case clsDataWizItem::Fixed:
    case clsDataWizItem::FixedAndRandom:
        return {1};
    case clsDataWizItem::ListPick:
        return {2};
    case clsDataWizItem::RunningNumber:
        return {3};
    case clsDataWizItem::FixedAndListPick:
        return {1, 2};
    case clsDataWizItem::FixedAndRunningNumber:
        return {1, 3};
    default:
        return {};
    }
}

QGroupBox* Frame(const QString& szCaption, QWidget* content, QWidget* parent)
{
    auto* frame = new QGroupBox(szCaption, parent);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(content);
    return frame;
}

} // namespace

frmDataWiz::frmDataWiz(frmCsv& csvWindow, int lnMode, bool bComments, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), csv(csvWindow),
      mode(lnMode)
{
    setWindowTitle(kTitle);
    ChooseFile = [this](bool bSave, QString& szPath) { return ChooseWithDialog(bSave, szPath); };
    CreateControls();
    if (const clsFormat* format = gFormats().Format(csv.Mode())) {
        structName = format->StructName;
        formatName = format->FormatName;
        column = mode == clsDataGenerator::AllColumns ? 0 : csv.ActiveCol();
        items = clsDataGenerator::Items(*format, mode, column, bComments);
    }
    ShowPage();
}

void frmDataWiz::CreateControls()
{
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label5 = new QLabel(this);
    Label7 = new QLabel(this);
    const QString captions[] = {u"ランダム"_s,           u"固定値"_s,
                                u"固定値からランダム"_s, u"連番"_s,
                                u"固定値＋ランダム"_s,   u"固定値＋固定値からランダム"_s,
                                u"固定値＋連番"_s};
    auto* values = new QWidget(this);
    auto* grid = new QGridLayout(values);
    for (int i = 1; i <= kMethods; ++i) {
        Option1[i] = new QRadioButton(captions[i - 1], values);
        Option1[i]->setObjectName(u"Option1_"_s + QString::number(i));
        grid->addWidget(Option1[i], i - 1, 0);
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { SelectMethod(i); });
    }
    const QString boxLabels[] = {u"固定値"_s, u"固定値からランダム"_s, u"　　　　連番　開始番号"_s};
    for (int i = 1; i <= 3; ++i) {
        Text1[i] = new QLineEdit(values);
        Text1[i]->setObjectName(u"Text1_"_s + QString::number(i));
        grid->addWidget(new QLabel(boxLabels[i - 1], values), kMethods + i - 1, 0);
        grid->addWidget(Text1[i], kMethods + i - 1, 1);
    }
    Text1[2]->setToolTip(u"固定値をカンマ区切りで入力します"_s);

    Command1 = new QPushButton(u"次へ"_s, this);
    Command2 = new QPushButton(u"キャンセル"_s, this);
    Command3 = new QPushButton(u"設定ファイル"_s, this);
    Command4 = new QPushButton(u"設定の保存"_s, this);
    Command1->setDefault(true);
    Label1->setObjectName(u"Label1"_s);
    Label2->setObjectName(u"Label2"_s);
    Label5->setObjectName(u"Label5"_s);
    Label7->setObjectName(u"Label7"_s);
    Command1->setObjectName(u"Command1"_s);
    Command2->setObjectName(u"Command2"_s);
    Command3->setObjectName(u"Command3"_s);
    Command4->setObjectName(u"Command4"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    auto* facts = new QHBoxLayout;
    facts->addWidget(Frame(u"フォーマット名"_s, Label7, this), 2);
    facts->addWidget(Frame(u"有効桁数"_s, Label2, this), 1);
    facts->addWidget(Frame(u"データ型"_s, Label5, this), 1);
    layout->addLayout(facts);
    layout->addWidget(Frame(u"値の設定"_s, values, this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &frmDataWiz::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDataWiz::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmDataWiz::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmDataWiz::Command4_Click);
}

void frmDataWiz::ShowPage()
{
    const int count = static_cast<int>(items.size());
    Command1->setText(u"次へ"_s);
    Command2->setText(page == 1 ? u"キャンセル"_s : u"戻る"_s);
    Command3->setEnabled(mode == clsDataGenerator::AllColumns);
    Command4->setEnabled(mode == clsDataGenerator::AllColumns && page == count);
    Label7->setText(formatName);
    if (page < 1 || page > count)
        return;
    const clsDataWizItem& item = items[static_cast<size_t>(page - 1)];
    Label1->setText(u"No."_s + QString::number(page) + u"  "_s + item.name +
                    u" の設定を選択してください。"_s);
    Label2->setText(QString::number(item.digits));
    Label5->setText(gFormatInfo().GetTypeName(3, item.type));
    Text1[1]->setText(item.fixed);
    Text1[2]->setText(item.list);
    Text1[3]->setText(item.start);
    SelectMethod(item.method);
}

void frmDataWiz::SelectMethod(int lnMethod)
{
    if (lnMethod < 1 || lnMethod > kMethods)
        lnMethod = clsDataWizItem::Random;
    Option1[lnMethod]->setChecked(true);
    const std::vector<int> used = BoxesOf(lnMethod);
    for (int i = 1; i <= 3; ++i) {
        const bool enabled = std::find(used.begin(), used.end(), i) != used.end();
        Text1[i]->setEnabled(enabled);
        QPalette colours = Text1[i]->palette();
        colours.setColor(QPalette::Base,
                         palette().color(enabled ? QPalette::Base : QPalette::Button));
        Text1[i]->setPalette(colours);
    }
    if (!used.empty())
        Text1[used.front()]->setFocus();
}

int frmDataWiz::SelectedMethod() const
{
    for (int i = 1; i <= kMethods; ++i) {
        if (Option1[i]->isChecked())
            return i;
    }
    return clsDataWizItem::Random;
}

bool frmDataWiz::StorePage()
{
    if (page < 1 || page > static_cast<int>(items.size()))
        return true;
    clsDataWizItem& item = items[static_cast<size_t>(page - 1)];
    const int method = SelectedMethod();
    if (method == clsDataWizItem::Fixed) {
        QString fixed = Text1[1]->text();
        const QString message = clsDataGenerator::CheckFixed(item, fixed);
        if (!message.isEmpty()) {
            Exclamation(message);
            Text1[1]->setFocus();
            return false;
        }
        Text1[1]->setText(fixed);
    }
    item.method = method;
    item.fixed = Text1[1]->text();
    item.list = Text1[2]->text();
    item.start = clsDataGenerator::IsNumeric(Text1[3]->text()) ? Text1[3]->text() : u"1"_s;
    return true;
}

void frmDataWiz::Command1_Click()
{
    if (!StorePage())
        return;
    if (mode == clsDataGenerator::AllColumns && page < static_cast<int>(items.size())) {
        ++page;
        ShowPage();
        return;
    }
    frmInput input(this);
    input.exec();
    if (!input.bRes)
        return;
    Generate(input.lnCnt);
    accept();
}

void frmDataWiz::Generate(int lnCount)
{
    if (items.empty())
        return;
    // Filling one column of a large document takes a moment.
    if (mode == clsDataGenerator::CursorColumn)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([this] {
        if (mode == clsDataGenerator::CursorColumn)
            QGuiApplication::restoreOverrideCursor();
    });
    clsDataGenerator generator;
    generator.Generate(csv.Document(), items, mode, column, lnCount);
    csv.SetCntData(lnCount);
    csv.Form_Activate();
}

void frmDataWiz::Command2_Click()
{
    if (page <= 1) {
        reject();
        return;
    }
    if (!StorePage())
        return;
    --page;
    ShowPage();
}

void frmDataWiz::Command3_Click()
{
    QString path;
    if (!ChooseFile(false, path))
        return;
    const QString message = clsDataTemplate::Load(path, items);
    if (!message.isEmpty()) {
        Exclamation(message);
        reject();
        return;
    }
    page = static_cast<int>(items.size());
    ShowPage();
}

void frmDataWiz::Command4_Click()
{
    if (!StorePage())
        return;
    QString path;
    if (!ChooseFile(true, path))
        return;
    const QString message = clsDataTemplate::Save(path, items, structName);
    if (!message.isEmpty()) {
        Exclamation(message);
        reject();
    }
}

bool frmDataWiz::ChooseWithDialog(bool bSave, QString& szPath)
{
    clsDialog& dialog = gDialog();
    dialog.SetInitDir(QCoreApplication::applicationDirPath());
    bool chosen = false;
    if (bSave) {
        dialog.SetTitle(u"設定の保存"_s);
        dialog.SetFilter(u"設定テンプレートファイル(*.dwt)|*.dwt||"_s);
        dialog.SetFileName(structName + u".dwt"_s);
        chosen = dialog.ShowSave(this, u"dwt"_s, false);
    } else {
        dialog.SetTitle(u"設定ファイルを開く"_s);
        dialog.SetFilter(u"設定テンプレートファイル(*.dwt)|*.dwt|すべてのファイル(*.*)|*.*||"_s);
        dialog.SetFileName(QString());
        chosen = dialog.ShowOpen(this, false);
    }
    if (chosen)
        szPath = dialog.FileName();
    return chosen;
}

void frmDataWiz::Exclamation(const QString& szText)
{
    gMsgBox().Exclamation(szText, kTitle);
}
