// The member editor: the template, new rows, deletion, moves, the checks and the cells they
// activate, help texts, menu state and the close question.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "clsIcons.h"
#include "frmFormatHDEdit.h"
#include "frmFormatMan.h"
#include "frmFormatSelect.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

using namespace Qt::Literals::StringLiterals;

class TestFrmFormatMan : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<clsFileSettingsStore> store;
    std::unique_ptr<frmFormatMan> window;

    // A window showing members whose names are given, each a 10-byte string.
    frmFormatMan& Showing(const QStringList& names)
    {
        auto format = std::make_unique<clsFormat>();
        format->StructName = u"Rec"_s;
        format->FormatName = u"レコード"_s;
        for (const QString& name : names) {
            clsMember* member = format->AddMember();
            member->MemName = name;
            member->MemLen = 10;
        }
        window->SetEditFormat(std::move(format));
        window->ShowFormat();
        return *window;
    }

    QStringList Row(int nRow) const
    {
        QStringList texts;
        for (int col = 1; col <= 7; ++col)
            texts << window->CellText(nRow, col);
        return texts;
    }

    // Runs a check that should fail and returns its box's text and the active cell.
    QString Refused(bool (frmFormatMan::*check)(), clsScriptedMsgBox& msg, QPoint& cell)
    {
        const bool passed = (window.get()->*check)();
        cell = QPoint(window->ActiveCol(), window->ActiveRow());
        if (passed)
            return u"(passed)"_s;
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        return box.kind + u'|' + box.title + u'|' + box.text;
    }

private slots:
    void init()
    {
        store = std::make_unique<clsFileSettingsStore>(dir.filePath(u"settings.txt"_s));
        gFormats().Clear();
        window = std::make_unique<frmFormatMan>(*store);
    }

    void cleanup() { window.reset(); }

    void loadsWithNothingUnderEdit()
    {
        QCOMPARE(window->vaSpread->columnCount(), 7);
        QStringList captions;
        for (int col = 0; col < 7; ++col)
            captions << window->vaSpread->horizontalHeaderItem(col)->text();
        QCOMPARE(captions, QStringList({u"メンバ名"_s, u"データ型"_s, u"桁数"_s, u"コメント"_s,
                                        u"文字詰め"_s, u"文字詰め文字"_s, u"変換時の出力"_s}));
        for (QAction* item :
             {window->mnSave, window->mnRegist, window->mnEditInsert, window->mnEditDelete,
              window->mnEditMoveUp, window->mnEditMoveDown, window->mnEditHeader})
            QVERIFY(!item->isEnabled());
        for (const QString& key : {u"SaveAsFile"_s, u"SaveAsReg"_s, u"Insert"_s, u"Delete"_s,
                                   u"RowUp"_s, u"RowDown"_s, u"Prop"_s})
            QVERIFY(!window->ToolButton(key)->isEnabled());
        QVERIFY(!window->StatusPanel(u"StName"_s));
        QCOMPARE(window->StatusPanel(u"Message"_s)->text(),
                 u"メニューから編集するフォーマットを選択してください。"_s);
        // Nothing registered: nothing to open.
        QVERIFY(!window->mnOpenRegisted->isEnabled());
        QVERIFY(!window->ToolButton(u"Open"_s)->isEnabled());
        QVERIFY(!window->mnSaveAsSource->menuAction()->isEnabled());
        QVERIFY(!window->Changed());
    }

    void theToolbarHasElevenButtonsWithIconsAndTips()
    {
        QStringList tips;
        for (const QString& key : clsIcons::FormatManagerKeys()) {
            QAction* button = window->ToolButton(key);
            QVERIFY2(button, qPrintable(key));
            QVERIFY2(!button->icon().pixmap(16, 16).isNull(), qPrintable(key));
            QVERIFY(button->text().isEmpty());
            tips << button->toolTip();
        }
        QCOMPARE(tips.size(), 11);
        QCOMPARE(tips.first(), u"ＶＢソースファイルから開く"_s);
        QCOMPARE(tips.last(), u"ヘッダ情報の編集"_s);
    }

    void aRegisteredFormatEnablesOpen()
    {
        gFormats().Add()->StructName = u"Sales"_s;
        frmFormatMan other(*store);
        QVERIFY(other.mnOpenRegisted->isEnabled());
        QVERIFY(other.ToolButton(u"Open"_s)->isEnabled());
        for (QAction* item : {other.mnSaveAsVB, other.mnSaveAsC, other.mnSaveAsXSL})
            QVERIFY(item->isEnabled());
        gFormats().Clear();
    }

    void theTemplateIsShownAndItsHeaderEdited()
    {
        QString caption;
        modal::When<frmFormatHDEdit>([&](frmFormatHDEdit* editor) {
            caption = editor->windowTitle();
            editor->cmdCancel->click();
        });
        window->mnNewManual_Click();
        QCOMPARE(caption, u"[ Template ]のプロパティ"_s);
        QCOMPARE(window->RowCount(), 1);
        QCOMPARE(Row(1), QStringList({u"MemberName"_s, u"文字列"_s, u"10"_s, u"メンバ名"_s,
                                      u"左詰め"_s, u"スペース"_s, u"する"_s}));
        QCOMPARE(window->EditFormat().FormatName, u"フォーマット名称"_s);
        QCOMPARE(window->StatusPanel(u"StName"_s)->text(),
                 u"フォーマット名称[Template] "_s + window->EditFormat().FileTypeAsString());
        QVERIFY(window->mnRegist->isEnabled());
        QVERIFY(window->ToolButton(u"Prop"_s)->isEnabled());
    }

    void replacingMembersAsksFirst()
    {
        Showing({u"a"_s});
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::No);
        window->mnNewManual_Click();
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Question"_s);
        QCOMPARE(box.text, u"現在編集中のデータがクリアされますが、よろしいですか？"_s);
        QCOMPARE(window->CellText(1, 1), u"a"_s);
    }

    void aNewRowHasTheDefaults()
    {
        Showing({u"a"_s, u"b"_s});
        window->SetActiveCell(2, 4);
        window->mnEditInsert_Click();
        QCOMPARE(window->RowCount(), 3);
        QCOMPARE(Row(2), QStringList({QString(), u"文字列"_s, u"10"_s, QString(), u"左詰め"_s,
                                      u"スペース"_s, u"する"_s}));
        QCOMPARE(window->CellText(3, 1), u"b"_s);
        QVERIFY(window->Changed());
    }

    void theLastRowCannotBeDeleted()
    {
        Showing({u"a"_s, u"b"_s});
        window->SetActiveCell(1, 1);
        window->mnEditDelete_Click();
        QCOMPARE(window->RowCount(), 1);
        QCOMPARE(window->CellText(1, 1), u"b"_s);
        QVERIFY(window->Changed());
        clsScriptedMsgBox msg;
        window->mnEditDelete_Click();
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind + u'|' + box.title + u'|' + box.text,
                 u"Exclamation|Format Manager|これ以上は削除できません。"_s);
        QCOMPARE(window->RowCount(), 1);
    }

    void movesStopAtTheEdges()
    {
        Showing({u"a"_s, u"b"_s, u"c"_s});
        window->SetActiveCell(1, 3);
        window->mnEditMoveUp_Click();
        QVERIFY(!window->Changed());
        QCOMPARE(window->CellText(1, 1), u"a"_s);
        window->SetActiveCell(3, 3);
        window->mnEditMoveDown_Click();
        QVERIFY(!window->Changed());
        QCOMPARE(window->CellText(3, 1), u"c"_s);

        window->mnEditMoveUp_Click();
        QCOMPARE(window->CellText(2, 1), u"c"_s);
        QCOMPARE(window->CellText(3, 1), u"b"_s);
        QCOMPARE(QPoint(window->ActiveCol(), window->ActiveRow()), QPoint(3, 2));
        window->SetActiveCell(1, 2);
        window->mnEditMoveDown_Click();
        QCOMPARE(window->CellText(1, 1), u"c"_s);
        QCOMPARE(window->CellText(2, 1), u"a"_s);
        QCOMPARE(QPoint(window->ActiveCol(), window->ActiveRow()), QPoint(2, 2));
        QVERIFY(window->Changed());
    }

    void widthsMustBeWholeNumbersFromOne()
    {
        Showing({u"a"_s, u"b"_s});
        clsScriptedMsgBox msg;
        QPoint cell;
        for (const QString& bad : {u"0"_s, u"-1"_s, u"+5"_s, u"1.5"_s, u"abc"_s}) {
            window->SetCellText(2, 3, bad);
            window->SetActiveCell(1, 1);
            QCOMPARE(Refused(&frmFormatMan::CheckMembers, msg, cell),
                     u"Exclamation|Format Manager|整数値を入力してください。"_s);
            QCOMPARE(cell, QPoint(3, 2));
        }
        window->SetCellText(2, 3, u"10"_s);
        QCOMPARE(Refused(&frmFormatMan::CheckMembers, msg, cell), u"(passed)"_s);
    }

    void memberNamesAreHalfWidth()
    {
        Showing({u"a"_s, u"名前"_s});
        clsScriptedMsgBox msg;
        QPoint cell;
        QCOMPARE(Refused(&frmFormatMan::CheckMembers, msg, cell),
                 u"Exclamation|Format Manager|メンバ名に全角文字は使用できません。"_s);
        QCOMPARE(cell, QPoint(1, 2));
    }

    void trimmedNamesMustDiffer()
    {
        Showing({u"id"_s, u"ID"_s, u"x"_s, u"ID "_s});
        clsScriptedMsgBox msg;
        QPoint cell;
        QCOMPARE(Refused(&frmFormatMan::CheckDupNames, msg, cell),
                 u"Exclamation|Format Manager|2行目と4行目のメンバ名が同じです。"_s);
        QCOMPARE(cell, QPoint(1, 4));
        window->SetCellText(4, 1, u"Id"_s);
        QCOMPARE(Refused(&frmFormatMan::CheckDupNames, msg, cell), u"(passed)"_s);
    }

    void structureNamesAreSections()
    {
        clsScriptedMsgBox msg;
        for (const QString& good : {u"Formats2"_s, u"rec_1"_s})
            QVERIFY(frmFormatMan::CheckStructName(good));
        const QString reserved =
            u"構造体名に[Formats],[Option],[RecentFile]は使用できません（予約語）。"_s;
        const QList<QPair<QString, QString>> bad = {
            {u"Formats"_s, reserved},
            {u"Option"_s, reserved},
            {u" "_s, u"構造体名を入力してください。"_s},
            {u"rec-1"_s, u"構造体名は半角の数値とアルファベットを使用してください。"_s},
            {u"ＲＥＣ"_s, u"構造体名は半角の数値とアルファベットを使用してください。"_s},
            {u" rec"_s, u"構造体名は半角の数値とアルファベットを使用してください。"_s}};
        for (const auto& [name, text] : bad) {
            QVERIFY2(!frmFormatMan::CheckStructName(name), qPrintable(name));
            const clsScriptedMsgBox::Box box = msg.TakeOne();
            QCOMPARE(box.kind + u'|' + box.title, u"Exclamation|Format Manager"_s);
            QCOMPARE(box.text, text);
        }
    }

    void theGridBecomesTheFormat()
    {
        Showing({u"a"_s, u"b"_s});
        window->SetCellText(1, 1, u" code "_s);
        window->SetCellText(1, 2, u"32bit整数"_s);
        window->SetCellText(1, 3, u" 11 "_s);
        window->SetCellText(1, 4, u" 番号 "_s);
        window->SetCellText(1, 5, u"右詰め"_s);
        window->SetCellText(1, 6, u"ゼロ"_s);
        window->SetCellText(1, 7, u"しない"_s);
        QVERIFY(window->GridToFormat());
        const clsFormat& format = window->EditFormat();
        QCOMPARE(format.MemCount(), 2);
        const clsMember& member = *format.Members(1);
        QCOMPARE(member.MemName, u"code"_s);
        QCOMPARE(member.MemType, 2);
        QCOMPARE(member.MemLen, 11);
        QCOMPARE(member.Comment, u"番号"_s);
        QCOMPARE(member.Stuff, 1);
        QCOMPARE(member.BlankChr, u"0"_s);
        QCOMPARE(member.ConvOut, 0);
        QCOMPARE(format.StructName, u"Rec"_s);
    }

    void helpFollowsTheActiveColumn()
    {
        Showing({u"a"_s});
        const QStringList expected = {
            u"メンバ名は半角文字を入力します。"_s,
            u"データ型を選択してください。"_s,
            u"桁数は表示の有効バイト数です。データ型のサイズではありません。"_s,
            u"コメントを入力してください。"_s,
            u"文字詰めはテキストファイルのみ有効です。"_s,
            u"文字詰めはテキストファイルのみ有効です。"_s,
            u"項目情報を編集してください。"_s};
        for (int col = 7; col >= 1; --col) {
            window->SetActiveCell(1, col);
            QCOMPARE(window->StatusPanel(u"Message"_s)->text(), expected.at(col - 1));
        }
        QCOMPARE(window->StatusPanel(u"StName"_s)->text(), u"レコード[Rec]"_s);
    }

    void aRegisteredFormatIsOpenedAsACopy()
    {
        clsFormat* registered = gFormats().Add();
        registered->StructName = u"Sales"_s;
        registered->AddMember()->MemName = u"qty"_s;
        frmFormatMan other(*store);
        QString message;
        modal::When<frmFormatSelect>([&](frmFormatSelect* chooser) {
            message = chooser->lblMessage->text();
            chooser->cmdOK->click();
        });
        other.mnOpenRegisted_Click();
        QCOMPARE(message, u"以下のフォーマットが登録されています。\r\n"
                          u"編集するフォーマットを選択してください。"_s);
        QCOMPARE(other.CellText(1, 1), u"qty"_s);
        QVERIFY(&other.EditFormat() != registered);
        gFormats().Clear();
    }

    void closingAChangedEditAsksToRegister()
    {
        Showing({u"a"_s});
        window->show();
        window->mnEditInsert_Click();
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::No);
        window->mnQuit->trigger();
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind + u'|' + box.title + u'|' + box.text,
                 u"QuestionNega|Format Manager|"
                 u"フォーマット情報は変更されています。レジストリに登録しますか？"_s);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->EditFormat().MemCount(), 0);
    }
};

QUILLET_QTEST_MAIN(TestFrmFormatMan)
#include "tst_frmFormatMan.moc"
