// The document window: creation, loading, grid set-up, captions, status panels and drops.
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsFakeHost.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsGridDelegate.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsOptions.h"
#include "clsTestDataFile.h"
#include "frmCsv.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUrl>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

clsMember* AddMember(clsFormat& format, const QString& comment, int memType, int memLen,
                     int stuff = 2)
{
    clsMember* member = format.AddMember();
    member->MemName = comment + u"_name"_s;
    member->Comment = comment;
    member->MemType = memType;
    member->MemLen = memLen;
    member->MemLenB = memType == 5 ? memLen : gFormatInfo().GetTypeLenB(memType);
    member->Stuff = stuff;
    member->ColWidth = 12;
    return member;
}

} // namespace

class tst_frmCsv : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newDocumentIsNamedAfterItsNumber();
    void loadShowsCaptionsAndStatusPanels();
    void loadedLineEndReplacesTheChosenOne();
    void mismatchAnsweredNoKeepsRowsAndReports();
    void binaryHeaderIsKeptAndReloadStartsAfresh();
    void badModeAsksTheHostToEnd();
    void widthModesAndRememberedWidths();
    void headerTextsFontsAndAlignment();
    void editsMarkRowsAndTheDocument();
    void editorsLimitInput();
    void activationAndDrops();

private:
    QString Write(const QString& name, const QByteArray& bytes);

    QTemporaryDir dir;
    clsFakeHost host;
};

void tst_frmCsv::init()
{
    host = clsFakeHost();
    clsOptions::Reset();
    gHeaderFlags[5] = 1;
    gEditFlags[2] = 1;
    gFontName = u"VL Gothic"_s;
    gFontSize = 10;
    gFormats().Clear();
    clsFormat* csv = gFormats().Add();
    csv->StructName = u"csv"_s;
    csv->FormatName = u"住所録"_s;
    csv->FileType = 1;
    AddMember(*csv, u"番号"_s, 2, 11, 1);
    AddMember(*csv, u"氏名"_s, 5, 20);
    AddMember(*csv, u"備考"_s, 5, 300);
    clsFormat* bin = gFormats().Add();
    bin->StructName = u"bin"_s;
    bin->FormatName = u"バイナリ"_s;
    bin->FileType = 3;
    bin->BytesSkipHeader = 2;
    AddMember(*bin, u"値"_s, 1, 6, 1);
}

QString tst_frmCsv::Write(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(dir, name, bytes);
}

void tst_frmCsv::newDocumentIsNamedAfterItsNumber()
{
    host.newID = 3;
    frmCsv frm(host);
    QCOMPARE(frm.szFileName(), u"新規3.txt"_s);
    QCOMPARE(frm.windowTitle(), u"新規3.txt"_s);
    QCOMPARE(frm.GridModel().rowCount(), 20);
    QCOMPARE(frm.GridModel().columnCount(), 3);
    QVERIFY(frm.bEmpty());
    QVERIFY(!frm.bDirty());
    QVERIFY(!frm.bUnload());
    QCOMPARE(frm.nCntData(), 1);
    QCOMPARE(frm.nID(), 3);
    QCOMPARE(frm.Mode(), 1);

    QVERIFY(frm.LoadData(0, 0));
    QCOMPARE(host.caption, u"Quillet  "_s);
    QCOMPARE(host.panels,
             QStringList({u"新規3.txt"_s, u"住所録"_s, QString(), u"Shift-JIS+CRLF"_s}));
    QVERIFY(host.commandUpdates > 0);
    QCOMPARE(frm.GridModel().rowCount(), 20);
    // A new document may be given its own character set and line end.
    QVERIFY(frm.LoadData(4, 3));
    QCOMPARE(host.panels.at(3), u"UTF-8+LF"_s);
}

void tst_frmCsv::loadShowsCaptionsAndStatusPanels()
{
    // EUC: 日本 and 表 (the latter a backslash trail byte in Shift-JIS).
    host.newFile = Write(u"address.csv"_s, "1,\xC6\xFC\xCB\xDC,a\n2,\xC9\xBD,b\n");
    frmCsv frm(host);
    QVERIFY(frm.LoadData(3, 1));
    QCOMPARE(frm.szFileName(), u"address.csv"_s);
    QCOMPARE(frm.windowTitle(), u"address.csv"_s);
    QCOMPARE(frm.szFile(), host.newFile);
    QVERIFY(!frm.bEmpty());
    QCOMPARE(frm.nCntData(), 2);
    QCOMPARE(frm.GridModel().rowCount(), 2);
    QCOMPARE(frm.GridModel().index(0, 1).data().toString(), u"日本"_s);
    QCOMPARE(frm.GridModel().index(1, 1).data().toString(), u"表"_s);
    QCOMPARE(host.caption, u"Quillet  "_s + host.newFile);
    const QFileInfo info(host.newFile);
    QCOMPARE(host.panels, QStringList({u"2 件のデータ"_s, u"住所録"_s,
                                       u"16 Bytes 最終更新:"_s +
                                           info.lastModified().toString(u"yyyy/MM/dd H:mm"_s),
                                       u"EUC+LF"_s}));

    // Sizes take thousands separators.
    host.newFile = Write(u"big.csv"_s, QByteArray(1234, 'x'));
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::Yes);
    frm.LoadData(1, 0);
    msg.TakeShown();
    QVERIFY(host.panels.at(2).startsWith(u"1,234 Bytes 最終更新:"_s));
}

void tst_frmCsv::loadedLineEndReplacesTheChosenOne()
{
    host.newFile = Write(u"cr.csv"_s, "1,a,b\r2,c,d\r");
    frmCsv frm(host);
    QVERIFY(frm.LoadData(1, 1));
    QCOMPARE(frm.Document().lnCRLF(), 2);
    QCOMPARE(host.panels.at(3), u"Shift-JIS+CR"_s);
}

void tst_frmCsv::mismatchAnsweredNoKeepsRowsAndReports()
{
    host.newFile = Write(u"short.csv"_s, "1,a,b\n2,a,b\n3,a,b\n4,a,b\n5,a\n6,a,b\n");
    frmCsv frm(host);
    frm.show();
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::No);
    // Behind the question the window shows its background, not a grid halfway through a reset.
    bool gridShown = true;
    msg.onShow = [&](const clsScriptedMsgBox::Box&) { gridShown = frm.Grid().isVisible(); };
    QVERIFY(!frm.LoadData(0, 0));
    QVERIFY(!gridShown);
    QVERIFY(frm.Grid().isVisible());
    const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    QCOMPARE(boxes.size(), size_t{2});
    QVERIFY(boxes[0].text.startsWith(
        u"5 行目のレコードのフォーマットが違います。読み込みを続行しますか？"_s));
    QCOMPARE(boxes[1].text, u"\r\n5 行目のレコードのフォーマットが違います。"_s);
    QCOMPARE(frm.GridModel().rowCount(), 5);
    QCOMPARE(frm.nCntData(), 5);
    QCOMPARE(host.panels.at(0), u"5 件のデータ"_s);
    QCOMPARE(frm.GridModel().index(4, 0).data().toString(), QString());
}

void tst_frmCsv::binaryHeaderIsKeptAndReloadStartsAfresh()
{
    host.newMode = 2;
    host.newFile = Write(u"values.bin"_s, QByteArray("HD\x05\x00\xFF\xFF", 6));
    frmCsv frm(host);
    QVERIFY(frm.LoadData(0, 0));
    QCOMPARE(frm.Document().szHeaderBytes(), QByteArray("HD"));
    QCOMPARE(frm.GridModel().rowCount(), 2);
    QCOMPARE(frm.GridModel().index(1, 0).data().toString(), u"-1"_s);
    QCOMPARE(host.panels.at(1), u"バイナリ"_s);

    host.newMode = 1;
    host.newFile = Write(u"one.csv"_s, "1,a,b\n");
    QVERIFY(frm.LoadData(0, 0));
    QCOMPARE(frm.GridModel().rowCount(), 1);
    QCOMPARE(frm.GridModel().columnCount(), 3);
    QVERIFY(frm.Document().szHeaderBytes().isEmpty());
    QCOMPARE(host.panels.at(1), u"住所録"_s);
}

void tst_frmCsv::badModeAsksTheHostToEnd()
{
    clsScriptedMsgBox msg;
    host.newMode = 9;
    frmCsv broken(host);
    clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"Critical"_s);
    QCOMPARE(box.text, u"Modeプロパティに不正な値が代入されました。処理を終了します。"_s);
    QCOMPARE(host.endRequests, 1);
    QCOMPARE(broken.Mode(), 0);
    QCOMPARE(broken.GridModel().columnCount(), 0);

    host.newMode = 1;
    frmCsv frm(host);
    QVERIFY(!frm.SetMode(0));
    msg.TakeOne();
    QCOMPARE(host.endRequests, 2);
    QCOMPARE(frm.Mode(), 1);
    QVERIFY(frm.SetMode(2));
    QCOMPARE(frm.Mode(), 2);
}

void tst_frmCsv::widthModesAndRememberedWidths()
{
    frmCsv frm(host);
    clsGridView& grid = frm.Grid();
    const double unit = grid.CharWidth();
    QVERIFY(unit >= 4);
    // Mode 1: 番号 is 4 bytes at size 10, 60/7 units, widened to show the member's 11 digits.
    QCOMPARE(grid.columnWidth(0),
             std::max(static_cast<int>(std::lround(60.0 / 7 * unit)),
                      static_cast<int>(std::ceil(11 * unit)) + grid.CellMargins()));
    gEditFlags[2] = 0;
    frm.SetHeader(-1);
    QCOMPARE(grid.columnWidth(1), static_cast<int>(std::lround(10 * unit)));
    gEditFlags[2] = 2;
    frm.SetHeader(-1);
    QCOMPARE(grid.columnWidth(2), static_cast<int>(std::lround(12 * unit)));

    grid.setColumnWidth(1, static_cast<int>(std::lround(23 * unit)));
    frm.SaveColWidth();
    QCOMPARE(gFormats().Format(1)->Members(2)->ColWidth, 23);
    QCOMPARE(gFormats().Format(1)->Members(1)->ColWidth, 12);
    frm.SetHeader(-1);
    QCOMPARE(grid.columnWidth(1), static_cast<int>(std::lround(23 * unit)));

    // The row numbers' column is 1.8 times its widest number and never walks the rows.
    QCOMPARE(grid.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QFont bold = grid.font();
    bold.setBold(true);
    QCOMPARE(grid.verticalHeader()->width(),
             static_cast<int>(std::ceil(QFontMetricsF(bold).horizontalAdvance(u"20"_s) * 1.8)));
}

void tst_frmCsv::headerTextsFontsAndAlignment()
{
    gHeaderFlags[1] = 1;
    gHeaderFlags[4] = 1;
    gFontBold = true;
    gFontItalic = true;
    frmCsv frm(host);
    const clsGridModel& model = frm.GridModel();
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"1 番号_name 番号"_s);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), u"3 備考_name 備考"_s);
    const QFont header = model.headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>();
    QVERIFY(header.bold());
    QVERIFY(header.italic());
    QCOMPARE(header.pointSize(), 10);
    QCOMPARE(frm.Grid().font().pointSize(), 10);
    QCOMPARE(model.headerData(19, Qt::Vertical).toInt(), 20);
    QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
             static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
             static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter));
}

void tst_frmCsv::editsMarkRowsAndTheDocument()
{
    frmCsv frm(host);
    clsGridModel& model = frm.GridModel();
    QVERIFY(!model.headerData(3, Qt::Vertical, Qt::FontRole).isValid());
    QVERIFY(model.setData(model.index(3, 1), u"山田"_s));
    QVERIFY(model.headerData(3, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
    QVERIFY(!model.headerData(2, Qt::Vertical, Qt::FontRole).isValid());
    QVERIFY(frm.bDirty());
    QVERIFY(!frm.bEmpty());
    QCOMPARE(frm.Document().Records().Cell(4, 2), QByteArrayView("\x8E\x52\x93\x63"));

    model.SetBlockText(1, 1, u"1\t一\r\n2\t二\t無視\t外\n"_s, u"貼り付け"_s);
    QCOMPARE(model.BlockText(1, 1, 2, 3), u"1\t一\t\r\n2\t二\t無視"_s);
}

void tst_frmCsv::editorsLimitInput()
{
    gEditFlags[1] = 1;
    frmCsv frm(host);
    clsGridView& grid = frm.Grid();
    QStyleOptionViewItem option;
    QWidget parent;
    QWidget* editor = grid.Delegate()->createEditor(&parent, option, frm.GridModel().index(0, 1));
    auto* line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line);
    QCOMPARE(line->maxLength(), 20);
    delete editor;

    gEditFlags[1] = 0;
    gEditFlags[3] = 1;
    frm.SetHeader(-1);
    editor = grid.Delegate()->createEditor(&parent, option, frm.GridModel().index(0, 0));
    auto* text = qobject_cast<QPlainTextEdit*>(editor);
    QVERIFY(text);
    text->setPlainText(QString(300, u'x') + u"\n"_s);
    QCOMPARE(text->toPlainText().size(), 256);
    grid.Delegate()->setModelData(text, &frm.GridModel(), frm.GridModel().index(0, 0));
    QCOMPARE(frm.GridModel().index(0, 0).data().toString(), QString(256, u'x'));
    delete editor;
}

void tst_frmCsv::activationAndDrops()
{
    host.newFile = Write(u"act.csv"_s, "1,a,b\n");
    frmCsv frm(host);
    frm.LoadData(0, 0);
    host = clsFakeHost();
    frm.Form_Activate();
    QCOMPARE(host.curFile, frm.szFile());
    QCOMPARE(host.curMode, 1);
    QCOMPARE(host.curModeName, u"住所録"_s);
    QCOMPARE(host.caption, u"Quillet  "_s + frm.szFile());
    QCOMPARE(host.panels.at(0), u"1 件のデータ"_s);
    QCOMPARE(host.commandUpdates, 1);

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(u"/tmp/a.csv"_s), QUrl(u"http://example.com/b"_s)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frm, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frm, &drop);
    QCOMPARE(host.dropped, QStringList({u"/tmp/a.csv"_s}));
}

QUILLET_QTEST_MAIN(tst_frmCsv)
#include "tst_frmCsv.moc"
