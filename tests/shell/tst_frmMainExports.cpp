// The main window's export commands with their dialogs and boxes, and the unique list.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsMainFixture.h"
#include "clsScriptedMsgBox.h"
#include "frmCsv.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QMenu>

class TestFrmMainExports : public QObject, private clsMainFixture
{
    Q_OBJECT

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void exportsNeedADocument()
    {
        frmMain& main = Started();
        main.UpdateCommands();
        for (QAction* item : {main.mnOutCsv, main.mnOutHTML, main.mnOutXML, main.mnOutUniqueList})
            QVERIFY(!item->isEnabled());
        Open(Write(u"a.csv"_s), 1);
        for (QAction* item : {main.mnOutCsv, main.mnOutHTML, main.mnOutXML, main.mnOutUniqueList})
            QVERIFY(item->isEnabled());
        QVERIFY(main.mnChgType->menuAction()->isEnabled());
    }

    void xmlExportOffersTheStylesheet()
    {
        frmMain& main = Started();
        Open(Write(u"a.csv"_s), 1);
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Yes);
        const QString xml = dir.filePath(u"out.xml"_s);
        const QString xsl = dir.filePath(u"out.xsl"_s);
        QString title;
        QString proposed;
        QString secondTitle;
        QString secondProposed;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            proposed = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
            modal::When<QFileDialog>([&](QFileDialog* second) {
                secondTitle = second->windowTitle();
                secondProposed = second->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
                modal::Choose(second, xsl, 0);
            });
            // Shift-JIS with LF.
            modal::Choose(dialog, xml, 3);
        });
        main.mnOutXML->trigger();
        QCOMPARE(title, u"名前を付けてＸＭＬ形式で保存"_s);
        QCOMPARE(proposed, u"a.xml"_s);
        QCOMPARE(secondTitle, u"名前を付けてＸＳＬ形式でフォーマットを保存"_s);
        QCOMPARE(secondProposed, u"a.xsl"_s);
        const std::vector<clsScriptedMsgBox::Box> shown = msg.TakeShown();
        QCOMPARE(shown.size(), size_t{3});
        QCOMPARE(shown[0].text, u"ＸＭＬファイルの出力が完了しました。"_s);
        QCOMPARE(shown[1].kind, u"Question"_s);
        QCOMPARE(shown[1].text,
                 u"フォーマット情報からＸＭＬスタイルシート（ＸＳＬ）も生成しますか？"_s);
        QCOMPARE(shown[2].text, u"ＸＭＬスタイルシートの出力が完了しました。"_s);
        QFile written(xml);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\n"
                                 "<?xml-stylesheet type=\"text/xsl\" href=\"./a.xsl\"?>\n"));
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(QFile::exists(xsl));
    }

    void aFailedExportSaysWhy()
    {
        frmMain& main = Started();
        Open(Write(u"a.csv"_s), 1);
        clsScriptedMsgBox msg;
        const QString target = dir.filePath(u"a.csv"_s) + u"/x.csv"_s;
        modal::When<QFileDialog>([&](QFileDialog* dialog) { modal::Choose(dialog, target, 0); });
        main.mnOutCsv->trigger();
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Critical"_s);
        QVERIFY(box.text.endsWith(u"\r\n"_s + QDir::toNativeSeparators(target)));
    }

    void uniqueListOpensANewDocument()
    {
        frmMain& main = Started();
        Open(Write(u"a.csv"_s, "A1,Pen\r\nA2,Pen\r\nA3,Ink\r\n"), 1);
        frmCsv* source = main.ActiveDocument();
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Yes);
        main.mnOutUniqueList->trigger();
        QCOMPARE(msg.TakeOne().text, u"データの件数情報も生成しますか？"_s);
        frmCsv* list = main.ActiveDocument();
        QVERIFY(list != source);
        QCOMPARE(list->Mode(), 1);
        QVERIFY(list->szFile().isEmpty());
        QVERIFY(list->bDirty());
        QVERIFY(!list->bEmpty());
        const clsDocument& document = list->Document();
        QCOMPARE(document.RowCount(), 3);
        QCOMPARE(document.Text(1, 1), u"1:A1"_s);
        QCOMPARE(document.Text(1, 2), u"2:Pen"_s);
        QCOMPARE(document.Text(2, 2), u"1:Ink"_s);
        QCOMPARE(document.Text(3, 2), QString());
    }
};

QUILLET_QTEST_MAIN(TestFrmMainExports)
#include "tst_frmMainExports.moc"
