// Printing the document window: the preview the command opens and the job it prints.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsFakeHost.h"
#include "clsFormats.h"
#include "clsOptions.h"
#include "clsPdfText.h"
#include "clsTestDataFile.h"
#include "frmCsv.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

class tst_frmCsvPrint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void printedPageNamesJobFileFormatAndCells();
    void printCommandOpensThePreviewOfTheJob();

private:
    QString Write(const QString& name, const QByteArray& bytes);

    QTemporaryDir dir;
    clsFakeHost host;
};

void tst_frmCsvPrint::init()
{
    host = clsFakeHost();
    clsOptions::Reset();
    // Column headers show the members' comments.
    gHeaderFlags[5] = 1;
    gFontName = u"VL Gothic"_s;
    gFontSize = 10;
    gFormats().Clear();
    clsFormat* csv = gFormats().Add();
    csv->StructName = u"Staff"_s;
    csv->FormatName = u"社員名簿"_s;
    for (const QString& name : {u"code"_s, u"name"_s}) {
        clsMember* member = csv->AddMember();
        member->MemName = name;
        member->Comment = name;
        member->MemLen = 10;
        member->MemLenB = 10;
    }
}

QString tst_frmCsvPrint::Write(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(dir, name, bytes);
}

void tst_frmCsvPrint::printedPageNamesJobFileFormatAndCells()
{
    if (!HavePdfText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    // 山田 in Shift-JIS.
    host.newFile = Write(u"staff.csv"_s, "A1,\x8E\x52\x93\x63\r\nB2,Pen\r\n");
    frmCsv frm(host);
    QVERIFY(frm.LoadData(1, 1));
    const QString pdf = dir.filePath(u"staff.pdf"_s);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        frm.PreparePrinter(printer);
        QVERIFY(frm.PrintTo(&printer));
    }
    QVERIFY(PdfText(pdf, 0, true).contains(u"<title>Quillet - staff.csv</title>"_s));
    QCOMPARE(PdfLines(pdf), QStringList({host.newFile, u"code name"_s, u"1 A1 山田"_s,
                                         u"2 B2 Pen"_s, u"社員名簿"_s}));
}

void tst_frmCsvPrint::printCommandOpensThePreviewOfTheJob()
{
    host.newFile = Write(u"short.csv"_s, "A1,x\r\n");
    frmCsv frm(host);
    QVERIFY(frm.LoadData(1, 1));
    QString title;
    QString job;
    modal::When<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        title = preview->windowTitle();
        job = preview->printer()->docName();
    });
    frm.PrintCell();
    QCOMPARE(job, u"Quillet - short.csv"_s);
    QCOMPARE(title, job);
}

QUILLET_QTEST_MAIN(tst_frmCsvPrint)
#include "tst_frmCsvPrint.moc"
