// The grid view's look: headers that never mark the current cell, and columns wide enough.
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsGridModel.h"
#include "clsGridView.h"

#include <QFontMetricsF>
#include <QHeaderView>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

QFont GridFont()
{
    QFont font(u"VL Gothic"_s);
    font.setPointSize(10);
    return font;
}

// Three rows of an 8-byte code under a two-character header.
void Fill(clsDocument& document)
{
    clsRecords records;
    for (int row = 1; row <= 3; ++row) {
        records.AddCell("ST-0123" + QByteArray::number(row));
        records.EndRow();
    }
    document.ReplaceRecords(std::move(records));
}

std::vector<clsColumnLook> CodeColumn(int nFitChars)
{
    clsColumnLook code;
    code.szHeader = u"番号"_s;
    code.nFitChars = nFitChars;
    return {code};
}

} // namespace

class tst_clsGridView : public QObject
{
    Q_OBJECT

private slots:
    void headersDoNotHighlightTheCurrentCell()
    {
        clsDocument document;
        clsGridModel model(document);
        clsGridView view;
        view.SetGridModel(&model);
        Fill(document);
        QFont bold = GridFont();
        bold.setBold(true);
        model.SetColumns(CodeColumn(8), GridFont(), bold);
        QVERIFY(!view.horizontalHeader()->highlightSections());
        QVERIFY(!view.verticalHeader()->highlightSections());

        view.setCurrentIndex(model.index(1, 0));
        const QVariant current = model.headerData(1, Qt::Vertical, Qt::FontRole);
        QVERIFY(!current.isValid() || !current.value<QFont>().bold());
        // Only a change makes the row number bold.
        QVERIFY(model.setData(model.index(1, 0), u"ST-09999"_s));
        QVERIFY(model.headerData(1, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
    }

    void aColumnShowsItsMembersDeclaredWidth()
    {
        clsDocument document;
        clsGridModel model(document);
        clsGridView view;
        view.SetGridModel(&model);
        Fill(document);
        model.SetColumns(CodeColumn(8), GridFont(), GridFont());
        // The header-width mode gives a two-character header about eight units.
        view.ApplyLook(GridFont(), false, {60.0 / 7});
        const QFontMetricsF metrics(GridFont());
        const double text = metrics.horizontalAdvance(u"ST-01234"_s);
        QVERIFY2(view.columnWidth(0) >= std::ceil(text) + view.CellMargins(),
                 qPrintable(QString::number(view.columnWidth(0))));
        // A full-width character takes two units.
        QVERIFY(2 * view.CharWidth() >= metrics.horizontalAdvance(u"商"_s));
    }

    void widthsWithoutAMinimumStayAsGiven()
    {
        clsDocument document;
        clsGridModel model(document);
        clsGridView view;
        view.SetGridModel(&model);
        Fill(document);
        model.SetColumns(CodeColumn(0), GridFont(), GridFont());
        view.ApplyLook(GridFont(), false, {30});
        QCOMPARE(view.columnWidth(0), static_cast<int>(std::lround(30 * view.CharWidth())));
        QCOMPARE(std::lround(view.ColumnWidthUnits(1)), 30L);
    }
};

QUILLET_QTEST_MAIN(tst_clsGridView)
#include "tst_clsGridView.moc"
