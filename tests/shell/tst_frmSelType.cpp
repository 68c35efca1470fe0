// The format chooser: its texts, the choice, the close box, and no format at all.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsFormats.h"
#include "frmSelType.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

class TestFrmSelType : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        gFormats().Clear();
        for (const QString& name : {u"売上明細"_s, u"在庫一覧"_s, u"社員名簿"_s})
            gFormats().Add()->FormatName = name;
    }

    void listsEveryFormatAndStaysOnTop()
    {
        const frmSelType dialog(false, u"/data/a.csv"_s);
        QCOMPARE(dialog.windowTitle(), u"フォーマットの選択"_s);
        QCOMPARE(dialog.lblMessage->text(), u"ファイルフォーマットを選択してください。"_s);
        QCOMPARE(dialog.cmdOK->text(), u"ＯＫ"_s);
        QCOMPARE(dialog.cboFormat->count(), 3);
        QCOMPARE(dialog.cboFormat->itemText(2), u"社員名簿"_s);
        QCOMPARE(dialog.cboFormat->currentIndex(), 0);
        QCOMPARE(dialog.Selection(), 1);
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void aCommandLineFileHeadsTheMessage()
    {
        const frmSelType dialog(true, u"/data/a.csv"_s);
        QCOMPARE(dialog.lblMessage->text(),
                 u"/data/a.csv\nファイルフォーマットを選択してください。"_s);
    }

    void okTakesTheChosenFormat()
    {
        modal::When<frmSelType>([](frmSelType* dialog) {
            dialog->cboFormat->setCurrentIndex(2);
            dialog->cmdOK->click();
        });
        QCOMPARE(frmSelType::Ask(nullptr, false, QString()), 3);
    }

    void theCloseBoxGivesTheFirstFormat()
    {
        modal::When<frmSelType>([](frmSelType* dialog) {
            dialog->cboFormat->setCurrentIndex(2);
            dialog->close();
        });
        QCOMPARE(frmSelType::Ask(nullptr, false, QString()), 1);
    }

    void noFormatTellsAndGivesNone()
    {
        gFormats().Clear();
        clsScriptedMsgBox msg;
        QCOMPARE(frmSelType::Ask(nullptr, false, QString()), 0);
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QCOMPARE(box.title, u"Quillet"_s);
        QCOMPARE(box.text, u"フォーマットが登録されていません。"_s);
    }

    void cleanup() { gFormats().Clear(); }
};

QUILLET_QTEST_MAIN(TestFrmSelType)
#include "tst_frmSelType.moc"
