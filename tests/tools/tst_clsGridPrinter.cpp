// The printed grid: how rows and columns spread over pages, each page with its headers.
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
    void longGridGoesOnPagesThatEachCarryTheHeaders();
    void wideGridPrintsItsLaterColumnsOnFurtherPages();

private:
    // Prints the model into a PDF file; its path, and the pages counted by the progress.
    QString Print(int& pages);

    QTemporaryDir dir;
    QStandardItemModel model;
    clsGridPrinter::clsSettings settings;
};

void tst_clsGridPrinter::init()
{
    if (!HavePdfText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    settings = {};
    settings.szHeader = u"/data/社員.csv"_s;
    settings.szFooter = u"社員名簿"_s;
    settings.font = QFont(u"VL Gothic"_s, 10);
}

QString tst_clsGridPrinter::Print(int& pages)
{
    const QString path = dir.filePath(u"grid.pdf"_s);
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(clsGridPrinter::Margins(), QPageLayout::Point);
    clsGridPrinter printer(model, settings);
    pages = 0;
    if (!printer.Print(writer, [&pages](int page, int) { return ++pages == page; }))
        return {};
    return path;
}

void tst_clsGridPrinter::longGridGoesOnPagesThatEachCarryTheHeaders()
{
    model.clear();
    model.setHorizontalHeaderLabels({u"番号"_s, u"氏名"_s});
    for (int row = 1; row <= 300; ++row) {
        model.appendRow(
            {new QStandardItem(QString::number(row)), new QStandardItem(u"山田%1"_s.arg(row))});
    }
    // Rows after the last one that holds text are not printed.
    for (int row = 0; row < 100; ++row)
        model.appendRow({new QStandardItem(), new QStandardItem()});
    int pages = 0;
    const QString pdf = Print(pages);
    QVERIFY(pages > 1);
    int next = 1;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = PdfLines(pdf, page);
        QVERIFY(lines.size() > 4);
        QCOMPARE(lines.first(), u"/data/社員.csv"_s);
        QCOMPARE(lines.at(1), u"番号 氏名"_s);
        QCOMPARE(lines.last(), u"社員名簿"_s);
        // Each page goes on with the row after the last one of the page before.
        for (int i = 2; i < lines.size() - 1; ++i, ++next)
            QCOMPARE(lines.at(i), u"%1 %1 山田%1"_s.arg(next));
    }
    QCOMPARE(next, 301);
}

void tst_clsGridPrinter::wideGridPrintsItsLaterColumnsOnFurtherPages()
{
    model.clear();
    model.setHorizontalHeaderLabels({u"列1"_s, u"列2"_s, u"列3"_s});
    model.appendRow(
        {new QStandardItem(u"a"_s), new QStandardItem(u"b"_s), new QStandardItem(u"c"_s)});
    // Each column takes over half the width of an A4 page.
    settings.columnWidths = {350, 350, 350};
    int pages = 0;
    const QString pdf = Print(pages);
    QCOMPARE(pages, 3);
    const QStringList third = PdfLines(pdf, 3);
    QCOMPARE(third, QStringList({u"/data/社員.csv"_s, u"列3"_s, u"1 c"_s, u"社員名簿"_s}));
}

QUILLET_QTEST_MAIN(tst_clsGridPrinter)
#include "tst_clsGridPrinter.moc"
