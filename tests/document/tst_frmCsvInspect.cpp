// The document window's inspection: the clean character-set offer and the validation list.
#include "QuilletTestMain.h"
#include "clsFakeHost.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsOptions.h"
#include "clsTestDataFile.h"
#include "frmCsv.h"
#include "frmValidation.h"

#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

// "日本,1" three times in Shift-JIS: read as EUC (the format's set), its kanji are substituted.
const QByteArray kSjisFile("\x93\xFA\x96\x7B,1\n\x93\xFA\x96\x7B,2\n\x93\xFA\x96\x7B,3\n");

} // namespace

class tst_frmCsvInspect : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void substitutionOfferAnsweredYesReloads();
    void substitutionOfferAnsweredNoKeeps();
    void substitutionWithoutCleanSetOnlyWarns();
    void validationListsProblemsAndMovesToTheCell();
    void validationOfFittingRecords();

private:
    QString Write(const QString& name, const QByteArray& bytes);

    QTemporaryDir dir;
    clsFakeHost host;
};

void tst_frmCsvInspect::init()
{
    host = clsFakeHost();
    clsOptions::Reset();
    gFontName = u"VL Gothic"_s;
    gFontSize = 10;
    gFormats().Clear();
    clsFormat* csv = gFormats().Add();
    csv->StructName = u"csv"_s;
    csv->FormatName = u"名簿"_s;
    csv->FileType = 1;
    csv->CharSet = 3;
    clsMember* name = csv->AddMember();
    name->MemName = u"name"_s;
    name->MemType = 5;
    name->MemLen = 6;
    name->MemLenB = 6;
    clsMember* number = csv->AddMember();
    number->MemName = u"number"_s;
    number->MemType = 1;
    number->MemLen = 6;
    number->MemLenB = gFormatInfo().GetTypeLenB(1);
}

QString tst_frmCsvInspect::Write(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(dir, name, bytes);
}

void tst_frmCsvInspect::substitutionOfferAnsweredYesReloads()
{
    host.newFile = Write(u"sjis.csv"_s, kSjisFile);
    frmCsv frm(host);
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::Yes);
    QVERIFY(frm.LoadData(0, 0));
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"Question"_s);
    QVERIFY(box.text.startsWith(u"変換できない文字が "_s));
    QVERIFY(box.text.contains(u"Shift"_s));
    QVERIFY(
        box.text.contains(u"[はい] で読み込み直し、[いいえ] で読み込んだ内容のままにします。"_s));
    QCOMPARE(frm.GridModel().data(frm.GridModel().index(0, 0)).toString(), u"日本"_s);
    QCOMPARE(frm.nCntData(), 3);
}

void tst_frmCsvInspect::substitutionOfferAnsweredNoKeeps()
{
    host.newFile = Write(u"sjis.csv"_s, kSjisFile);
    frmCsv frm(host);
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::No);
    QVERIFY(frm.LoadData(0, 0));
    QCOMPARE(msg.TakeOne().kind, u"Question"_s);
    QVERIFY(frm.GridModel().data(frm.GridModel().index(0, 0)).toString().contains(u"〓"_s));
}

void tst_frmCsvInspect::substitutionWithoutCleanSetOnlyWarns()
{
    // A stray 0x80 fits no character set at all.
    host.newFile = Write(u"bad.csv"_s, "a\x80,1\n");
    frmCsv frm(host);
    clsScriptedMsgBox msg;
    QVERIFY(frm.LoadData(0, 0));
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"Exclamation"_s);
    QCOMPARE(box.text, u"変換できない文字が 1 文字ありました。〓に置き換えて表示しています。"_s);
}

void tst_frmCsvInspect::validationListsProblemsAndMovesToTheCell()
{
    host.newFile = Write(u"data.csv"_s, "ab,1\nabcdefgh,2\nc,x\n");
    frmCsv frm(host);
    QVERIFY(frm.LoadData(0, 0));
    frm.Validate();
    frmValidation* list = frm.Validation();
    QVERIFY(list != nullptr);
    QTableWidget& table = list->List();
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.item(0, 0)->text(), u"2"_s);
    QCOMPARE(table.item(0, 1)->text(), u"name"_s);
    QCOMPARE(table.item(1, 1)->text(), u"number"_s);
    QCOMPARE(table.item(1, 2)->text(), u"数値ではありません: x"_s);
    QCOMPARE(list->Summary(), u"3 件のレコードを検査しました。問題 2 件。"_s);

    emit table.cellDoubleClicked(1, 0);
    QCOMPARE(frm.ActiveRow(), 3);
    QCOMPARE(frm.ActiveCol(), 2);
}

void tst_frmCsvInspect::validationOfFittingRecords()
{
    host.newFile = Write(u"good.csv"_s, "ab,1\ncd,2\n");
    frmCsv frm(host);
    QVERIFY(frm.LoadData(0, 0));
    frm.Validate();
    QCOMPARE(frm.Validation()->List().rowCount(), 0);
    QCOMPARE(frm.Validation()->Summary(), u"2 件のレコードを検査しました。問題はありません。"_s);
}

QUILLET_QTEST_MAIN(tst_frmCsvInspect)
#include "tst_frmCsvInspect.moc"
