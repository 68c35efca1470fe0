// The find window: opening from the main window, its texts and option interplay, find next
// with F3, replacing with its messages and marks, regular expressions and closing with Esc.
#include "QuilletTestMain.h"
#include "clsFindEngine.h"
#include "clsGridView.h"
#include "clsMainFixture.h"
#include "clsMessenger.h"
#include "frmFind.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

class tst_frmFind : public QObject, private clsMainFixture
{
    Q_OBJECT

private:
    // The main window with one document of the given records, and its find window.
    frmFind* Opened(const QByteArray& bytes)
    {
        frmMain& main = Started();
        Open(Write(u"data.csv"_s, bytes), 1);
        main.mnFind->trigger();
        return main.findChild<frmFind*>();
    }

    static QPoint Active(frmCsv* document)
    {
        return {document->ActiveCol(), document->ActiveRow()};
    }

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void findIsEnabledOnlyWithADocument()
    {
        frmMain& main = Started();
        QVERIFY(!main.mnFind->isEnabled());
        QVERIFY(!main.mnPopFind->isEnabled());
        QVERIFY(!main.ToolButton(u"Find"_s)->isEnabled());
        main.mnFind->trigger();
        QVERIFY(!main.findChild<frmFind*>());
        Open(Write(u"data.csv"_s), 1);
        QVERIFY(main.mnFind->isEnabled());
        QVERIFY(main.mnPopFind->isEnabled());
        QVERIFY(main.ToolButton(u"Find"_s)->isEnabled());
        main.mnPopFind->trigger();
        QVERIFY(main.findChild<frmFind*>());
    }

    void opensOnTheActiveCellWithItsTexts()
    {
        frmMain& main = Started();
        Open(Write(u"data.csv"_s, "A1,Pen\r\nA2,Ink\r\n"), 1);
        frmCsv* document = main.ActiveDocument();
        document->Grid().setCurrentIndex(document->GridModel().index(1, 1));
        main.mnFind->trigger();
        frmFind* find = main.findChild<frmFind*>();
        QVERIFY(find);
        QVERIFY(find->isVisible());
        QVERIFY(!find->isModal());
        QCOMPARE(find->parentWidget(), window.get());
        QCOMPARE(find->windowTitle(), u"検索"_s);
        QCOMPARE(find->Label1->text(), u"検索する項目を指定し、キーを入力してください。"_s);
        QCOMPARE(find->List->count(), 2);
        QCOMPARE(find->List->item(1)->text(),
                 document->GridModel().headerData(1, Qt::Horizontal).toString());
        QCOMPARE(find->List->currentRow(), 1);
        QCOMPARE(find->Text1->text(), u"Ink"_s);
        QCOMPARE(find->Text2->text(), u"置換後の文字列"_s);
        QCOMPARE(find->Check1->text(), u"部分一致を含む"_s);
        QCOMPARE(find->Check2->text(), u"大小文字の区別をする"_s);
        QCOMPARE(find->Check3->text(), u"一致する部分を置換"_s);
        QCOMPARE(find->Check4->text(), u"全項目を検索対象とする"_s);
        QCOMPARE(find->Check5->text(), u"正規表現"_s);
        QVERIFY(!find->Check5->isChecked());
        QCOMPARE(find->Command1->text(), u"検索 F3"_s);
        QCOMPARE(find->Command2->text(), u"キャンセル"_s);
        QCOMPARE(find->Command3->text(), u"置換(&R)"_s);
        QCOMPARE(find->Command4->text(), u"全て置換(&A)"_s);
        QVERIFY(!find->Check3->isVisible());
    }

    void partialAndCaseSensitiveExcludeEachOther()
    {
        frmFind* find = Opened("A1,Pen\r\n");
        find->Check2->setChecked(true);
        find->Check1->setChecked(true);
        QVERIFY(!find->Check2->isChecked());
        QVERIFY(find->Check3->isVisible());
        find->Check2->setChecked(true);
        QVERIFY(!find->Check1->isChecked());
        QVERIFY(!find->Check3->isVisible());
        find->Check4->setChecked(true);
        QVERIFY(!find->List->isEnabled());
        find->Check4->setChecked(false);
        QVERIFY(find->List->isEnabled());
    }

    void f3FindsNextAndWrapsAfterTheLastMatch()
    {
        clsScriptedMsgBox boxes;
        frmFind* find = Opened("x,ABC\r\ny,abd\r\nz,xabcx\r\n");
        frmCsv* document = window->ActiveDocument();
        find->List->setCurrentRow(1);
        find->Text1->setText(u"a?c"_s);
        find->Check1->setChecked(true);
        QTest::keyClick(find->Text1, Qt::Key_F3);
        QCOMPARE(Active(document), QPoint(2, 1));
        QTest::keyClick(find->Text1, Qt::Key_F3);
        QCOMPARE(Active(document), QPoint(2, 3));
        QTest::keyClick(find->Text1, Qt::Key_F3);
        const clsScriptedMsgBox::Box box = boxes.TakeOne();
        QCOMPARE(box.text, u"[a?c] に一致するデータは見つかりませんでした。"_s);
        QCOMPARE(box.title, AppTitle());
        QVERIFY(find->Topmost());
        find->Command1->click();
        QCOMPARE(Active(document), QPoint(2, 1));
    }

    void replaceAllReportsTheCountAsOneStep()
    {
        clsScriptedMsgBox boxes;
        frmFind* find = Opened("a1,aXa\r\na2,X\r\na3,Ya\r\n");
        frmCsv* document = window->ActiveDocument();
        find->List->setCurrentRow(1);
        find->Text1->setText(u"a"_s);
        find->Text2->setText(u"b"_s);
        find->Check1->setChecked(true);
        find->Check3->setChecked(true);
        find->Command4->click();
        QCOMPARE(boxes.TakeOne().text, u"2 件のデータを置換しました。"_s);
        QCOMPARE(document->Document().Text(1, 2), u"bXb"_s);
        QCOMPARE(document->Document().Text(3, 2), u"Yb"_s);
        QCOMPARE(document->Document().Text(1, 1), u"a1"_s);
        QVERIFY(document->bDirty());
        QVERIFY(window->mnSave->isEnabled());
        QCOMPARE(Active(document), QPoint(2, 3));
        QCOMPARE(document->Document().UndoStack().count(), 1);
    }

    void replaceNextMarksTheDocument()
    {
        clsScriptedMsgBox boxes(true);
        frmFind* find = Opened("k,1\r\nk,2\r\n");
        frmCsv* document = window->ActiveDocument();
        find->Text1->setText(u"k"_s);
        find->Text2->setText(u"m"_s);
        find->Command3->click();
        QCOMPARE(document->Document().Text(2, 1), u"m"_s);
        QCOMPARE(document->Document().Text(1, 1), u"k"_s);
        QVERIFY(document->bDirty());
        QCOMPARE(Active(document), QPoint(1, 2));
    }

    void regularExpressionsFindAndReplace()
    {
        clsScriptedMsgBox boxes;
        frmFind* find = Opened("c,2024-05-01\r\nc,none\r\n");
        frmCsv* document = window->ActiveDocument();
        find->List->setCurrentRow(1);
        find->Check5->setChecked(true);
        find->Check1->setChecked(true);
        find->Check3->setChecked(true);
        find->Text1->setText(u"(\\d+)-(\\d+)"_s);
        find->Text2->setText(u"\\2/\\1"_s);
        find->Command4->click();
        QCOMPARE(boxes.TakeOne().text, u"1 件のデータを置換しました。"_s);
        QCOMPARE(document->Document().Text(1, 2), u"05/2024-01"_s);
    }

    void anInvalidExpressionIsRefused()
    {
        clsScriptedMsgBox boxes;
        frmFind* find = Opened("c,x\r\n");
        find->Check5->setChecked(true);
        find->Text1->setText(u"(x"_s);
        find->Command4->click();
        const clsScriptedMsgBox::Box box = boxes.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QVERIFY(box.text.startsWith(u"正規表現に誤りがあります"_s));
        QVERIFY(!window->ActiveDocument()->bDirty());
    }

    void escClosesTheWindow()
    {
        QPointer<frmFind> find = Opened("c,x\r\n");
        QTest::keyClick(find->Text2, Qt::Key_Escape);
        QVERIFY(!find || !find->isVisible());
        QTRY_VERIFY(!find);
    }

    void closingTheDocumentClosesTheWindow()
    {
        QPointer<frmFind> find = Opened("c,x\r\n");
        window->ActiveDocument()->WindowClose();
        QTRY_VERIFY(!find);
    }
};

QUILLET_QTEST_MAIN(tst_frmFind)
#include "tst_frmFind.moc"
