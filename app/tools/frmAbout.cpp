// The version window: program name, version, authors, mail and web addresses.
#include "frmAbout.h"

#include "clsIcons.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kMailPrefix = u"E-mail "_s;
const QString kWeb = u"https://quillet.example.jp/"_s;

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      lblIcon(new QLabel(this)), lblTitle(new QLabel(u"Quillet"_s, this)),
      lblVersion(new QLabel(u"バージョン "_s + Version(), this)),
      lblAuthor(new QLabel(u"Quillet 開発チーム"_s, this)),
      Text1(new QLineEdit(kMailPrefix + u"quillet@example.jp"_s, this)), lblWeb(new QLabel(this)),
      cmdOK(new QPushButton(u"OK"_s, this))
{
    setWindowTitle(u"バージョン情報"_s);
    lblTitle->setObjectName(u"lblTitle"_s);
    lblVersion->setObjectName(u"lblVersion"_s);
    lblAuthor->setObjectName(u"lblAuthor"_s);
    Text1->setObjectName(u"Text1"_s);
    lblWeb->setObjectName(u"lblWeb"_s);
    cmdOK->setObjectName(u"cmdOK"_s);

    lblIcon->setPixmap(clsIcons::App().pixmap(48, 48));
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    lblTitle->setFont(title);
    // Read-only but selectable, so the address can be copied.
    Text1->setReadOnly(true);
    Text1->setFrame(false);
    Text1->setMinimumWidth(Text1->fontMetrics().horizontalAdvance(Text1->text()) + 16);
    lblWeb->setText(u"<a href=\""_s + kWeb + u"\">"_s + kWeb + u"</a>"_s);
    lblWeb->setTextFormat(Qt::RichText);
    lblWeb->setOpenExternalLinks(true);
    lblWeb->setTextInteractionFlags(Qt::TextBrowserInteraction);
    cmdOK->setDefault(true);

    auto* texts = new QVBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(lblTitle), static_cast<QWidget*>(lblVersion),
                            static_cast<QWidget*>(lblAuthor), static_cast<QWidget*>(Text1),
                            static_cast<QWidget*>(lblWeb)})
        texts->addWidget(widget);
    auto* top = new QHBoxLayout;
    top->addWidget(lblIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmAbout::Version()
{
    return QString::number(QUILLET_VERSION_MAJOR) + u'.' + QString::number(QUILLET_VERSION_MINOR);
}

void frmAbout::Form_Activate()
{
    Text1->setFocus();
    Text1->setSelection(static_cast<int>(kMailPrefix.size()),
                        static_cast<int>(Text1->text().size() - kMailPrefix.size()));
}

void frmAbout::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}
