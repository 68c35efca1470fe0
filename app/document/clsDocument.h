// A data document without any window: its records, format, file and state.
#pragma once

#include "clsRecordReader.h"
#include "clsRecords.h"

#include <QByteArray>
#include <QString>

class clsFormat;

// One open data file (or new document): the records in the layout of one format of the
// store, the file's character set and line end, and whether anything changed since the
// last load or save. Loading needs no window, so batch work can use it directly.
class clsDocument
{
public:
    // Position of the document's format in gFormats(); 0 until one is selected.
    int Mode() const { return mode; }
    // Selects the format at aMode; outside the store a Critical box says that processing
    // ends, the format stays as it was and the result is false: the caller ends the work.
    bool SetMode(int aMode);
    // The selected format; null before one is selected.
    const clsFormat* Format() const;
    QString szFormatName() const { return formatName; }

    QString szFile() const { return file; }
    void SetFile(const QString& szPath) { file = szPath; }
    int lnCharSet() const { return charSet; }
    void SetCharSet(int lnValue) { charSet = lnValue; }
    int lnCRLF() const { return lineEnd; }
    void SetCRLF(int lnValue) { lineEnd = lnValue; }
    // The skipped head of a binary file, written back unchanged when it is saved.
    QByteArray szHeaderBytes() const { return headerBytes; }
    bool bDirty() const { return dirty; }
    void SetDirty(bool bValue) { dirty = bValue; }
    bool bEmpty() const { return empty; }
    void SetEmpty(bool bValue) { empty = bValue; }

    clsRecords& Records() { return records; }
    const clsRecords& Records() const { return records; }
    // Replaces a cell's text; marks the row and the document as changed.
    void SetCellText(int lnRow, int lnCol, const QString& szText);

    // Empties the document to lnRows empty rows, unchanged, with the format's own character
    // set and line end.
    void Clear(int lnRows);
    // Reads szFile (which must be set) in the document's format. A character set or line end
    // below 1 means the format's own; a text file's own line end then replaces the line end.
    // Questions and reports go through gMsgBox().
    clsReadResult Load(int lnCharSet, int lnCRLF, const clsRecordReader::Progress& progress = {});
    // Writes the records to szPath in the document's format; a character set or line end
    // below 1 means the format's own. A save replaces szPath only once every record is
    // written; then the document belongs to szPath with that character set and line end, and
    // its changes are saved. After a failure (reported through gMsgBox()) nothing changed.
    bool Save(const QString& szPath, int lnCharSet, int lnCRLF,
              const clsRecordReader::Progress& progress = {});

private:
    clsRecords records;
    int mode = 0;
    QString formatName;
    QString file;
    int charSet = 1;
    int lineEnd = 1;
    QByteArray headerBytes;
    bool dirty = false;
    bool empty = true;
};
