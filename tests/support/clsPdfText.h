// The text of a printed PDF file, as pdftotext reads it, for tests of printing.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Whether pdftotext is there to read PDF files; tests skip without it.
inline bool HavePdfText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of page lnPage (from 1; 0 for every page) of szPdf in its printed layout, or with
// bMeta the document's HTML head and text instead (its title is the print job's name). Empty
// when the file cannot be read.
inline QString PdfText(const QString& szPdf, int lnPage = 0, bool bMeta = false)
{
    QStringList arguments;
    if (lnPage > 0) {
        arguments << QStringLiteral("-f") << QString::number(lnPage) << QStringLiteral("-l")
                  << QString::number(lnPage);
    }
    arguments << (bMeta ? QStringLiteral("-htmlmeta") : QStringLiteral("-layout"))
              << QStringLiteral("-enc") << QStringLiteral("UTF-8") << szPdf << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The printed lines of page lnPage (0: every page), each with its runs of spaces made one and
// without the empty lines and page breaks between them.
inline QStringList PdfLines(const QString& szPdf, int lnPage = 0)
{
    QStringList lines;
    for (const QString& line : PdfText(szPdf, lnPage).split(QLatin1Char('\n'))) {
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    }
    return lines;
}
