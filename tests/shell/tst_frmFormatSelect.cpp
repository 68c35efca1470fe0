// The format list chooser: OK, double click, Cancel, the close box and SelectFormat's errors.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsFormats.h"
#include "frmFormatSelect.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

class TestFrmFormatSelect : public QObject
{
    Q_OBJECT

private:
    clsFormats formats;

    // Shows the chooser, acts on it, and returns the result and the position.
    QPair<bool, int> Show(frmFormatSelect& dialog, std::function<void(frmFormatSelect*)> action)
    {
        modal::When<frmFormatSelect>(std::move(action));
        int position = 99;
        const bool chosen = dialog.ShowRegistedStructs(u"登録する構造体"_s, formats, position);
        return {chosen, position};
    }

private slots:
    void initTestCase()
    {
        for (const QString& name : {u"Sales"_s, u"Stock"_s, u"Staff"_s}) {
            clsFormat* format = formats.Add();
            format->StructName = name;
            format->FormatName = name + u"の名前"_s;
        }
    }

    void okTakesTheSelectedStructure()
    {
        frmFormatSelect dialog;
        QString message;
        QStringList names;
        bool onTop = false;
        const auto result = Show(dialog, [&](frmFormatSelect* shown) {
            message = shown->lblMessage->text();
            for (int i = 0; i < shown->lstFormat->count(); ++i)
                names << shown->lstFormat->item(i)->text();
            onTop = shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            shown->lstFormat->setCurrentRow(1);
            shown->cmdOK->click();
        });
        QCOMPARE(dialog.windowTitle(), u"フォーマットの選択"_s);
        QCOMPARE(message, u"登録する構造体"_s);
        QCOMPARE(names, QStringList({u"Sales"_s, u"Stock"_s, u"Staff"_s}));
        QVERIFY(onTop);
        QCOMPARE(result, qMakePair(true, 2));
        QCOMPARE(dialog.SelectFormat(2)->StructName, u"Stock"_s);
    }

    void aDoubleClickChoosesToo()
    {
        frmFormatSelect dialog;
        const auto result = Show(dialog, [](frmFormatSelect* shown) {
            QListWidget* list = shown->lstFormat;
            const QPoint at = list->visualItemRect(list->item(2)).center();
            // The view takes a double click only on the item just pressed.
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        });
        QCOMPARE(result, qMakePair(true, 3));
    }

    void cancelAndTheCloseBoxChooseNothing()
    {
        frmFormatSelect dialog;
        QCOMPARE(dialog.cmdCancel->text(), u"キャンセル"_s);
        QCOMPARE(Show(dialog, [](frmFormatSelect* shown) { shown->cmdCancel->click(); }),
                 qMakePair(false, -1));
        QCOMPARE(Show(dialog,
                      [](frmFormatSelect* shown) {
                          shown->lstFormat->setCurrentRow(2);
                          shown->close();
                      }),
                 qMakePair(false, -1));
    }

    void selectFormatReportsBadUse()
    {
        frmFormatSelect dialog;
        clsScriptedMsgBox msg;
        QCOMPARE(dialog.SelectFormat(1), nullptr);
        clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Critical"_s);
        QCOMPARE(box.text, u"フォーマットオブジェクトは設定されていません。\r\n (3)"_s);
        QCOMPARE(box.title, u"frmFormatSelect Prop_Get_SelectFormat Error"_s);

        Show(dialog, [](frmFormatSelect* shown) { shown->cmdCancel->click(); });
        QCOMPARE(dialog.SelectFormat(3)->StructName, u"Staff"_s);
        for (int bad : {0, 4}) {
            QCOMPARE(dialog.SelectFormat(bad), nullptr);
            box = msg.TakeOne();
            QCOMPARE(box.text, u"不正なインデックスが指定されました。\r\n (1)"_s);
            QCOMPARE(box.title, u"frmFormatSelect Prop_GetSelectFormat Error"_s);
        }
    }
};

QUILLET_QTEST_MAIN(TestFrmFormatSelect)
#include "tst_frmFormatSelect.moc"
