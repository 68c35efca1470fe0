// The record-count window: its texts, each check in order, the result fields and the focus.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "frmInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Types the count and presses OK; the window stays open after a refusal.
void Confirm(frmInput& dialog, const QString& szCount)
{
    dialog.Text1->setText(szCount);
    dialog.Command1->click();
}

} // namespace

class tst_frmInput : public QObject
{
    Q_OBJECT

private slots:
    void showsItsTextsAndStartsAtTen()
    {
        const frmInput dialog;
        QCOMPARE(dialog.windowTitle(), u"Data Wizard"_s);
        QCOMPARE(dialog.Label1->text(), u"データの作成件数を入力してください。"_s);
        QCOMPARE(dialog.Label2->text(), u"件"_s);
        QCOMPARE(dialog.Command1->text(), u"OK"_s);
        QCOMPARE(dialog.Command2->text(), u"キャンセル"_s);
        QCOMPARE(dialog.Text1->text(), u"10"_s);
        QVERIFY(!dialog.bRes);
    }

    void zeroIsAccepted()
    {
        frmInput dialog;
        dialog.lnCnt = 99;
        Confirm(dialog, u"0"_s);
        QVERIFY(dialog.bRes);
        QCOMPARE(dialog.lnCnt, 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void aWholeCountIsTaken()
    {
        frmInput dialog;
        Confirm(dialog, u"１２５"_s);
        QVERIFY(dialog.bRes);
        QCOMPARE(dialog.lnCnt, 125);
    }

    void aFractionGetsTheIntegerMessage()
    {
        clsScriptedMsgBox boxes;
        frmInput dialog;
        Confirm(dialog, u"1.5"_s);
        const clsScriptedMsgBox::Box box = boxes.TakeOne();
        QCOMPARE(box.kind, u"Information"_s);
        QCOMPARE(box.title, u"Data Wizard"_s);
        QCOMPARE(box.text, u"整数を入力してください。"_s);
        QVERIFY(!dialog.bRes);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void aNegativeCountIsInvalid()
    {
        clsScriptedMsgBox boxes;
        frmInput dialog;
        Confirm(dialog, u"-3"_s);
        QCOMPARE(boxes.TakeOne().text, u"無効な数値です。"_s);
        QVERIFY(!dialog.bRes);
    }

    void theChecksComeInOrder()
    {
        // A negative fraction is first of all not a whole number.
        clsScriptedMsgBox boxes;
        frmInput dialog;
        Confirm(dialog, u"-1.5"_s);
        QCOMPARE(boxes.TakeOne().text, u"整数を入力してください。"_s);
    }

    void lettersAreNotANumber()
    {
        clsScriptedMsgBox boxes;
        frmInput dialog;
        for (const QString& text : {u"abc"_s, QString(), u"inf"_s}) {
            Confirm(dialog, text);
            QCOMPARE(boxes.TakeOne().text, u"数値を入力してください。"_s);
        }
        QVERIFY(!dialog.bRes);
    }

    void aCountBeyond32BitsIsInvalid()
    {
        clsScriptedMsgBox boxes;
        frmInput dialog;
        Confirm(dialog, u"2147483648"_s);
        QCOMPARE(boxes.TakeOne().text, u"無効な数値です。"_s);
        QVERIFY(!dialog.bRes);
        Confirm(dialog, u"2147483647"_s);
        QVERIFY(dialog.bRes);
        QCOMPARE(dialog.lnCnt, 2147483647);
    }

    void cancelLeavesNoResult()
    {
        modal::When<frmInput>([](frmInput* dialog) {
            dialog->Text1->setText(u"5"_s);
            dialog->Command2->click();
        });
        frmInput dialog;
        dialog.bRes = true;
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(!dialog.bRes);
    }

    void focusSelectsTheCount()
    {
        frmInput dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.Command1->setFocus();
        dialog.Text1->setText(u"42"_s);
        dialog.Text1->deselect();
        QTest::mouseClick(dialog.Text1, Qt::LeftButton);
        QTRY_COMPARE(dialog.Text1->selectedText(), u"42"_s);
    }
};

QUILLET_QTEST_MAIN(tst_frmInput)
#include "tst_frmInput.moc"
