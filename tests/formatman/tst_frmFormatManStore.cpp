// The format manager's store commands: registering (questions, overwrite, the recent list),
// deleting (DelFlg), and a registry file saved and registered again through the menus.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsDialog.h"
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "frmFormatMan.h"
#include "frmFormatSelect.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kApp = u"Quillet"_s;

// A format whose texts need care in a registry file: quotes, backslashes, a tab delimiter
// and an LF line end.
std::unique_ptr<clsFormat> Awkward()
{
    auto format = std::make_unique<clsFormat>();
    format->StructName = u"Awkward_1"_s;
    format->FormatName = u"引用\"符\\と円"_s;
    format->FileType = 1;
    format->CharSet = 3;
    format->CRLF = u"\n"_s;
    format->SepChr = u"\t"_s;
    format->EscInput = 1;
    format->CareQuote = 0;
    const QList<std::tuple<QString, int, int, QString>> members = {
        {u"code"_s, 5, 8, u"商品\"コード\""_s}, {u"qty"_s, 2, 11, u"C:\\数量\\"_s}};
    for (const auto& [name, type, len, comment] : members) {
        clsMember* member = format->AddMember();
        member->MemName = name;
        member->MemType = type;
        member->MemLen = len;
        member->Comment = comment;
        if (type != 5) {
            member->BlankChr = u"0"_s;
            member->Stuff = 1;
        }
    }
    return format;
}

QString Describe(const clsFormat& format)
{
    QString text = format.StructName + u'|' + format.FormatName + u'|' +
                   QString::number(format.FileType) + u'|' + QString::number(format.CharSet) +
                   u'|' + format.CRLF.toUtf8().toHex() + u'|' + format.SepChr + u'|' +
                   QString::number(format.BytesSkipHeader) + u'|' +
                   QString::number(format.EscInput) + QString::number(format.EscOutput) +
                   QString::number(format.CareQuote);
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember& m = *format.Members(i);
        text += u"\n"_s + m.MemName + u'|' + QString::number(m.MemType) + u'|' +
                QString::number(m.MemLen) + u'|' + m.BlankChr + u'|' + QString::number(m.Stuff) +
                u'|' + m.Comment + u'|' + QString::number(m.ConvOut);
    }
    return text;
}

} // namespace

class TestFrmFormatManStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<clsFileSettingsStore> store;
    std::unique_ptr<frmFormatMan> window;

    void ShowAwkward()
    {
        window->SetEditFormat(Awkward());
        window->ShowFormat();
    }

    QString Stored(const QString& szSection, const QString& szKey) const
    {
        return store->Get(kApp, szSection, szKey);
    }

private slots:
    void init()
    {
        QFile::remove(dir.filePath(u"settings.txt"_s));
        store = std::make_unique<clsFileSettingsStore>(dir.filePath(u"settings.txt"_s));
        QVERIFY(store->Save(kApp, u"RecentFile"_s, u"File1"_s, u"/DATA/A.CSV"_s));
        gFormats().Clear();
        window = std::make_unique<frmFormatMan>(*store);
    }

    void cleanup()
    {
        window.reset();
        gFormats().Clear();
    }

    void registeringWritesTheFormatAndErasesTheRecentList()
    {
        ShowAwkward();
        window->mnEditInsert_Click();
        window->SetCellText(1, 1, u"extra"_s);
        QVERIFY(window->Changed());
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Yes);
        window->mnRegist_Click();
        const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
        QCOMPARE(boxes.size(), size_t(2));
        QCOMPARE(boxes[0].kind + u'|' + boxes[0].text,
                 u"Question|フォーマット[ Awkward_1 ]を登録します。よろしいですか？"_s);
        QCOMPARE(boxes[1].kind + u'|' + boxes[1].title + u'|' + boxes[1].text,
                 u"Information|Format Manager|ファイルフォーマットの登録が完了しました。\r"
                 u"アプリケーションを一度終了すると新しいフォーマットが使用できます。"_s);
        QVERIFY(!window->Changed());
        QCOMPARE(Stored(u"Formats"_s, u"Awkward_1"_s), u"Awkward_1"_s);
        QCOMPARE(Stored(u"Awkward_1"_s, u"CntMember"_s), u"3"_s);
        QCOMPARE(Stored(u"Awkward_1"_s, u"MemNameType_1"_s), u"extra,5"_s);
        QCOMPARE(Stored(u"Awkward_1"_s, u"QuoteString"_s), u"\t"_s);
        QVERIFY(store->GetAll(kApp, u"RecentFile"_s).isEmpty());
        // The in-memory store is not touched until the restart.
        QCOMPARE(gFormats().Count(), 0);
    }

    void anExistingNameAsksBeforeOverwriting()
    {
        ShowAwkward();
        QVERIFY(store->Save(kApp, u"Formats"_s, u"Awkward_1"_s, u"Awkward_1"_s));
        QVERIFY(store->Save(kApp, u"Awkward_1"_s, u"FormatName"_s, u"古い"_s));
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Yes);
        msg.QueueAnswer(clsMessenger::No);
        window->mnRegist_Click();
        std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
        QCOMPARE(boxes.size(), size_t(2));
        QCOMPARE(boxes[1].text, u"既に Awkward_1 は登録されています。上書きしますか？"_s);
        QCOMPARE(Stored(u"Awkward_1"_s, u"FormatName"_s), u"古い"_s);
        QCOMPARE(Stored(u"RecentFile"_s, u"File1"_s), u"/DATA/A.CSV"_s);

        msg.QueueAnswer(clsMessenger::Yes);
        msg.QueueAnswer(clsMessenger::Yes);
        window->mnRegist_Click();
        QCOMPARE(msg.TakeShown().size(), size_t(3));
        QCOMPARE(Stored(u"Awkward_1"_s, u"FormatName"_s), u"引用\"符\\と円"_s);
    }

    void aFailedCheckRegistersNothing()
    {
        ShowAwkward();
        window->SetCellText(2, 3, u"0"_s);
        clsScriptedMsgBox msg;
        window->mnRegist_Click();
        QCOMPARE(msg.TakeOne().text, u"整数値を入力してください。"_s);
        QVERIFY(store->GetAll(kApp, u"Formats"_s).isEmpty());
    }

    void deletingMarksTheFormatInMemory()
    {
        QVERIFY(store->Save(kApp, u"Formats"_s, u"Sales"_s, u"Sales"_s));
        QVERIFY(store->Save(kApp, u"Sales"_s, u"FormatName"_s, u"売上"_s));
        QVERIFY(store->Save(kApp, u"Formats"_s, u"Stock"_s, u"Stock"_s));
        gFormats().Add()->StructName = u"Sales"_s;
        gFormats().Add()->StructName = u"Stock"_s;
        QString message;
        modal::When<frmFormatSelect>([&](frmFormatSelect* chooser) {
            message = chooser->lblMessage->text();
            chooser->lstFormat->setCurrentRow(0);
            chooser->cmdOK->click();
        });
        clsScriptedMsgBox msg;
        msg.QueueAnswer(clsMessenger::Yes);
        window->mnDeleteFormat_Click();
        QCOMPARE(message, u"以下のフォーマットが登録されています。\r\n"
                          u"削除するフォーマットを選択してください。"_s);
        const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
        QCOMPARE(boxes.size(), size_t(2));
        QCOMPARE(boxes[0].text, u"Sales の登録を削除します。\rよろしいですか？"_s);
        QCOMPARE(boxes[1].kind + u'|' + boxes[1].text,
                 u"Information|フォーマット情報の削除が完了しました。"
                 u"一度アプリケーションを終了すると設定が反映されます。"_s);
        QVERIFY(gFormats().Format(1)->DelFlg);
        QVERIFY(!gFormats().Format(2)->DelFlg);
        QCOMPARE(gFormats().Count(), 2);
        QCOMPARE(Stored(u"Formats"_s, u"Sales"_s), QString());
        QVERIFY(store->GetAll(kApp, u"Sales"_s).isEmpty());
        QCOMPARE(Stored(u"Formats"_s, u"Stock"_s), u"Stock"_s);
        QVERIFY(store->GetAll(kApp, u"RecentFile"_s).isEmpty());
    }

    void aRegistryFileRegistersTheIdenticalFormatAgain()
    {
        ShowAwkward();
        const QString folder = dir.filePath(u"files"_s);
        QVERIFY(QDir().mkpath(folder));
        gDialog().SetInitDir(folder);
        QString title;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            modal::TypeFileName(dialog, u"awkward.reg"_s);
            modal::Accept(dialog);
        });
        clsScriptedMsgBox msg;
        window->mnSave_Click();
        QCOMPARE(title, u"名前をつけて保存"_s);
        QCOMPARE(msg.TakeOne().text,
                 u"フォーマットを保存しました。\r"
                 u"エクスプローラなどでファイルをダブルクリックするといつでも登録できます。"_s);
        const QString path = folder + u"/awkward.reg"_s;
        QVERIFY(QFile::exists(path));

        // Into an empty store, through the menu item.
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::TypeFileName(dialog, path);
            modal::Accept(dialog);
        });
        window->mnImportReg_Click();
        QCOMPARE(msg.TakeOne().kind, u"Information"_s);
        QVERIFY(store->GetAll(kApp, u"RecentFile"_s).isEmpty());
        clsFormats readBack;
        QVERIFY(readBack.ReadFromReg(*store));
        QCOMPARE(readBack.Count(), 1);
        QCOMPARE(Describe(*readBack.Format(1)), Describe(*Awkward()));
    }

    void aBrokenRegistryFileIsRefusedWithItsLine()
    {
        const QString path = dir.filePath(u"broken.reg"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("REGEDIT4\r\n\r\nnot a line\r\n");
        file.close();
        clsScriptedMsgBox msg;
        QVERIFY(!window->ImportRegFile(path));
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QVERIFY2(box.text.startsWith(path + u":3: "_s), qPrintable(box.text));
        QVERIFY(store->GetAll(kApp, u"Formats"_s).isEmpty());
        QCOMPARE(Stored(u"RecentFile"_s, u"File1"_s), u"/DATA/A.CSV"_s);
    }
};

QUILLET_QTEST_MAIN(TestFrmFormatManStore)
#include "tst_frmFormatManStore.moc"
