// The main window's data wizard commands: their state, the new document of the full run and
// the cursor-column rule.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsMainFixture.h"
#include "clsScriptedMsgBox.h"
#include "frmDataWiz.h"
#include "frmSelType.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the next wizard showed before it was cancelled on its first page.
struct Seen
{
    int mode = 0;
    QString title;
    bool shown = false;
};

void CancelWizard(Seen& seen)
{
    modal::When<frmDataWiz>([&seen](frmDataWiz* wizard) {
        seen.shown = true;
        seen.mode = wizard->Mode();
        seen.title = wizard->Label1->text();
        wizard->Command2->click();
    });
}

} // namespace

class tst_frmMainDataWiz : public QObject, private clsMainFixture
{
    Q_OBJECT

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void theCommandsFollowTheFormatStore()
    {
        frmMain& main = Started();
        QVERIFY(main.mnDataWiz->menuAction()->isEnabled());
        QVERIFY(main.mnDataWizFull->isEnabled());
        QVERIFY(main.mnDataWizPart->isEnabled());
        QVERIFY(main.mnPopDataWizPart->isEnabled());
    }

    void theFullRunOpensANewDocumentOfTheChosenFormat()
    {
        frmMain& main = Started();
        // The pages are named after the members, not their (empty) comments.
        gHeaderFlags[5] = 0;
        Open(Write(u"a.csv"_s), 1);
        modal::When<frmSelType>([](frmSelType* dialog) {
            dialog->cboFormat->setCurrentIndex(1);
            dialog->cmdOK->click();
        });
        Seen seen;
        CancelWizard(seen);
        main.mnDataWizFull->trigger();
        QVERIFY(seen.shown);
        QCOMPARE(seen.mode, 2);
        QCOMPARE(seen.title, u"No.1  code の設定を選択してください。"_s);
        QCOMPARE(main.Documents().size(), 2);
        QCOMPARE(main.ActiveDocument()->Mode(), 2);
        QVERIFY(main.ActiveDocument()->bEmpty());
    }

    void theCursorColumnNeedsAnActiveCell()
    {
        frmMain& main = Started();
        Open(Write(u"a.csv"_s), 1);
        frmCsv* document = main.ActiveDocument();
        document->Grid().setCurrentIndex(QModelIndex());
        clsScriptedMsgBox boxes;
        main.mnDataWizPart->trigger();
        const clsScriptedMsgBox::Box box = boxes.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QCOMPARE(box.title, u"Data Wizard"_s);
        QCOMPARE(box.text, u"カーソルを任意の一列上に移動してください。"_s);
    }

    void thePopupRunsTheWizardOnTheCursorColumn()
    {
        frmMain& main = Started();
        Open(Write(u"a.csv"_s), 1);
        frmCsv* document = main.ActiveDocument();
        document->Grid().setCurrentIndex(document->GridModel().index(1, 1));
        gHeaderFlags[5] = 0;
        Seen seen;
        CancelWizard(seen);
        main.mnPopDataWizPart->trigger();
        QVERIFY(seen.shown);
        QCOMPARE(seen.mode, 1);
        QCOMPARE(seen.title, u"No.1  name の設定を選択してください。"_s);
        QCOMPARE(document->Document().Text(2, 1), u"A2"_s);
    }
};

QUILLET_QTEST_MAIN(tst_frmMainDataWiz)
#include "tst_frmMainDataWiz.moc"
