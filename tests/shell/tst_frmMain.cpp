// The main window: start-up, the File and Window menus, opening files from every source, the
// recent list, the shell's side of saving and closing, and exit.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsCommandLine.h"
#include "clsDocument.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsMainFixture.h"
#include "clsOptions.h"
#include "clsScriptedMsgBox.h"
#include "clsSettingsStore.h"
#include "frmCsv.h"
#include "frmFormatMan.h"
#include "frmMain.h"
#include "frmSelType.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;

// Passes everything to the real store until told to fail its writes.
class clsBreakableStore : public clsSettingsStore
{
public:
    explicit clsBreakableStore(clsSettingsStore& real) : store(real) {}
    QString Get(const QString& a, const QString& s, const QString& k,
                const QString& d) const override
    {
        return store.Get(a, s, k, d);
    }
    QList<Entry> GetAll(const QString& a, const QString& s) const override
    {
        return store.GetAll(a, s);
    }
    bool Save(const QString& a, const QString& s, const QString& k, const QString& v) override
    {
        return !bBroken && store.Save(a, s, k, v);
    }
    bool DeleteKey(const QString& a, const QString& s, const QString& k) override
    {
        return store.DeleteKey(a, s, k);
    }
    bool DeleteSection(const QString& a, const QString& s) override
    {
        return store.DeleteSection(a, s);
    }
    QString LastError() const override
    {
        return bBroken ? u"ディスクがいっぱいです。"_s : QString();
    }

    bool bBroken = false;

private:
    clsSettingsStore& store;
};

// Picks list entry nItem in the next format chooser, and remembers its message.
void ChooseFormat(int nItem, QString* message = nullptr)
{
    modal::When<frmSelType>([nItem, message](frmSelType* dialog) {
        if (message)
            *message = dialog->lblMessage->text();
        dialog->cboFormat->setCurrentIndex(nItem);
        dialog->cmdOK->click();
    });
}

} // namespace

class TestFrmMain : public QObject, private clsMainFixture
{
    Q_OBJECT

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void startsWithMenusAndTheHandOff()
    {
        QVERIFY(store->Save(app, u"RecentFile"_s, u"Recent1"_s, u"/DATA/A&B.CSV"_s));
        QVERIFY(store->Save(app, u"RecentFile"_s, u"RecType1"_s, u"Sales"_s));
        frmMain& main = Started();
        QCOMPARE(main.windowTitle(), u"Quillet"_s);
        QCOMPARE(main.centralWidget(), main.MdiArea());
        QCOMPARE(main.CntDoc, 0);
        QCOMPARE(main.nCurMode, 1);
        QCOMPARE(main.szCurMode, u"a 売上"_s);
        QCOMPARE(main.nNewMode(), 1);
        QCOMPARE(main.nNewID(), 1);
        QCOMPARE(main.StatusPanel(1)->text(), u"ファイルを開いてください。"_s);
        QCOMPARE(main.statusBar()->findChildren<QLabel*>().size(), 4);

        const QList<QAction*> items = main.mnFile->actions();
        QCOMPARE(items.size(), 23);
        const QList<QPair<QAction*, QString>> file = {
            {main.mnNew, u"新規作成(&N)|Ctrl+N"_s},
            {main.mnOpen, u"開く(&O)|Ctrl+O"_s},
            {main.mnSave, u"上書き保存(&S)|Ctrl+S"_s},
            {main.mnNamedAndSave, u"名前を付けて保存(&T)|Ctrl+T"_s},
            {main.mnSaveAll, u"全て保存(&A)|Ctrl+A"_s},
            {main.mnClose, u"閉じる(&C)|"_s}};
        for (qsizetype i = 0; i < file.size(); ++i) {
            QCOMPARE(items[i], file[i].first);
            QCOMPARE(items[i]->text() + u'|' + items[i]->shortcut().toString(), file[i].second);
        }
        QVERIFY(items[6]->isSeparator());
        QCOMPARE(items[7], main.mnChgType->menuAction());
        QCOMPARE(items[9], main.mnPrint);
        QCOMPARE(items[11], main.mnEnd);
        QCOMPARE(main.mnEnd->text(), u"終了(&X)"_s);
        QCOMPARE(items[12], main.mnBar4);
        QVERIFY(main.mnBar4->isVisible());
        QCOMPARE(items[13], main.mnRecent(1));
        QCOMPARE(main.mnRecent(1)->text(), u"/DATA/A&&B.CSV"_s);
        QVERIFY(!main.mnRecent(2)->isVisible());

        QCOMPARE(main.mnWindow->title(), u"ウィンドウ(&W)"_s);
        QStringList windowItems;
        for (QAction* item : main.mnWindow->actions())
            windowItems << item->text() + u'|' + item->shortcut().toString();
        QCOMPARE(windowItems, QStringList({u"縦に並べる(&V)|"_s, u"横に並べる(&H)|"_s,
                                           u"重ねて表示(&C)|"_s, u"全て縦に並べる(&A)|Ctrl+W"_s,
                                           u"|"_s, u"新しいウィンドウを開く(&N)|"_s}));
        // No document: nothing to save or close.
        for (QAction* item : {main.mnSave, main.mnNamedAndSave, main.mnSaveAll, main.mnClose})
            QVERIFY(!item->isEnabled());
    }

    void noFormatEndsTheProgram()
    {
        clsScriptedMsgBox msg;
        frmMain main(*store);
        // The first run visits the format manager; closed without registering, the program ends.
        bool visited = false;
        modal::When<frmFormatMan>([&](frmFormatMan* manager) {
            visited = true;
            manager->close();
        });
        QVERIFY(!main.Startup());
        QVERIFY(visited);
        QCOMPARE(msg.TakeOne().text, u"フォーマットが登録されていません。\r\n"
                                     u"フォーマットマネージャでフォーマットを登録してください。"_s);
        QCOMPARE(store->Get(app, u"RecentFile"_s, u"Ver"_s), QString());
    }

    void anEmptyCommandLineShowsOneNewDocument()
    {
        frmMain& main = Started();
        main.OpenCommandLine(clsCommandLine({}));
        QCOMPARE(main.Documents().size(), 1);
        QCOMPARE(main.CntDoc, 1);
        frmCsv* document = main.ActiveDocument();
        QVERIFY(document);
        QCOMPARE(document->szFileName(), u"新規1.txt"_s);
        QCOMPARE(document->Mode(), 1);
        QCOMPARE(main.StatusPanel(1)->text(), u"新規1.txt"_s);
        // Nothing to save yet in an untouched document.
        QVERIFY(!main.mnSave->isEnabled());
        for (QAction* item : {main.mnNamedAndSave, main.mnSaveAll, main.mnClose})
            QVERIFY(item->isEnabled());
    }

    void aMissingFileIsReportedAndTheOthersOpen()
    {
        frmMain& main = Started();
        Write(u"Mixed Case.csv"_s);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const QStringList args = {u"--format"_s, u"Stock"_s, u"gone.csv"_s, u"Mixed Case.csv"_s};
        clsScriptedMsgBox msg;
        main.OpenCommandLine(clsCommandLine(args));
        QDir::setCurrent(previous);
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Critical"_s);
        QCOMPARE(box.title, u"Quillet"_s);
        QCOMPARE(box.text,
                 u"--format Stock gone.csv Mixed Case.csv\r指定のファイルが存在しません。"_s);
        QCOMPARE(main.Documents().size(), 1);
        frmCsv* document = main.ActiveDocument();
        QCOMPARE(document->szFile(), dir.filePath(u"Mixed Case.csv"_s));
        QCOMPARE(document->Mode(), 2);
        QCOMPARE(document->nCntData(), 2);
        QCOMPARE(main.RecentList().File(1), dir.filePath(u"Mixed Case.csv"_s));
        QCOMPARE(main.RecentList().StructName(1), u"Stock"_s);
    }

    void eachCommandLineFileAsksItsFormat()
    {
        frmMain& main = Started();
        const QString path = Write(u"a.csv"_s);
        QString message;
        ChooseFormat(2, &message);
        clsScriptedMsgBox msg;
        // An unknown format is named and then asked for.
        main.OpenCommandLine(clsCommandLine({u"--format"_s, u"Gone"_s, path}));
        QCOMPARE(msg.TakeOne().text, u"フォーマット「Gone」は登録されていません。"_s);
        QCOMPARE(message, path + u"\nファイルフォーマットを選択してください。"_s);
        QCOMPARE(main.ActiveDocument()->Mode(), 3);
    }

    void anUntouchedNewDocumentIsReused()
    {
        frmMain& main = Started();
        main.OpenCommandLine(clsCommandLine({}));
        frmCsv* first = main.ActiveDocument();
        const QString path = Write(u"a.csv"_s);
        Open(path, 2);
        QCOMPARE(main.Documents(), QList<frmCsv*>({first}));
        QCOMPARE(main.CntDoc, 1);
        QCOMPARE(first->szFile(), path);
        QCOMPARE(first->Mode(), 2);
        QCOMPARE(main.szCurFile, path);
        QCOMPARE(main.nCurMode, 2);
        QCOMPARE(main.szCurMode, u"b 在庫"_s);

        // A loaded document is not reused: a new one opens.
        ChooseFormat(0);
        main.mnNew->trigger();
        QCOMPARE(main.Documents().size(), 2);
        frmCsv* second = main.ActiveDocument();
        QCOMPARE(second->szFileName(), u"新規1.txt"_s);
        // Nor is a new document once a cell was changed.
        Edit(second);
        Open(path, 1);
        QCOMPARE(main.Documents().size(), 3);
        QCOMPARE(main.CntDoc, 3);
    }

    void newDocumentsNeverShareAName()
    {
        frmMain& main = Started();
        main.OpenCommandLine(clsCommandLine({}));
        ChooseFormat(1);
        main.mnNewWindow->trigger();
        frmCsv* first = main.ActiveDocument();
        QCOMPARE(main.Documents().size(), 1);
        QCOMPARE(first->szFileName(), u"新規1.txt"_s);
        QCOMPARE(first->Mode(), 2);
        Edit(first);
        ChooseFormat(0);
        main.mnNew->trigger();
        QCOMPARE(main.Documents().size(), 2);
        QCOMPARE(main.ActiveDocument()->szFileName(), u"新規2.txt"_s);
        QCOMPARE(main.nNewID(), 2);
    }

    void theRecentListFollowsWhatWasOpened()
    {
        frmMain& main = Started();
        const QString a = Write(u"a.csv"_s);
        const QString b = Write(u"b.csv"_s);
        Open(a, 1);
        Open(b, 1);
        Open(a, 1);
        QCOMPARE(main.RecentList().File(1), a);
        QCOMPARE(main.RecentList().File(2), b);
        QVERIFY(!main.mnRecent(3)->isVisible());
        Open(a, 2);
        QCOMPARE(main.RecentList().StructName(1), u"Stock"_s);
        QCOMPARE(main.RecentList().File(2), a);
        QCOMPARE(main.mnRecent(3)->text(), b);
        QVERIFY(main.mnBar4->isVisible());
        QCOMPARE(store->Get(app, u"RecentFile"_s, u"RecType2"_s), u"Sales"_s);

        // Reopening uses the entry's format and moves it to the front.
        main.mnRecent(3)->trigger();
        QCOMPARE(main.ActiveDocument()->szFile(), b);
        QCOMPARE(main.ActiveDocument()->Mode(), 1);
        QCOMPARE(main.RecentList().File(1), b);
        QCOMPARE(main.Documents().size(), 5);
    }

    void aRecentEntryWithoutItsFormatLoadsNothing()
    {
        QVERIFY(store->Save(app, u"RecentFile"_s, u"Recent1"_s, Write(u"a.csv"_s)));
        QVERIFY(store->Save(app, u"RecentFile"_s, u"RecType1"_s, u"Deleted"_s));
        frmMain& main = Started();
        clsScriptedMsgBox msg;
        main.mnRecent(1)->trigger();
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QCOMPARE(box.text, u"フォーマットが登録されていません。"_s);
        QVERIFY(main.Documents().isEmpty());
    }

    void aStoreFailureOnTheRecentListIsTold()
    {
        clsBreakableStore breakable(*store);
        frmMain& main = Started(&breakable);
        breakable.bBroken = true;
        clsScriptedMsgBox msg;
        Open(Write(u"a.csv"_s), 1);
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QCOMPARE(box.text, u"ディスクがいっぱいです。レジストリのアクセスに失敗しました。"_s);
        QCOMPARE(main.Documents().size(), 1);
        breakable.bBroken = false;
        main.close();
        window.reset();
    }

    void theOpenDialogsFilterEntryIsTheFormat()
    {
        frmMain& main = Started();
        const QString path = Write(u"c.csv"_s);
        QString folder;
        QStringList filters;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            folder = dialog->directory().absolutePath();
            filters = dialog->nameFilters();
            dialog->selectNameFilter(filters.value(2));
            modal::TypeFileName(dialog, path);
            modal::Accept(dialog);
        });
        main.mnOpen->trigger();
        QCOMPARE(folder, QCoreApplication::applicationDirPath());
        QCOMPARE(filters.size(), 3);
        QVERIFY(filters.at(2).startsWith(u"c 社員"_s));
        frmCsv* document = main.ActiveDocument();
        QVERIFY(document);
        QCOMPARE(document->szFile(), path);
        QCOMPARE(document->Mode(), 3);
        QCOMPARE(main.RecentList().StructName(1), u"Staff"_s);

        // The next open proposes the name chosen last.
        QString proposed;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            if (auto* edit = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s))
                proposed = edit->text();
        });
        main.mnOpen->trigger();
        QCOMPARE(proposed, u"c.csv"_s);
        QCOMPARE(main.Documents().size(), 1);
    }

    void droppedFilesAskTheirFormat()
    {
        frmMain& main = Started();
        const QString path = Write(u"dropped.csv"_s);
        ChooseFormat(1);
        main.FilesDropped({path});
        QCOMPARE(main.ActiveDocument()->szFile(), path);
        QCOMPARE(main.ActiveDocument()->Mode(), 2);
    }

    void saveSaveAsSaveAllAndClose()
    {
        frmMain& main = Started();
        const QString a = Write(u"a.csv"_s);
        const QString b = Write(u"b.csv"_s);
        Open(a, 1);
        frmCsv* first = main.ActiveDocument();
        Open(b, 1);
        frmCsv* second = main.ActiveDocument();
        Edit(first);
        Edit(second);
        main.mnSaveAll->trigger();
        QVERIFY(!first->bDirty());
        QVERIFY(!second->bDirty());
        QCOMPARE(main.ActiveDocument(), second);
        QFile saved(a);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("\"X9\",\"Pen\"\r\n\"A2\",\"Ink\"\r\n"));

        const QString copy = dir.filePath(u"Copy.csv"_s);
        QString proposed;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            proposed = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
            modal::TypeFileName(dialog, copy);
            modal::Accept(dialog);
        });
        main.mnNamedAndSave->trigger();
        QCOMPARE(proposed, u"b.csv"_s);
        QCOMPARE(second->szFile(), copy);
        QVERIFY(QFile::exists(copy));
        QCOMPARE(main.RecentList().File(1), copy);

        main.mnClose->trigger();
        QCOMPARE(main.Documents(), QList<frmCsv*>({first}));
        QCOMPARE(main.CntDoc, 1);
        main.mnClose->trigger();
        QVERIFY(main.Documents().isEmpty());
        QCOMPARE(main.CntDoc, 0);
        QVERIFY(!main.mnSave->isEnabled());
        QCOMPARE(main.StatusPanel(1)->text(), u"ファイルを開いてください。"_s);
    }

    void exitStopsWhenADocumentStaysOpen()
    {
        frmMain& main = Started();
        main.OpenCommandLine(clsCommandLine({}));
        Edit(main.ActiveDocument());
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Cancel);
        main.mnEnd->trigger();
        QCOMPARE(msg.TakeOne().text, u"新規1.txt は更新されています。内容を保存しますか？"_s);
        QVERIFY(main.isVisible());
        QCOMPARE(main.Documents().size(), 1);
        QCOMPARE(store->Get(app, u"RecentFile"_s, u"Ver"_s), QString());

        msg.QueueAnswer(clsMessenger::No);
        QVERIFY(main.close());
        msg.TakeOne();
        QVERIFY(!main.isVisible());
        QCOMPARE(main.CntDoc, 0);
        QCOMPARE(store->Get(app, u"RecentFile"_s, u"Ver"_s), u"2.3"_s);
    }

    void theWindowMenuListsTheDocuments()
    {
        frmMain& main = Started();
        Open(Write(u"a&b.csv"_s), 1);
        frmCsv* first = main.ActiveDocument();
        ChooseFormat(0);
        main.mnNew->trigger();
        emit main.mnWindow->aboutToShow();
        QList<QAction*> items = main.mnWindow->actions();
        QCOMPARE(items.size(), 9);
        QVERIFY(items[6]->isSeparator());
        QCOMPARE(items[7]->text(), u"&1 a&&b.csv"_s);
        QCOMPARE(items[8]->text(), u"&2 新規1.txt"_s);
        QVERIFY(!items[7]->isChecked());
        QVERIFY(items[8]->isChecked());
        items[7]->trigger();
        QCOMPARE(main.ActiveDocument(), first);
        // Shown again, the list is rebuilt rather than added to.
        emit main.mnWindow->aboutToShow();
        QCOMPARE(main.mnWindow->actions().size(), 9);

        main.mnWindowAllVert->trigger();
        const QWidget* top = first->parentWidget();
        const QWidget* below =
            main.ActiveDocument() == first ? main.Documents()[1]->parentWidget() : nullptr;
        QVERIFY(below);
        QCOMPARE(top->y(), 0);
        QCOMPARE(below->y(), top->height());
        QCOMPARE(top->width(), main.MdiArea()->viewport()->width());
    }
};

QUILLET_QTEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
