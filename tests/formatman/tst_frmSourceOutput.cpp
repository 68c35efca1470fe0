// The format manager's output commands: chooser, save dialog, writer and confirmation.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsCodePage.h"
#include "clsFormatSource.h"
#include "clsFormats.h"
#include "frmFormatSelect.h"
#include "frmSourceOutput.h"

#include <QComboBox>
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
    void stylesheetTakesTheCharacterSetAndLineEndChosen();
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

void tst_frmSourceOutput::stylesheetTakesTheCharacterSetAndLineEndChosen()
{
    const QString path = dir.filePath(u"sales"_s);
    modal::When<frmFormatSelect>([](frmFormatSelect* select) { select->cmdOK->click(); });
    QString title;
    QStringList items;
    modal::When<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        QComboBox* list = modal::CharSetList(dialog);
        for (int i = 0; list && i < list->count(); ++i)
            items << list->itemText(i);
        modal::Choose(dialog, path, static_cast<int>(items.indexOf(u"EUC(改行:LF)"_s)));
    });
    clsScriptedMsgBox msg;
    frmSourceOutput::mnSaveAsXSL(&owner);
    QCOMPARE(title, u"ＸＭＬスタイルシートとしてフォーマットの出力"_s);
    QVERIFY(items.contains(u"EUC(改行:LF)"_s));
    // The writer's own notice, then the command's.
    const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    QCOMPARE(boxes.size(), size_t(2));
    QCOMPARE(boxes[0].text, u"ＸＭＬスタイルシートの出力が完了しました。"_s);
    QCOMPARE(boxes[1].text, u"フォーマットの出力が完了しました。"_s);
    QCOMPARE(boxes[1].title, u"Format Manager"_s);
    QFile file(path + u".xsl"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("<?xml version=\"1.0\" encoding=\"EUC\" ?>\n"));
    QVERIFY(!text.contains('\r'));
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
