// The format list chooser: a message, the structure names, OK and Cancel.
#include "frmFormatSelect.h"

#include "clsFormats.h"
#include "clsMessenger.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

frmFormatSelect::frmFormatSelect(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      lblMessage(new QLabel(this)), lstFormat(new QListWidget(this)),
      cmdOK(new QPushButton(u"ＯＫ"_s, this)), cmdCancel(new QPushButton(u"キャンセル"_s, this))
{
    setWindowTitle(u"フォーマットの選択"_s);
    lblMessage->setObjectName(u"lblMessage"_s);
    lstFormat->setObjectName(u"lstFormat"_s);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(lstFormat);
    layout->addLayout(buttons);
    resize(360, 300);

    connect(cmdOK, &QPushButton::clicked, this, &frmFormatSelect::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFormatSelect::cmdCancel_Click);
    connect(lstFormat, &QListWidget::itemDoubleClicked, this, &frmFormatSelect::cmdOK_Click);
}

bool frmFormatSelect::ShowRegistedStructs(const QString& szMessage, const clsFormats& collection,
                                          int& lnIndex)
{
    formats = &collection;
    // Anything but OK, the close box included, is a cancel: callers expect a position
    // between 1 and the count or none at all.
    selection = -1;
    lblMessage->setText(szMessage);
    lstFormat->clear();
    for (int i = 1; i <= collection.Count(); ++i)
        lstFormat->addItem(collection.Format(i)->StructName);
    lstFormat->setCurrentRow(0);
    exec();
    lnIndex = selection;
    return selection >= 1;
}

clsFormat* frmFormatSelect::SelectFormat(int lnIndex) const
{
    if (!formats) {
        gMsgBox().ProcError(u"フォーマットオブジェクトは設定されていません。"_s, 3,
                            u"frmFormatSelect"_s, u"Prop_Get_SelectFormat"_s);
        return nullptr;
    }
    if (lnIndex < 1 || lnIndex > formats->Count()) {
        gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"frmFormatSelect"_s,
                            u"Prop_GetSelectFormat"_s);
        return nullptr;
    }
    return formats->Format(lnIndex);
}

void frmFormatSelect::cmdOK_Click()
{
    // An empty list has no current row: nothing to choose.
    if (lstFormat->currentRow() < 0)
        return;
    selection = lstFormat->currentRow() + 1;
    accept();
}

void frmFormatSelect::cmdCancel_Click()
{
    selection = -1;
    reject();
}
