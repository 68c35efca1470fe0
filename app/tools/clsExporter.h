// The CSV, HTML and XML exports of a document.
#pragma once

#include <QByteArray>
#include <QString>

class clsDocument;

// Writes a document's rows in a foreign layout through the output stage, whatever the
// document's own file type: only the members whose output flag is set, one write per record
// (the HTML and XML preambles go with the first one). The texts are built in Shift-JIS, as
// the cells are held, and converted to the chosen character set on the way out.
class clsExporter
{
public:
    enum Kind { Csv, Html, Xml };

    // Writes the document to szPath; a character set or line end of 0 means the format's own.
    // False with szReason (naming the file and the cause) when the file was not written; the
    // target is then left as it was.
    static bool Write(const clsDocument& document, Kind kind, const QString& szPath, int lnCharSet,
                      int lnCRLF, QString& szReason);
    // The completion notice of each export.
    static QString DoneText(Kind kind);
    // The five characters markup reserves, each replaced by its entity (Shift-JIS bytes: none
    // of them can be a trail byte, so a byte-wise replacement is safe).
    static QByteArray Escape(QByteArrayView text);
    // A string field of the CSV export: quoted, with inner quotes doubled.
    static QByteArray Quote(QByteArrayView text);
};
