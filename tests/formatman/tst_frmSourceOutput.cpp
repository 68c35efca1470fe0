// The format manager's output commands: chooser, save dialog, writer and confirmation.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
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
    void stylesheetTakesTheCharacterSetAndLineEndChosen();

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

void tst_frmSourceOutput::stylesheetTakesTheCharacterSetAndLineEndChosen()
{
    const QString path = dir.filePath(u"staff"_s);
    QString message;
    modal::When<frmFormatSelect>([&message](frmFormatSelect* select) {
        message = select->lblMessage->text();
        select->lstFormat->setCurrentRow(1);
        select->cmdOK->click();
    });
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
    QCOMPARE(message, u"以下のフォーマットが登録されています。\r\n"
                      u"ＸＳＬファイルとして出力する登録フォーマットを選択してください。"_s);
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
    QVERIFY(text.contains("<xsl:template match=\"_Staff\">"));
}

QUILLET_QTEST_MAIN(tst_frmSourceOutput)
#include "tst_frmSourceOutput.moc"
