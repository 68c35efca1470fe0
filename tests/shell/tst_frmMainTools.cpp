// The main window's Tools menu: 検証 on the active document and its command state.
#include "QuilletTestMain.h"
#include "clsMainFixture.h"
#include "frmValidation.h"

#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

class TestFrmMainTools : public QObject, private clsMainFixture
{
    Q_OBJECT

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void validateIsInTheToolsMenu()
    {
        frmMain& main = Started();
        auto* tools = main.findChild<QMenu*>(u"mnTools"_s);
        QVERIFY(tools != nullptr);
        QCOMPARE(tools->title(), u"ツール(&T)"_s);
        QAction* validate = main.findChild<QAction*>(u"mnValidate"_s);
        QVERIFY(validate != nullptr);
        QCOMPARE(validate->text(), u"検証(&V)"_s);
        QVERIFY(tools->actions().contains(validate));
    }

    void validateChecksTheActiveDocument()
    {
        frmMain& main = Started();
        QAction* validate = main.findChild<QAction*>(u"mnValidate"_s);
        main.UpdateCommands();
        QVERIFY(!validate->isEnabled());
        // The first code is longer than its eight bytes.
        Open(Write(u"a.csv"_s, "ABCDEFGHIJ,Pen\r\nA2,Ink\r\n"), 1);
        QVERIFY(validate->isEnabled());
        validate->trigger();
        frmValidation* list = main.ActiveDocument()->Validation();
        QVERIFY(list != nullptr);
        QCOMPARE(list->List().rowCount(), 1);
        QCOMPARE(list->List().item(0, 1)->text(), u"code"_s);
    }
};

QUILLET_QTEST_MAIN(TestFrmMainTools)
#include "tst_frmMainTools.moc"
