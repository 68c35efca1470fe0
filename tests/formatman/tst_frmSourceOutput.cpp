// The format manager's output commands: chooser, save dialog, writer and confirmation.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsCodePage.h"
#include "clsFormatSource.h"
#include "clsFormats.h"
#include "frmFormatSelect.h"
#include "frmSourceOutput.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

class tst_frmSourceOutput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cSourceOfTheChosenFormatIsWrittenAndConfirmed();
    void cancelledChooserWritesNothing();

private:
    QTemporaryDir dir;
    QWidget owner;
};

void tst_frmSourceOutput::init()
{
    gFormats().Clear();
    for (const QString& name : {u"Sales"_s, u"Staff"_s}) {
        clsFormat* format = gFormats().Add();
        format->StructName = name;
        format->FormatName = name + u"の形式"_s;
        clsMember* member = format->AddMember();
        member->MemName = u"code"_s;
        member->MemType = 2;
        member->MemLenB = 4;
        member->Comment = u"コード"_s;
    }
}

void tst_frmSourceOutput::cSourceOfTheChosenFormatIsWrittenAndConfirmed()
{
    const QString path = dir.filePath(u"staff.h"_s);
    QString message;
    modal::When<frmFormatSelect>([&message](frmFormatSelect* select) {
        message = select->lblMessage->text();
        select->lstFormat->setCurrentRow(1);
        select->cmdOK->click();
    });
    QString title;
    QStringList filters;
    bool charSetOffered = true;
    modal::When<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        charSetOffered = modal::CharSetList(dialog) && modal::CharSetList(dialog)->isVisible();
        modal::TypeFileName(dialog, path);
        modal::Accept(dialog);
    });
    clsScriptedMsgBox msg;
    frmSourceOutput::mnSaveAsC(&owner);
    QCOMPARE(message, u"以下のフォーマットが登録されています。\r\n"
                      u"構造体として出力する登録フォーマットを選択してください。"_s);
    QCOMPARE(title, u"Ｃ／Ｃ＋＋ソースとしてフォーマットの出力"_s);
    QCOMPARE(filters.size(), 2);
    QVERIFY(filters.at(0).startsWith(u"Ｃ／Ｃ＋＋ヘッダファイル(*.h)"_s));
    QVERIFY(!charSetOffered);
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"Information"_s);
    QCOMPARE(box.title, u"Format Manager"_s);
    QCOMPARE(box.text, u"フォーマットの出力が完了しました。"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("typedef struct tagStaff {\r\n"));
    QVERIFY(!text.contains("Sales"));
    QVERIFY(text.endsWith("// Total 4Bytes\r\n"));
}

void tst_frmSourceOutput::cancelledChooserWritesNothing()
{
    modal::When<frmFormatSelect>([](frmFormatSelect* select) { select->cmdCancel->click(); });
    bool asked = false;
    modal::When<QFileDialog>([&asked](QFileDialog*) { asked = true; });
    clsScriptedMsgBox msg(true);
    frmSourceOutput::mnSaveAsVB(&owner);
    QVERIFY(!asked);
}

QUILLET_QTEST_MAIN(tst_frmSourceOutput)
#include "tst_frmSourceOutput.moc"
