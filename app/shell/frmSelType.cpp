// The format chooser: a message, the list of formats and an OK button.
#include "frmSelType.h"

#include "clsFormats.h"
#include "clsMessenger.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

frmSelType::frmSelType(bool bInit, const QString& szNewFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      lblMessage(new QLabel(this)), cboFormat(new QComboBox(this)),
      cmdOK(new QPushButton(u"ＯＫ"_s, this))
{
    setWindowTitle(u"フォーマットの選択"_s);
    lblMessage->setObjectName(u"lblMessage"_s);
    cboFormat->setObjectName(u"cboFormat"_s);
    cmdOK->setObjectName(u"cmdOK"_s);
    const QString prompt = u"ファイルフォーマットを選択してください。"_s;
    lblMessage->setText(bInit ? szNewFile + u'\n' + prompt : prompt);
    for (int i = 1; i <= gFormats().Count(); ++i)
        cboFormat->addItem(gFormats().Format(i)->FormatName);
    cboFormat->setCurrentIndex(0);
    cmdOK->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(cboFormat);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(320);
    connect(cmdOK, &QPushButton::clicked, this, &frmSelType::cmdOK_Click);
}

void frmSelType::cmdOK_Click()
{
    selection = cboFormat->currentIndex() + 1;
    accept();
}

int frmSelType::Ask(QWidget* parent, bool bInit, const QString& szNewFile)
{
    if (gFormats().Count() == 0) {
        gMsgBox().Exclamation(u"フォーマットが登録されていません。"_s, AppTitle());
        return 0;
    }
    frmSelType dialog(bInit, szNewFile, parent);
    dialog.exec();
    return dialog.Selection();
}
