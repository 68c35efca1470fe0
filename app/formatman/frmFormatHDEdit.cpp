// The header editor: its controls, the visibility per file type, the character-set items and
// the checks of the OK button in their order.
#include "frmFormatHDEdit.h"

#include "Module1.h"
#include "clsMessenger.h"
#include "frmFormatMan.h"

#include <QCheckBox>
#include <QComboBox>
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

const QString kCaption = u"Format Manager"_s;

QGroupBox* Frame(const QString& szTitle, QWidget* parent)
{
    return new QGroupBox(szTitle, parent);
}

} // namespace

frmFormatHDEdit::frmFormatHDEdit(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    auto* prompt = new QLabel(u"ファイルの情報を入力してください。"_s, this);

    auto* fraName = Frame(u"フォーマット名称"_s, this);
    txtName = new QLineEdit(fraName);
    (new QVBoxLayout(fraName))->addWidget(txtName);

    auto* fraStName = Frame(u"構造体名"_s, this);
    txtStName = new QLineEdit(fraStName);
    txtStName->setToolTip(u"構造体名"_s);
    (new QVBoxLayout(fraStName))->addWidget(txtStName);

    auto* fraType = Frame(u"ファイルタイプ"_s, this);
    auto* typeLayout = new QVBoxLayout(fraType);
    const std::array<QString, 3> typeNames = {u"可変長ﾃｷｽﾄ"_s, u"固定長ﾃｷｽﾄ"_s,
                                              u"バイナリファイル"_s};
    for (size_t i = 0; i < optType.size(); ++i) {
        optType.at(i) = new QRadioButton(typeNames.at(i), fraType);
        optType.at(i)->setObjectName(u"optType"_s + QString::number(i + 1));
        typeLayout->addWidget(optType.at(i));
        connect(optType.at(i), &QRadioButton::clicked, this, &frmFormatHDEdit::ApplyVisibility);
    }

    fraCharSet = Frame(u"文字コード"_s, this);
    cmbCharSet = new QComboBox(fraCharSet);
    for (const QString& set : {u"Shift-JIS"_s, u"JIS"_s, u"EUC"_s, u"Unicode UTF-8"_s}) {
        // The UTF-8 items carry no space before the bracket.
        const QString gap = set.startsWith(u"Unicode"_s) ? QString() : u" "_s;
        for (const QString& end : {u"CRLF"_s, u"CR"_s, u"LF"_s})
            cmbCharSet->addItem(set + gap + u"(改行："_s + end + u')');
    }
    (new QVBoxLayout(fraCharSet))->addWidget(cmbCharSet);

    fraQuote = Frame(u"項目区切り文字"_s, this);
    cmbQuote = new QComboBox(fraQuote);
    cmbQuote->setEditable(true);
    cmbQuote->addItems({u"カンマ"_s, u"タブ"_s, u"スペース"_s});
    (new QVBoxLayout(fraQuote))->addWidget(cmbQuote);

    fraSkip = Frame(u"ヘッダ読み飛ばし"_s, this);
    txtSkipBytes = new QLineEdit(fraSkip);
    txtSkipBytes->setAlignment(Qt::AlignRight);
    auto* skipLayout = new QHBoxLayout(fraSkip);
    skipLayout->addWidget(txtSkipBytes);
    skipLayout->addWidget(new QLabel(u"Bytes"_s, fraSkip));

    chkEscInput = new QCheckBox(u"ダブルクォートを脱エスケープして読込"_s, this);
    chkEscOutput = new QCheckBox(u"ダブルクォートをエスケープして書込"_s, this);
    chkCareQuote = new QCheckBox(u"項目の区切りにダブルクォートを考慮する"_s, this);

    cmdOK = new QPushButton(u"ＯＫ"_s, this);
    cmdCancel = new QPushButton(u"キャンセル"_s, this);
    cmdOK->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(prompt, 0, 0, 1, 2);
    layout->addWidget(fraName, 1, 0, 1, 2);
    layout->addWidget(fraStName, 2, 0);
    layout->addWidget(fraType, 2, 1, 2, 1);
    layout->addWidget(fraCharSet, 3, 0);
    layout->addWidget(fraQuote, 4, 0);
    layout->addWidget(fraSkip, 4, 1);
    layout->addWidget(chkEscInput, 5, 0, 1, 2);
    layout->addWidget(chkEscOutput, 6, 0, 1, 2);
    layout->addWidget(chkCareQuote, 7, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons, 8, 0, 1, 2);

    const QList<std::pair<QWidget*, QString>> names = {
        {txtStName, u"txtStName"_s},       {cmbCharSet, u"cmbCharSet"_s},
        {cmbQuote, u"cmbQuote"_s},         {txtName, u"txtName"_s},
        {txtSkipBytes, u"txtSkipBytes"_s}, {chkEscInput, u"chkEscInput"_s},
        {chkEscOutput, u"chkEscOutput"_s}, {chkCareQuote, u"chkCareQuote"_s},
        {fraQuote, u"fraQuote"_s},         {fraSkip, u"fraSkip"_s},
        {fraCharSet, u"fraCharSet"_s},     {cmdOK, u"cmdOK"_s},
        {cmdCancel, u"cmdCancel"_s}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(name);

    txtStName->installEventFilter(this);
    txtSkipBytes->installEventFilter(this);
    connect(txtStName, &QLineEdit::textEdited, this,
            [this](const QString& text) { setWindowTitle(u"[ "_s + text + u" ]のプロパティ"_s); });
    connect(cmdOK, &QPushButton::clicked, this, &frmFormatHDEdit::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int frmFormatHDEdit::CharSetItem(int lnCharSet, const QString& szCRLF)
{
    const int end = szCRLF == u"\r\n"_s ? 1 : szCRLF == u"\r"_s ? 2 : 3;
    return (qBound(1, lnCharSet, 4) - 1) * 3 + (end - 1);
}

void frmFormatHDEdit::ItemCharSet(int nItem, int& lnCharSet, QString& szCRLF)
{
    int base = 0;
    if (nItem >= 9) {
        lnCharSet = 4;
        base = 9;
    } else if (nItem >= 6) {
        lnCharSet = 3;
        base = 6;
    } else if (nItem >= 3) {
        lnCharSet = 2;
        base = 3;
    } else {
        lnCharSet = 1;
    }
    const int end = nItem - base;
    szCRLF = end == 0 ? u"\r\n"_s : end == 1 ? u"\r"_s : u"\n"_s;
}

bool frmFormatHDEdit::ShowEdit(QString& szStName, int& lnType, int& lnCharSet, QString& szCRLF,
                               QString& szSepChr, QString& szName, int& lnSkipBytes, int& bEscInput,
                               int& bEscOutput, int& bCareQuote)
{
    Load(szStName, lnType, lnCharSet, szCRLF, szSepChr, szName, lnSkipBytes, bEscInput, bEscOutput,
         bCareQuote);
    exec();
    if (!bOK)
        return false;
    lnType = SelectedType();
    ItemCharSet(cmbCharSet->currentIndex(), lnCharSet, szCRLF);
    szSepChr = cmbQuote->currentText();
    szName = Module1::Trim(txtName->text());
    lnSkipBytes = frmFormatMan::WholeNumber(Module1::Trim(txtSkipBytes->text()));
    szStName = Module1::Trim(txtStName->text());
    bEscInput = chkEscInput->isChecked() ? 1 : 0;
    bEscOutput = chkEscOutput->isChecked() ? 1 : 0;
    bCareQuote = chkCareQuote->isChecked() ? 1 : 0;
    return true;
}

void frmFormatHDEdit::Load(const QString& szStName, int lnType, int lnCharSet,
                           const QString& szCRLF, const QString& szSepChr, const QString& szName,
                           int lnSkipBytes, int bEscInput, int bEscOutput, int bCareQuote)
{
    setWindowTitle(u"[ "_s + szStName + u" ]のプロパティ"_s);
    const int button = lnType == 1 || lnType == 2 ? lnType : 3;
    optType.at(static_cast<size_t>(button - 1))->setChecked(true);
    ApplyVisibility();
    if (szSepChr == u","_s)
        cmbQuote->setCurrentIndex(0);
    else if (szSepChr == u"\t"_s)
        cmbQuote->setCurrentIndex(1);
    else if (szSepChr == u" "_s)
        cmbQuote->setCurrentIndex(2);
    else
        cmbQuote->setEditText(szSepChr);
    cmbCharSet->setCurrentIndex(CharSetItem(lnCharSet, szCRLF));
    txtName->setText(szName);
    txtSkipBytes->setText(QString::number(lnSkipBytes));
    txtStName->setText(Module1::Trim(szStName));
    chkEscInput->setChecked(bEscInput != 0);
    chkEscOutput->setChecked(bEscOutput != 0);
    chkCareQuote->setChecked(bCareQuote != 0);
    bOK = false;
}

int frmFormatHDEdit::SelectedType() const
{
    for (size_t i = 0; i < optType.size(); ++i) {
        if (optType.at(i)->isChecked())
            return static_cast<int>(i) + 1;
    }
    return 3;
}

void frmFormatHDEdit::ApplyVisibility()
{
    const int type = SelectedType();
    const bool delimited = type == 1;
    fraQuote->setVisible(delimited);
    chkEscInput->setVisible(delimited);
    chkEscOutput->setVisible(delimited);
    chkCareQuote->setVisible(delimited);
    fraSkip->setVisible(type == 3);
    fraCharSet->setVisible(true);
}

bool frmFormatHDEdit::eventFilter(QObject* watched, QEvent* event)
{
    // Entering either box selects its whole text, so typing replaces it. Later, because the
    // click that gave the focus would clear the selection again.
    if (event->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void frmFormatHDEdit::cmdOK_Click()
{
    if (Module1::Trim(txtName->text()).isEmpty()) {
        gMsgBox().Information(u"フォーマット名称を入力してください。"_s, kCaption);
        txtName->setFocus();
        return;
    }
    bool numeric = false;
    frmFormatMan::WholeNumber(txtSkipBytes->text(), &numeric);
    if (!numeric) {
        gMsgBox().Exclamation(u"数値を入力してください。"_s, kCaption);
        txtSkipBytes->setFocus();
        return;
    }
    if (!frmFormatMan::CheckStructName(txtStName->text()))
        return;
    bOK = true;
    accept();
}
