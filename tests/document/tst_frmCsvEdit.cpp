// Row editing in the document window: the record count, the delete refusal, moves, the
// clipboard and the right-click popup; sorting by a header click and the column summary.
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsFakeHost.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsOptions.h"
#include "frmCsv.h"

#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

class tst_frmCsvEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void insertAndDeleteCountTheRecords();
    void untouchedNewDocumentKeepsItsName();
    void theLastRowCannotBeDeleted();
    void rowsMoveWithTheActiveCell();
    void copyCutAndPasteBlocks();
    void rightClickSelectsAndOpensThePopup();
    void headerClicksSortInSortModeOnly();
    void summaryNeedsPartOfOneColumn();

private:
    // A document window with the records "1,r1" .. "n,rn" loaded.
    std::unique_ptr<frmCsv> Loaded(int lnRecords);
    QString Column(frmCsv& frm, int lnCol) const;

    QTemporaryDir dir;
    clsFakeHost host;
};

void tst_frmCsvEdit::init()
{
    host = clsFakeHost();
    clsOptions::Reset();
    gFormats().Clear();
    clsFormat* csv = gFormats().Add();
    csv->StructName = u"csv"_s;
    csv->FormatName = u"一覧"_s;
    for (const QString& name : {u"no"_s, u"name"_s}) {
        clsMember* member = csv->AddMember();
        member->MemName = name;
        member->MemLen = 10;
        member->MemLenB = 10;
    }
    csv->Members(1)->MemType = 2;
    QGuiApplication::clipboard()->clear();
}

std::unique_ptr<frmCsv> tst_frmCsvEdit::Loaded(int lnRecords)
{
    QByteArray bytes;
    for (int i = 1; i <= lnRecords; ++i)
        bytes += QByteArray::number(i) + ",r" + QByteArray::number(i) + "\r\n";
    host.newFile = dir.filePath(u"data.csv"_s);
    QFile file(host.newFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test data");
    file.close();
    auto frm = std::make_unique<frmCsv>(host);
    frm->LoadData(0, 0);
    return frm;
}

QString tst_frmCsvEdit::Column(frmCsv& frm, int lnCol) const
{
    QStringList cells;
    for (int row = 1; row <= frm.Document().RowCount(); ++row)
        cells << frm.Document().Text(row, lnCol);
    return cells.join(u'|');
}

void tst_frmCsvEdit::insertAndDeleteCountTheRecords()
{
    auto frm = Loaded(10);
    frm->Grid().setCurrentIndex(frm->GridModel().index(2, 0));
    frm->InsertRow();
    QCOMPARE(host.panels.at(0), u"11 件のデータ [更新]"_s);
    QCOMPARE(Column(*frm, 1).section(u'|', 1, 3), u"2||3"_s);
    // Insertion marks no row.
    QVERIFY(!frm->Document().Records().Marked(3));
    frm->DeleteRow();
    frm->DeleteRow();
    QCOMPARE(host.panels.at(0), u"9 件のデータ [更新]"_s);
    QCOMPARE(frm->nCntData(), 9);
    // Undoing a delete counts the row back in.
    frm->Document().UndoStack().undo();
    QCOMPARE(host.panels.at(0), u"10 件のデータ [更新]"_s);
}

void tst_frmCsvEdit::untouchedNewDocumentKeepsItsName()
{
    frmCsv frm(host);
    frm.LoadData(0, 0);
    frm.InsertRow();
    QCOMPARE(host.panels.at(0), u"新規1.txt"_s);
    QCOMPARE(frm.nCntData(), 1);
    QCOMPARE(frm.GridModel().rowCount(), 21);
    QVERIFY(frm.bDirty());
    QVERIFY(frm.bEmpty());
}

void tst_frmCsvEdit::theLastRowCannotBeDeleted()
{
    auto frm = Loaded(1);
    clsScriptedMsgBox msg;
    frm->DeleteRow();
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"Exclamation"_s);
    QCOMPARE(box.text, u"これ以上行を削除できません。"_s);
    QCOMPARE(frm->GridModel().rowCount(), 1);
    QVERIFY(!frm->bDirty());
}

void tst_frmCsvEdit::rowsMoveWithTheActiveCell()
{
    auto frm = Loaded(6);
    frm->Grid().setCurrentIndex(frm->GridModel().index(0, 1));
    frm->RowUp();
    frm->Grid().setCurrentIndex(frm->GridModel().index(5, 1));
    frm->RowDown();
    QVERIFY(!frm->bDirty());

    frm->Grid().setCurrentIndex(frm->GridModel().index(4, 1));
    frm->RowUp();
    QCOMPARE(Column(*frm, 1), u"1|2|3|5|4|6"_s);
    QCOMPARE(frm->ActiveRow(), 4);
    QCOMPARE(frm->ActiveCol(), 2);
    const QFont mark4 = frm->GridModel().headerData(3, Qt::Vertical, Qt::FontRole).value<QFont>();
    const QFont mark5 = frm->GridModel().headerData(4, Qt::Vertical, Qt::FontRole).value<QFont>();
    QVERIFY(mark4.bold() && mark5.bold());
    QVERIFY(!frm->Document().Records().Marked(3));
    frm->RowDown();
    QCOMPARE(Column(*frm, 1), u"1|2|3|4|5|6"_s);
    QCOMPARE(frm->ActiveRow(), 5);
    QVERIFY(!frm->bEmpty());
}

void tst_frmCsvEdit::copyCutAndPasteBlocks()
{
    auto frm = Loaded(3);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(u"before"_s);
    frm->Document().SetCellText(2, 2, QString());
    frm->Grid().setCurrentIndex(frm->GridModel().index(1, 1));
    frm->Copy();
    QCOMPARE(clipboard->text(), u"before"_s);

    QItemSelectionModel* selection = frm->Grid().selectionModel();
    selection->select(QItemSelection(frm->GridModel().index(0, 0), frm->GridModel().index(1, 1)),
                      QItemSelectionModel::ClearAndSelect);
    frm->Cut();
    QCOMPARE(clipboard->text(), u"1\tr1\r\n2\t"_s);
    QCOMPARE(Column(*frm, 1), u"||3"_s);
    const int steps = frm->Document().UndoStack().count();

    selection->select(frm->GridModel().index(1, 0), QItemSelectionModel::ClearAndSelect);
    frm->Paste();
    QCOMPARE(Column(*frm, 1), u"|1|2"_s);
    QCOMPARE(Column(*frm, 2), u"|r1|"_s);
    QCOMPARE(frm->Document().UndoStack().count(), steps + 1);
    // The cut is one step: undoing paste and cut brings both cleared cells back.
    frm->Document().UndoStack().undo();
    frm->Document().UndoStack().undo();
    QCOMPARE(Column(*frm, 1), u"1|2|3"_s);
}

void tst_frmCsvEdit::rightClickSelectsAndOpensThePopup()
{
    auto frm = Loaded(3);
    frm->resize(600, 400);
    frm->show();
    QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    clsGridView& grid = frm->Grid();
    const QPoint cell = grid.visualRect(frm->GridModel().index(2, 1)).center();
    emit grid.customContextMenuRequested(cell);
    QCOMPARE(host.popups.size(), 1);
    QCOMPARE(host.popups.first(), grid.viewport()->mapToGlobal(cell));
    QCOMPARE(frm->ActiveRow(), 3);
    QCOMPARE(frm->ActiveCol(), 2);
    // Outside every cell (below the last row) no popup opens.
    emit grid.customContextMenuRequested(QPoint(cell.x(), grid.viewport()->height() - 2));
    QCOMPARE(host.popups.size(), 1);
}

void tst_frmCsvEdit::headerClicksSortInSortModeOnly()
{
    auto frm = Loaded(3);
    frm->Document().SetCellText(1, 1, u"10"_s);
    frm->Document().SetCellText(2, 1, u"9"_s);
    frm->Document().SetCellText(3, 1, u"100"_s);
    QHeaderView* header = frm->Grid().horizontalHeader();
    emit header->sectionClicked(0);
    QCOMPARE(Column(*frm, 1), u"10|9|100"_s);
    host.sortMode = true;
    emit header->sectionClicked(0);
    QCOMPARE(Column(*frm, 1), u"9|10|100"_s);
    emit header->sectionClicked(0);
    QCOMPARE(Column(*frm, 1), u"100|10|9"_s);
    // The string column has its own direction: its first sort is ascending.
    emit header->sectionClicked(1);
    QCOMPARE(Column(*frm, 2), u"r1|r2|r3"_s);
    emit header->sectionClicked(1);
    QCOMPARE(Column(*frm, 2), u"r3|r2|r1"_s);
    // A sort is one step.
    frm->Document().UndoStack().undo();
    QCOMPARE(Column(*frm, 2), u"r1|r2|r3"_s);
}

void tst_frmCsvEdit::summaryNeedsPartOfOneColumn()
{
    auto frm = Loaded(3);
    clsScriptedMsgBox msg;
    frm->Grid().selectAll();
    frm->Summary();
    QCOMPARE(msg.TakeOne().text, u"特定の列、セルを選択してください。"_s);
    frm->Grid().selectRow(1);
    frm->Summary();
    QCOMPARE(msg.TakeOne().text, u"行は選択できません。"_s);
    frm->Grid().selectColumn(0);
    frm->Summary();
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"Information"_s);
    QVERIFY(box.text.startsWith(u"no の \r1 行目から\r\n3 行目まで(3行)の\r\n合計：\t6\r\n"_s));
}

QUILLET_QTEST_MAIN(tst_frmCsvEdit)
#include "tst_frmCsvEdit.moc"
