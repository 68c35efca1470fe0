// The main window's command surface: the menu tree, popup and toolbar, the command state,
// undo and redo, the sort mode, the view toggles, window placement and stacking, and exit.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsCommandLine.h"
#include "clsGridView.h"
#include "clsMainFixture.h"
#include "clsOptions.h"
#include "clsScriptedMsgBox.h"
#include "frmSelType.h"

#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace {

// Caption and shortcut of each item of a menu, "—" for a separator.
QStringList Items(const QMenu* menu)
{
    QStringList items;
    for (const QAction* item : menu->actions())
        items << (item->isSeparator() ? u"—"_s : item->text() + u'|' + item->shortcut().toString());
    return items;
}

} // namespace

class TestFrmMainCommands : public QObject, private clsMainFixture
{
    Q_OBJECT

    // A started window with n new documents, each typed into (an untouched one would be
    // reused by the next).
    frmMain& WithDocuments(int n)
    {
        frmMain& main = Started();
        main.OpenCommandLine(clsCommandLine({}));
        Edit(main.ActiveDocument());
        for (int k = 1; k < n; ++k) {
            modal::When<frmSelType>([](frmSelType* dialog) { dialog->cmdOK->click(); });
            main.mnNew->trigger();
            Edit(main.ActiveDocument());
        }
        return main;
    }

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void menusPopupAndToolbarCarryEveryCommand()
    {
        frmMain& main = Started();
        QStringList bar;
        for (const QAction* menu : main.menuBar()->actions())
            bar << menu->text();
        QCOMPARE(bar, QStringList({u"ファイル(&F)"_s, u"編集(&E)"_s, u"表示(&V)"_s, u"ツール(&T)"_s,
                                   u"ウィンドウ(&W)"_s, u"ヘルプ(&H)"_s}));
        QCOMPARE(Items(main.mnChgType),
                 QStringList(
                     {u"ＣＳＶ形式で出力|"_s, u"ＨＴＭＬ形式で出力|"_s, u"ＸＭＬ形式で出力|"_s}));
        QCOMPARE(Items(main.mnEdit),
                 QStringList({u"元に戻す(&U)|Ctrl+Z"_s, u"やり直し(&R)|Ctrl+Y"_s, u"—"_s,
                              u"行挿入(&I)|Ctrl+I"_s, u"行削除(&D)|Ctrl+D"_s, u"１行上に移動|"_s,
                              u"１行下に移動|"_s, u"—"_s, u"コピー(&C)|Ctrl+C"_s,
                              u"切り取り(&X)|Ctrl+X"_s, u"張り付け(&P)|Ctrl+P"_s, u"—"_s,
                              u"検索(&F)|Ctrl+F"_s, u"—"_s, u"ソート(&S)|"_s}));
        QCOMPARE(
            Items(main.mnView),
            QStringList({u"ソース表示(&V)|"_s, u"合計(&S)|"_s, u"—"_s,
                         u"フォーマットマネージャ(&F)|Ctrl+R"_s, u"テストデータウィザード(&T)|"_s,
                         u"一意な値のリスト|"_s, u"—"_s, u"ツールバー(&B)|"_s,
                         u"ステータスバー(&S)|"_s, u"—"_s, u"オプション(&O)|"_s}));
        QCOMPARE(Items(main.mnDataWiz), QStringList({u"一括|"_s, u"カーソル列|"_s}));
        QCOMPARE(Items(main.mnHelp).size(), 2);
        QCOMPARE(Items(main.mnPopup),
                 QStringList({u"行挿入(&I)|"_s, u"行削除(&D)|"_s, u"—"_s, u"検索(&F)|"_s,
                              u"ソート(&S)|"_s, u"—"_s, u"合計(&S)|"_s, u"—"_s,
                              u"テストデータ作成[カーソル列]|"_s}));
        QVERIFY(!main.menuBar()->actions().contains(main.mnPopup->menuAction()));
        QVERIFY(main.mnViewTool->isChecked() && main.mnViewStatus->isChecked());

        QStringList buttons;
        for (const QAction* button : main.Toolbar()->actions()) {
            if (!button->isSeparator()) {
                buttons << button->objectName() + u'|' + button->toolTip();
                QVERIFY(!button->icon().isNull());
            }
        }
        QCOMPARE(buttons,
                 QStringList({u"OpenAsNew|新規作成"_s, u"Open|ファイルを開く"_s,
                              u"Save|上書き保存"_s, u"SaveAll|全て保存"_s, u"Cut|切り取り"_s,
                              u"Copy|コピー"_s, u"Paste|張り付け"_s, u"Find|検索"_s,
                              u"Sort|ソート"_s, u"Summary|セルの合計"_s, u"InsertRow|行の挿入"_s,
                              u"DeleteRow|行の削除"_s, u"RowUp|１行上に移動"_s,
                              u"RowDown|１行下に移動"_s, u"Option|オプション"_s}));
    }

    void commandStateFollowsTheActiveDocument()
    {
        frmMain& main = Started();
        // Without a document only the frame's own commands work.
        for (QAction* item : {main.mnSave, main.mnClose, main.mnInsertRow, main.mnEditCopy,
                              main.mnUndo, main.mnVertical, main.mnViewSource})
            QVERIFY(!item->isEnabled());
        QVERIFY(main.mnNew->isEnabled() && main.mnOpen->isEnabled() && main.mnVersion->isEnabled());

        Open(Write(u"a.csv"_s), 1);
        frmCsv* document = main.ActiveDocument();
        QVERIFY(!main.mnSave->isEnabled());
        QVERIFY(main.mnViewSource->isEnabled());
        for (QAction* item :
             {main.mnInsertRow, main.mnPopInsertRow, main.ToolButton(u"InsertRow"_s), main.mnSort,
              main.mnPopSort, main.mnWindowAllVert})
            QVERIFY(item->isEnabled());
        QVERIFY(!main.mnUndo->isEnabled());

        Edit(document);
        QVERIFY(main.mnSave->isEnabled() && main.ToolButton(u"Save"_s)->isEnabled());
        QVERIFY(main.mnUndo->isEnabled());
        main.mnUndo->trigger();
        QCOMPARE(document->Document().Text(1, 1), u"A1"_s);
        QVERIFY(!document->bDirty());
        QVERIFY(!main.mnSave->isEnabled());
        QVERIFY(main.mnRedo->isEnabled());
        main.mnRedo->trigger();
        QCOMPARE(document->Document().Text(1, 1), u"X9"_s);

        main.mnSave->trigger();
        QVERIFY(!main.mnSave->isEnabled());
        QVERIFY(main.mnUndo->isEnabled());

        // Row commands reach the active document through the menu and the toolbar alike.
        document->Grid().setCurrentIndex(document->GridModel().index(0, 0));
        main.ToolButton(u"InsertRow"_s)->trigger();
        QCOMPARE(document->GridModel().rowCount(), 3);
        main.mnUndo->trigger();
        QCOMPARE(document->GridModel().rowCount(), 2);
        QVERIFY(!document->bDirty());
    }

    void commandStateWhileLoadingAndClosing()
    {
        frmMain& main = Started();
        clsScriptedMsgBox msg;
        // A line with one field too few asks whether to go on; the answer No stops the load.
        msg.QueueAnswer(clsMessenger::No);
        bool saveWhileLoading = true;
        msg.onShow = [&](const clsScriptedMsgBox::Box&) {
            saveWhileLoading = main.mnSave->isEnabled();
        };
        Open(Write(u"short.csv"_s, "A1,Pen\r\nA2\r\n"), 1);
        msg.TakeShown();
        QVERIFY(!saveWhileLoading);
        QVERIFY(main.mnInsertRow->isEnabled() && !main.mnSave->isEnabled());

        Edit(main.ActiveDocument());
        bool saveWhileAsking = false;
        msg.onShow = [&](const clsScriptedMsgBox::Box&) {
            saveWhileAsking = main.mnSave->isEnabled();
        };
        msg.QueueAnswer(clsMessenger::No);
        main.mnClose->trigger();
        msg.TakeOne();
        QVERIFY(saveWhileAsking);
        QCoreApplication::processEvents();
        for (QAction* item : {main.mnSave, main.mnClose, main.mnInsertRow, main.mnUndo,
                              main.ToolButton(u"Cut"_s), main.mnPopDeleteRow})
            QVERIFY(!item->isEnabled());
        QCOMPARE(main.StatusPanel(1)->text(), u"ファイルを開いてください。"_s);
    }

    void pasteFollowsTheClipboard()
    {
        frmMain& main = WithDocuments(1);
        QGuiApplication::clipboard()->clear();
        emit main.mnEdit->aboutToShow();
        QVERIFY(!main.mnEditPaste->isEnabled() && !main.ToolButton(u"Paste"_s)->isEnabled());
        frmCsv* document = main.ActiveDocument();
        document->Grid().setCurrentIndex(document->GridModel().index(0, 0));
        main.mnEditCopy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"X9"_s);
        QVERIFY(main.mnEditPaste->isEnabled() && main.ToolButton(u"Paste"_s)->isEnabled());
    }

    void sortModeIsMirroredInThreePlaces()
    {
        frmMain& main = WithDocuments(1);
        QAction* button = main.ToolButton(u"Sort"_s);
        button->trigger();
        QVERIFY(main.SortMode());
        QVERIFY(main.mnSort->isChecked() && main.mnPopSort->isChecked() && button->isChecked());
        button->trigger();
        QVERIFY(!main.SortMode());
        QVERIFY(!main.mnSort->isChecked() && !main.mnPopSort->isChecked() && !button->isChecked());
        main.mnPopSort->trigger();
        QVERIFY(main.mnSort->isChecked() && button->isChecked());
    }

    void toolbarAndStatusBarCanBeHidden()
    {
        frmMain& main = Started();
        main.mnViewTool->trigger();
        main.mnViewStatus->trigger();
        QVERIFY(!main.Toolbar()->isVisible() && !main.statusBar()->isVisible());
        main.mnViewTool->trigger();
        QVERIFY(main.Toolbar()->isVisible() && main.mnViewTool->isChecked());
    }

    void newWindowsCascadeInsideTheWorkspace()
    {
        frmMain& main = WithDocuments(6);
        const QRect area(QPoint(0, 0), main.MdiArea()->viewport()->size());
        const QList<QMdiSubWindow*> windows =
            main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(windows.size(), 6);
        for (const QMdiSubWindow* subWindow : windows)
            QVERIFY2(area.contains(subWindow->geometry()),
                     "a window reaches outside the workspace");
        const QPoint step = windows[1]->pos() - windows[0]->pos();
        QVERIFY(step.x() > 0 && step.x() == step.y());
    }

    void stackAllGivesEveryWindowItsShare()
    {
        for (const int n : {3, 20}) {
            frmMain& main = WithDocuments(n);
            main.mnWindowAllVert->trigger();
            const QList<frmCsv*> documents = main.Documents();
            const int height = documents[0]->parentWidget()->height();
            const int share = main.MdiArea()->viewport()->height() / n;
            // An equal share less a gap, but never so small that a window vanishes.
            QVERIFY(height <= std::max(share, 13));
            QVERIFY(height >= std::min(share - 2, 13));
            for (qsizetype k = 0; k < documents.size(); ++k)
                QCOMPARE(documents[k]->parentWidget()->y(), static_cast<int>(k) * height);
            Cleanup();
            Init();
        }
    }

    void aCancelledExitKeepsTheFrameDescribingTheDocument()
    {
        frmMain& main = WithDocuments(2);
        frmCsv* edited = main.ActiveDocument();
        main.Documents().first()->Document().UndoStack().setClean();
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Cancel);
        main.mnEnd->trigger();
        msg.TakeOne();
        QCoreApplication::processEvents();
        QCOMPARE(main.Documents(), QList<frmCsv*>({edited}));
        QCOMPARE(main.StatusPanel(1)->text(), u"1 件のデータ [更新]"_s);
        QCOMPARE(main.StatusPanel(4)->text(), u"Shift-JIS+CRLF"_s);
        QVERIFY(main.windowTitle().startsWith(u"Quillet"_s));
        QVERIFY(main.mnSave->isEnabled());
    }

    void viewSourceStartsTheViewerOfTheFileType()
    {
        frmMain& main = Started();
        const QString marker = dir.filePath(u"viewed"_s);
        // Each viewer writes which one it is and the file it was given.
        gTextPath = u"/bin/sh -c \"echo text $0 > "_s + marker + u"\""_s;
        gBinPath = u"/bin/sh -c \"echo binary $0 > "_s + marker + u"\""_s;
        const QString file = Write(u"with space.csv"_s);
        Open(file, 1);
        main.mnViewSource->trigger();
        const auto viewed = [&marker] {
            QFile in(marker);
            return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()).trimmed()
                                                : QString();
        };
        QTRY_COMPARE(viewed(), u"text "_s + file);
    }

    void saveAsStartsInTheDocumentsFolder()
    {
        frmMain& main = Started();
        Open(Write(u"here.csv"_s), 1);
        QString folder;
        modal::When<QFileDialog>(
            [&folder](QFileDialog* dialog) { folder = dialog->directory().absolutePath(); });
        main.mnNamedAndSave->trigger();
        QCOMPARE(folder, QDir(dir.path()).absolutePath());
    }
};

QUILLET_QTEST_MAIN(TestFrmMainCommands)
#include "tst_frmMainCommands.moc"
