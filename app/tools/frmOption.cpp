// The options window: its frames and controls, the browse and font buttons, the path check.
#include "frmOption.h"

#include "Module1.h"
#include "clsDialog.h"
#include "clsMessenger.h"
#include "clsOptionEdit.h"
#include "clsOptions.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QCheckBox* NewCheck(const QString& szName, const QString& szCaption, QWidget* parent)
{
    auto* box = new QCheckBox(szCaption, parent);
    box->setObjectName(szName);
    return box;
}

// Programs carry no extension outside Windows, where a pattern cannot pick them out.
QString ProgramFilter()
{
#ifdef Q_OS_WIN
    return u"実行ファイル(*.exe)|*.exe|全てのファイル(*.*)|*.*||"_s;
#else
    return u"全てのファイル(*)|*||"_s;
#endif
}

} // namespace

frmOption::frmOption(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(u"設定"_s);
    setObjectName(u"frmOption"_s);
    Command1 = new QPushButton(u"ＯＫ"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setDefault(true);
    Command2 = new QPushButton(u"キャンセル"_s, this);
    Command2->setObjectName(u"Command2"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HeaderFrame());
    layout->addWidget(EditFrame());
    layout->addWidget(LineBreakFrame());
    layout->addWidget(PathFrame());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Check7, &QCheckBox::toggled, this, &frmOption::Check7_Click);
    connect(Command1, &QPushButton::clicked, this, &frmOption::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmOption::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &frmOption::Command5_Click);
    for (int i = 1; i <= 2; ++i)
        connect(Command3(i), &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    ShowOptions();
}

QGroupBox* frmOption::HeaderFrame()
{
    auto* frame = new QGroupBox(u"ヘッダの表示"_s, this);
    Check1 = NewCheck(u"Check1"_s, u"カラム番号"_s, frame);
    Check2 = NewCheck(u"Check2"_s, u"有効桁数"_s, frame);
    Check3 = NewCheck(u"Check3"_s, u"データ型"_s, frame);
    Check4 = NewCheck(u"Check4"_s, u"メンバ名"_s, frame);
    Check5 = NewCheck(u"Check5"_s, u"コメント"_s, frame);
    auto* layout = new QHBoxLayout(frame);
    for (QCheckBox* box : {Check1, Check2, Check3, Check4, Check5})
        layout->addWidget(box);
    return frame;
}

QGroupBox* frmOption::EditFrame()
{
    auto* frame = new QGroupBox(u"編集"_s, this);
    Check6 = NewCheck(u"Check6"_s, u"項目の [ 有効桁数 ] で表示・編集の制限をかける"_s, frame);
    Check7 = NewCheck(u"Check7"_s, u"セル幅の自動調整"_s, frame);
    Option1 = new QRadioButton(u"ヘッダ幅で調整"_s, frame);
    Option1->setObjectName(u"Option1"_s);
    Option2 = new QRadioButton(u"前回起動時の幅で調整"_s, frame);
    Option2->setObjectName(u"Option2"_s);
    Command5 = new QPushButton(u"フォント"_s, frame);
    Command5->setObjectName(u"Command5"_s);
    auto* layout = new QGridLayout(frame);
    layout->addWidget(Check6, 0, 0, 1, 3);
    layout->addWidget(Check7, 1, 0, 1, 3);
    // The two ways sit indented under the box that switches them on.
    layout->setColumnMinimumWidth(0, 20);
    layout->addWidget(Option1, 2, 1);
    layout->addWidget(Option2, 2, 2);
    layout->addWidget(Command5, 3, 2, Qt::AlignRight);
    return frame;
}

QGroupBox* frmOption::LineBreakFrame()
{
    auto* frame = new QGroupBox(u"改行の編集"_s, this);
    Check8 = NewCheck(u"Check8"_s, u"許可する"_s, frame);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(Check8);
    return frame;
}

QGroupBox* frmOption::PathFrame()
{
    auto* frame = new QGroupBox(u"パス"_s, this);
    auto* layout = new QGridLayout(frame);
    const std::array<QString, 2> captions = {u"テキストファイルのエディタ"_s,
                                             u"バイナリファイルのエディタ"_s};
    for (int i = 1; i <= 2; ++i) {
        const auto n = static_cast<size_t>(i - 1);
        pathLabels[n] = new QLabel(captions[n], frame);
        pathLabels[n]->setObjectName(u"Label1_"_s + QString::number(i));
        pathBoxes[n] = new QLineEdit(frame);
        pathBoxes[n]->setObjectName(u"Text1_"_s + QString::number(i));
        pathBoxes[n]->setMinimumWidth(320);
        pathBoxes[n]->installEventFilter(this);
        pathLabels[n]->setBuddy(pathBoxes[n]);
        browseButtons[n] = new QPushButton(u"参照"_s, frame);
        browseButtons[n]->setObjectName(u"Command3_"_s + QString::number(i));
        layout->addWidget(pathLabels[n], 2 * i - 2, 0, 1, 2);
        layout->addWidget(pathBoxes[n], 2 * i - 1, 0);
        layout->addWidget(browseButtons[n], 2 * i - 1, 1);
    }
    return frame;
}

void frmOption::ShowOptions()
{
    bRes = false;
    const clsOptionEdit edit = clsOptionEdit::FromGlobals();
    const std::array<QCheckBox*, 5> headers = {Check1, Check2, Check3, Check4, Check5};
    for (size_t k = 0; k < headers.size(); ++k)
        headers[k]->setChecked(edit.abHeader[k]);
    Check6->setChecked(edit.bLimitWidth);
    Check7->setChecked(edit.bAutoWidth);
    Option1->setChecked(edit.nWidthMode == 1);
    Option2->setChecked(edit.nWidthMode == 2);
    Check8->setChecked(edit.bLineBreaks);
    Text1(1)->setText(edit.szTextPath);
    Text1(2)->setText(edit.szBinPath);
    Check7_Click();
}

void frmOption::Check7_Click()
{
    Option1->setEnabled(Check7->isChecked());
    Option2->setEnabled(Check7->isChecked());
}

void frmOption::Command1_Click()
{
    clsOptionEdit edit;
    const std::array<QCheckBox*, 5> headers = {Check1, Check2, Check3, Check4, Check5};
    for (size_t k = 0; k < headers.size(); ++k)
        edit.abHeader[k] = headers[k]->isChecked();
    edit.bLimitWidth = Check6->isChecked();
    edit.bAutoWidth = Check7->isChecked();
    edit.nWidthMode = Option2->isChecked() ? 2 : 1;
    edit.bLineBreaks = Check8->isChecked();
    edit.szTextPath = Text1(1)->text();
    edit.szBinPath = Text1(2)->text();
    if (const int bad = edit.BadPath(); bad != 0) {
        gMsgBox().Exclamation(u"正しいパスを指定してください。"_s, AppTitle());
        Text1(bad)->setFocus();
        Text1(bad)->selectAll();
        return;
    }
    edit.ToGlobals();
    bRes = true;
    accept();
}

void frmOption::Command2_Click()
{
    reject();
}

void frmOption::Command3_Click(int i)
{
    clsDialog& dialog = gDialog();
    dialog.SetTitle(i == 1 ? u"テキストファイルを開くアプリケーション"_s
                           : u"バイナリファイルを開くアプリケーション"_s);
    dialog.SetFilter(ProgramFilter());
    dialog.SetFileName(Module1::GetFileName(Text1(i)->text()));
    if (dialog.ShowOpen(this, false))
        Text1(i)->setText(dialog.FileName());
}

void frmOption::Command5_Click()
{
    clsDialog& dialog = gDialog();
    // The platform's font dialog keeps its own caption; the title is set for the dialog state.
    dialog.SetTitle(u"フォントの指定"_s);
    dialog.SetFontName(gFontName);
    dialog.SetFontSize(gFontSize);
    dialog.SetFontItalic(gFontItalic);
    dialog.SetFontBold(gFontBold);
    if (!dialog.ShowFont(this))
        return;
    // Taken at once: cancelling the options afterwards keeps the chosen font.
    gFontName = dialog.FontName();
    gFontSize = dialog.FontSize();
    gFontBold = dialog.FontBold();
    gFontItalic = dialog.FontItalic();
}

bool frmOption::eventFilter(QObject* watched, QEvent* event)
{
    // Selected after the click that gave the focus, which would otherwise place the cursor.
    if (event->type() == QEvent::FocusIn) {
        for (QLineEdit* box : pathBoxes) {
            if (watched == box)
                QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
    }
    return QDialog::eventFilter(watched, event);
}
