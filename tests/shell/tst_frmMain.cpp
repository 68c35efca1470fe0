// The main window: start-up with a registered format, the File menu, the status panels,
// the first-run and version endings, and the settings written when it closes.
#include "QuilletTestMain.h"
#include "clsFormats.h"
#include "clsOptions.h"
#include "clsScriptedMsgBox.h"
#include "clsSettingsStore.h"
#include "frmMain.h"

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;

// One registered format with one member.
void RegisterSales(clsSettingsStore& store)
{
    const QList<QPair<QString, QString>> keys = {
        {u"FormatName"_s, u"売上明細"_s},  {u"FileType"_s, u"1,1,\r\n"_s},
        {u"QuoteString"_s, u","_s},        {u"SkipHeader"_s, u"0"_s},
        {u"DblQuote"_s, u"001"_s},         {u"CntMember"_s, u"1"_s},
        {u"MemNameType_1"_s, u"code,5"_s}, {u"MemLen_1"_s, u"8, "_s}};
    QVERIFY(store.Save(app, u"Formats"_s, u"Sales"_s, u"Sales"_s));
    for (const auto& key : keys)
        QVERIFY(store.Save(app, u"Sales"_s, key.first, key.second));
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Every test starts from an empty store at the file QUILLET_SETTINGS names.
        QFile::remove(qEnvironmentVariable("QUILLET_SETTINGS"));
        store = CreateSettingsStore();
        clsOptions::Reset();
        gFormats().Clear();
    }

    void startsWithOneFormat()
    {
        RegisterSales(*store);
        QVERIFY(store->Save(app, u"RecentFile"_s, u"Recent1"_s, u"/DATA/A&B.CSV"_s));
        QVERIFY(store->Save(app, u"RecentFile"_s, u"RecType1"_s, u"Sales"_s));
        frmMain window(*store);
        QVERIFY(window.Startup());
        QCOMPARE(window.windowTitle(), u"Quillet"_s);
        QVERIFY(window.MdiArea() != nullptr);
        QCOMPARE(window.centralWidget(), window.MdiArea());

        QCOMPARE(window.CntDoc, 0);
        QCOMPARE(window.nCurMode, 1);
        QCOMPARE(window.szCurMode, u"売上明細"_s);
        QCOMPARE(window.szCurFile, QString());
        QCOMPARE(window.nNewMode, 1);
        QCOMPARE(window.nNewID, 1);
        QCOMPARE(gFormats().Count(), 1);

        QCOMPARE(window.mnFile->title(), u"ファイル(&F)"_s);
        const QList<QAction*> items = window.mnFile->actions();
        QCOMPARE(items.size(), 12);
        QCOMPARE(items[0], window.mnEnd);
        QCOMPARE(window.mnEnd->text(), u"終了(&X)"_s);
        QCOMPARE(items[1], window.mnBar4);
        QVERIFY(window.mnBar4->isSeparator());
        QVERIFY(window.mnBar4->isVisible());
        QCOMPARE(items[2], window.mnRecent(1));
        QCOMPARE(window.mnRecent(1)->text(), u"/DATA/A&&B.CSV"_s);
        QVERIFY(window.mnRecent(1)->isVisible());
        QCOMPARE(window.RecentList().StructName(1), u"Sales"_s);
        for (int n = 2; n <= 10; ++n)
            QVERIFY(!window.mnRecent(n)->isVisible());
        QCOMPARE(items[11], window.mnRecent(10));

        const QList<QLabel*> panels = window.statusBar()->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 4);
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(window.StatusPanel(n)->parentWidget(), window.statusBar());
        QCOMPARE(window.StatusPanel(1)->text(), u"ファイルを開いてください。"_s);
        QCOMPARE(window.StatusPanel(2)->text(), QString());

        window.show();
        QVERIFY(window.close());
        QCOMPARE(store->Get(app, u"RecentFile"_s, u"Ver"_s), u"2.3"_s);
        QCOMPARE(store->Get(app, u"Option"_s, u"Header"_s), u"00001"_s);
        QCOMPARE(store->Get(app, u"Option"_s, u"Edit"_s), u"010"_s);
        QCOMPARE(store->Get(app, u"Option"_s, u"Font"_s), u"10,False,False,ＭＳ ゴシック"_s);
        QVERIFY(!store->Get(app, u"Option"_s, u"TextPath"_s).isEmpty());
        QCOMPARE(store->Get(app, u"Sales"_s, u"MemColInfo_1"_s), u"10"_s);
    }

    void noRecentEntryHidesTheSeparator()
    {
        RegisterSales(*store);
        frmMain window(*store);
        QVERIFY(window.Startup());
        QVERIFY(!window.mnBar4->isVisible());
    }

    void exitClosesAndSaves()
    {
        RegisterSales(*store);
        frmMain window(*store);
        QVERIFY(window.Startup());
        window.show();
        gFontSize = 14;
        window.mnEnd->trigger();
        QVERIFY(!window.isVisible());
        QCOMPARE(store->Get(app, u"Option"_s, u"Font"_s), u"14,False,False,ＭＳ ゴシック"_s);
    }

    void noFormatEndsTheProgram()
    {
        clsScriptedMsgBox msg;
        frmMain window(*store);
        QVERIFY(!window.Startup());
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Information"_s);
        QCOMPARE(box.title, u"Quillet"_s);
        QCOMPARE(box.text, u"フォーマットが登録されていません。\r\n"
                           u"フォーマットマネージャでフォーマットを登録してください。"_s);
        // Ending at start-up writes nothing.
        QCOMPARE(store->Get(app, u"RecentFile"_s, u"Ver"_s), QString());
    }

    void aMalformedOptionCountsAsNoFormat()
    {
        RegisterSales(*store);
        QVERIFY(store->Save(app, u"Option"_s, u"Header"_s, u"0000x"_s));
        clsScriptedMsgBox msg;
        frmMain window(*store);
        QVERIFY(!window.Startup());
        QCOMPARE(msg.TakeOne().kind, u"Information"_s);
    }

    void anotherMajorVersionEndsTheProgram()
    {
        RegisterSales(*store);
        QVERIFY(store->Save(app, u"RecentFile"_s, u"Ver"_s, u"3.0"_s));
        clsScriptedMsgBox msg;
        frmMain window(*store);
        QVERIFY(!window.Startup());
        QCOMPARE(msg.TakeOne().text,
                 u"レジストリ情報のバージョンが違います。Quilletを起動できません。"_s);
    }

    void activationClearsInit()
    {
        RegisterSales(*store);
        frmMain window(*store);
        QVERIFY(window.Startup());
        window.bInit = true;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!window.bInit);
        window.close();
    }

    void cleanup()
    {
        store.reset();
        gFormats().Clear();
    }

private:
    std::unique_ptr<clsSettingsStore> store;
};

QUILLET_QTEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
