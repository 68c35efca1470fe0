// The printed grid: what a page holds and how rows and columns spread over pages.
#include "QuilletTestMain.h"
#include "clsGridPrinter.h"
#include "clsPdfText.h"

#include <QPdfWriter>
#include <QStandardItemModel>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

class tst_clsGridPrinter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pageHoldsHeaderFooterHeadersRowNumbersAndCells();
    void rowsAfterTheLastTextAreNotPrinted();
    void longGridGoesOnPagesThatEachCarryTheHeaders();
    void wideGridPrintsItsLaterColumnsOnFurtherPages();
    void progressCanStopThePrint();

private:
    QString Print(clsGridPrinter& printer, int* pages = nullptr);
    void Fill(int rows, int columns);

    QTemporaryDir dir;
    QStandardItemModel model;
    clsGridPrinter::clsSettings settings;
};

void tst_clsGridPrinter::init()
{
    if (!HavePdfText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    model.clear();
    settings = {};
    settings.szHeader = u"/data/社員.csv"_s;
    settings.szFooter = u"社員名簿"_s;
    settings.font = QFont(u"VL Gothic"_s, 10);
}

void tst_clsGridPrinter::Fill(int rows, int columns)
{
    model.setRowCount(rows);
    model.setColumnCount(columns);
    for (int col = 0; col < columns; ++col)
        model.setHeaderData(col, Qt::Horizontal, u"列"_s + QString::number(col + 1));
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col)
            model.setItem(row, col, new QStandardItem(u"r%1c%2"_s.arg(row + 1).arg(col + 1)));
    }
}

QString tst_clsGridPrinter::Print(clsGridPrinter& printer, int* pages)
{
    const QString path = dir.filePath(u"grid.pdf"_s);
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(clsGridPrinter::Margins(), QPageLayout::Point);
        int count = 0;
        const bool printed = printer.Print(writer, [&count](int page, int) {
            count = page;
            return true;
        });
        if (!printed)
            return {};
        if (pages)
            *pages = count;
    }
    return path;
}

void tst_clsGridPrinter::pageHoldsHeaderFooterHeadersRowNumbersAndCells()
{
    model.setColumnCount(2);
    model.setHorizontalHeaderLabels({u"番号"_s, u"氏名"_s});
    model.appendRow({new QStandardItem(u"101"_s), new QStandardItem(u"山田太郎"_s)});
    model.appendRow({new QStandardItem(u"102"_s), new QStandardItem(u"鈴木花子"_s)});
    clsGridPrinter printer(model, settings);
    int pages = 0;
    const QString pdf = Print(printer, &pages);
    QCOMPARE(pages, 1);
    const QStringList lines = PdfLines(pdf);
    QVERIFY2(lines.size() >= 5, qPrintable(lines.join(u'|')));
    QCOMPARE(lines.first(), u"/data/社員.csv"_s);
    QCOMPARE(lines.at(1), u"番号 氏名"_s);
    QCOMPARE(lines.at(2), u"1 101 山田太郎"_s);
    QCOMPARE(lines.at(3), u"2 102 鈴木花子"_s);
    QCOMPARE(lines.last(), u"社員名簿"_s);
}

void tst_clsGridPrinter::rowsAfterTheLastTextAreNotPrinted()
{
    Fill(3, 2);
    model.appendRow({new QStandardItem(), new QStandardItem()});
    model.appendRow({new QStandardItem(), new QStandardItem(u"last"_s)});
    model.appendRow({new QStandardItem(), new QStandardItem()});
    model.appendRow({new QStandardItem(), new QStandardItem()});
    clsGridPrinter printer(model, settings);
    const QStringList lines = PdfLines(Print(printer));
    // Header, column headers, five rows (the empty fourth one among them) and the footer.
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines.at(5), u"4"_s);
    QCOMPARE(lines.at(6), u"5 last"_s);
}

void tst_clsGridPrinter::longGridGoesOnPagesThatEachCarryTheHeaders()
{
    Fill(300, 2);
    clsGridPrinter printer(model, settings);
    int pages = 0;
    const QString pdf = Print(printer, &pages);
    QVERIFY(pages > 1);
    const QStringList first = PdfLines(pdf, 1);
    const QStringList second = PdfLines(pdf, 2);
    for (const QStringList& page : {first, second}) {
        QCOMPARE(page.first(), u"/data/社員.csv"_s);
        QCOMPARE(page.at(1), u"列1 列2"_s);
        QCOMPARE(page.last(), u"社員名簿"_s);
    }
    QCOMPARE(first.at(2), u"1 r1c1 r1c2"_s);
    // The second page goes on where the first stopped.
    const int lastOnFirst = first.at(first.size() - 2).section(u' ', 0, 0).toInt();
    QVERIFY(lastOnFirst > 10);
    QCOMPARE(second.at(2), u"%1 r%1c1 r%1c2"_s.arg(lastOnFirst + 1));
    QCOMPARE(PdfLines(pdf, pages).at(PdfLines(pdf, pages).size() - 2), u"300 r300c1 r300c2"_s);
}

void tst_clsGridPrinter::wideGridPrintsItsLaterColumnsOnFurtherPages()
{
    Fill(2, 3);
    // Each column takes over half the width of an A4 page.
    settings.columnWidths = {350, 350, 350};
    clsGridPrinter printer(model, settings);
    int pages = 0;
    const QString pdf = Print(printer, &pages);
    QCOMPARE(pages, 3);
    QVERIFY(PdfText(pdf, 1).contains(u"r2c1"_s));
    QVERIFY(!PdfText(pdf, 1).contains(u"r2c2"_s));
    QVERIFY(PdfText(pdf, 3).contains(u"r2c3"_s));
    // Row numbers stand beside every part.
    QCOMPARE(PdfLines(pdf, 3).at(3), u"2 r2c3"_s);
}

void tst_clsGridPrinter::progressCanStopThePrint()
{
    Fill(300, 1);
    clsGridPrinter printer(model, settings);
    QPdfWriter writer(dir.filePath(u"stopped.pdf"_s));
    int calls = 0;
    QVERIFY(!printer.Print(writer, [&calls](int, int) { return ++calls < 2; }));
    QCOMPARE(calls, 2);
}

QUILLET_QTEST_MAIN(tst_clsGridPrinter)
#include "tst_clsGridPrinter.moc"
