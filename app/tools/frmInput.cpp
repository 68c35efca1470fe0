// The record-count window: the count field, its checks in order, and the result fields.
#include "frmInput.h"

#include "clsMessenger.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"Data Wizard"_s;

} // namespace

frmInput::frmInput(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Label1(new QLabel(u"データの作成件数を入力してください。"_s, this)),
      Text1(new QLineEdit(u"10"_s, this)), Label2(new QLabel(u"件"_s, this)),
      Command1(new QPushButton(u"OK"_s, this)), Command2(new QPushButton(u"キャンセル"_s, this))
{
    setWindowTitle(kTitle);
    Label1->setObjectName(u"Label1"_s);
    Text1->setObjectName(u"Text1"_s);
    Label2->setObjectName(u"Label2"_s);
    Command1->setObjectName(u"Command1"_s);
    Command2->setObjectName(u"Command2"_s);
    Text1->setAlignment(Qt::AlignRight);
    Text1->installEventFilter(this);
    Command1->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(Text1, 1, 0);
    layout->addWidget(Label2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &frmInput::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmInput::Command2_Click);
    Text1->setFocus();
    Text1->selectAll();
}

QString frmInput::Check(const QString& szText, qint32& lnCount)
{
    // Full-width digits typed with a Japanese input method count as digits.
    const QString text = szText.normalized(QString::NormalizationForm_KC).trimmed();
    bool numeric = false;
    const double value = text.toDouble(&numeric);
    if (!numeric || !std::isfinite(value))
        return u"数値を入力してください。"_s;
    if (text.contains(u'.'))
        return u"整数を入力してください。"_s;
    // A count beyond 32 bits is as unusable as a negative one.
    if (text.contains(u'-') || value > std::numeric_limits<qint32>::max())
        return u"無効な数値です。"_s;
    lnCount = static_cast<qint32>(value);
    return {};
}

void frmInput::Command1_Click()
{
    qint32 count = 0;
    const QString message = Check(Text1->text(), count);
    if (!message.isEmpty()) {
        gMsgBox().Information(message, kTitle);
        Text1->setFocus();
        return;
    }
    lnCnt = count;
    bRes = true;
    accept();
}

void frmInput::Command2_Click()
{
    bRes = false;
    reject();
}

bool frmInput::eventFilter(QObject* watched, QEvent* event)
{
    // Selected after the click that gave the focus, which would otherwise place the cursor.
    if (watched == Text1 && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, Text1, [this] { Text1->selectAll(); });
    return QDialog::eventFilter(watched, event);
}
