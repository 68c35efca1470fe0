// The grid adapter under QAbstractItemModelTester, and the grid view's editing.
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsGridModel.h"
#include "clsGridView.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;

namespace {

void FillRows(clsDocument& document, int rows)
{
    clsRecords records;
    for (int row = 1; row <= rows; ++row) {
        records.AddCell(QByteArray::number(row));
        records.AddCell("\x88\xEA"); // 一
        records.EndRow();
    }
    document.ReplaceRecords(std::move(records));
}

std::vector<clsColumnLook> TwoColumns()
{
    clsColumnLook number;
    number.szHeader = u"番号"_s;
    number.bLeft = false;
    clsColumnLook text;
    text.szHeader = u"名前"_s;
    text.nMaxLength = 4;
    return {number, text};
}

} // namespace

class tst_clsGridModel : public QObject
{
    Q_OBJECT

private slots:
    void passesTheModelTester();
    void typingReplacesTheCellText();
    void largeDocumentsKeepRowHeadersCheap();
};

void tst_clsGridModel::passesTheModelTester()
{
    clsDocument document;
    clsGridModel model(document);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    FillRows(document, 5);
    model.SetColumns(TwoColumns(), QFont(), QFont());
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.index(2, 1).data().toString(), u"一"_s);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"名前"_s);
    QCOMPARE(model.headerData(0, Qt::Vertical).toInt(), 1);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(0, 1), u"二"_s));
    QCOMPARE(changed.size(), 1);
    // Writing the same text again changes nothing and marks nothing.
    QVERIFY(model.setData(model.index(1, 1), u"一"_s));
    QCOMPARE(changed.size(), 1);
    QVERIFY(!document.Records().Marked(2));
    QVERIFY(!model.setData(model.index(0, 1), u"x"_s, Qt::DisplayRole));

    QVERIFY(model.insertRows(5, 2));
    QVERIFY(model.insertRows(0, 1));
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(model.index(1, 0).data().toString(), u"1"_s);
    QVERIFY(model.removeRows(6, 2));
    QVERIFY(!model.removeRows(5, 2));
    QVERIFY(model.moveRows({}, 1, 1, {}, 6));
    QCOMPARE(model.index(5, 0).data().toString(), u"1"_s);
    QCOMPARE(model.index(5, 1).data().toString(), u"二"_s);
    QVERIFY(model.headerData(5, Qt::Vertical, Qt::FontRole).isValid());
    QVERIFY(!model.moveRows({}, 1, 1, {}, 2));

    model.SetBlockText(2, 1, u"a\tb\r\nc\r\n"_s, u"貼り付け"_s);
    QCOMPARE(model.BlockText(2, 1, 3, 2), u"a\tb\r\nc\t一"_s);
    model.SetBlockText(6, 2, u"x\ny\nz"_s, u"貼り付け"_s);
    QCOMPARE(model.BlockText(6, 2, 6, 2), u"x"_s);
    QCOMPARE(model.rowCount(), 6);
}

void tst_clsGridModel::typingReplacesTheCellText()
{
    clsDocument document;
    clsGridView view;
    clsGridModel model(document);
    view.SetGridModel(&model);
    FillRows(document, 3);
    model.SetColumns(TwoColumns(), QFont(), QFont());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentIndex(model.index(1, 0));
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_9);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_8);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The delegate commits from the event loop.
    QTRY_COMPARE(model.index(1, 0).data().toString(), u"98"_s);

    // F2 opens the editor on the cell's text; the column's limit holds.
    view.setCurrentIndex(model.index(0, 1));
    QTest::keyClick(&view, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 4);
    QTest::keyClicks(editor, u"abcdef"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(model.index(0, 1).data().toString(), u"abcd"_s);
}

void tst_clsGridModel::largeDocumentsKeepRowHeadersCheap()
{
    clsDocument document;
    clsGridView view;
    clsGridModel model(document);
    view.SetGridModel(&model);
    clsRecords records;
    records.SetRowCount(1000000);
    document.ReplaceRecords(std::move(records));
    model.SetColumns(TwoColumns(), QFont(), QFont());
    QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(view.verticalHeader()->sectionViewportPosition(999999),
             999999 * view.verticalHeader()->defaultSectionSize());
    {
        const clsGridView::clsPaintLock outer(view);
        {
            const clsGridView::clsPaintLock inner(view);
        }
        QVERIFY(!view.updatesEnabled());
    }
    QVERIFY(view.updatesEnabled());
}

QUILLET_QTEST_MAIN(tst_clsGridModel)
#include "tst_clsGridModel.moc"
