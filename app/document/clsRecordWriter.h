// Writing a document's records through Skiff: delimited text, fixed-length text, binary.
#pragma once

#include "clsRecordReader.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

class clsFormat;
class clsOutputFile;
class clsRecords;

// The three record writers of a format, mirroring clsRecordReader: one call writes every
// record to a file, tells the user through gMsgBox() about cells it had to change and reports
// what could not be written.
class clsRecordWriter
{
public:
    using Progress = clsRecordReader::Progress;

    clsRecordWriter(const clsFormat& format, const clsRecords& records, Progress progress = {});
    // The writer keeps a reference to the format: a temporary one would not outlive it.
    clsRecordWriter(clsFormat&& format, const clsRecords& records, Progress progress = {}) = delete;

    // Writes every record to szPath; a character set or line end below 1 means the format's
    // own. The records go through clsOutputFile, which puts them in szPath's place only once
    // all were written, so after a failure (its box shown, false returned) szPath is as it
    // was. A layout whose records cannot fit a file the program reads is refused up front.
    // szHeaderBytes is the head of a binary file; when its length is not the format's
    // BytesSkipHeader it becomes that many NUL bytes.
    bool WriteRecords(const QString& szPath, int lnCharSet, int lnCRLF, QByteArray& szHeaderBytes);
    // Fixed-length cells that were not edited since they were read are written as read
    // instead of trimmed and padded (for a save in the format they were read in).
    void KeepUnchangedCells(bool bKeep) { keepUnchanged = bKeep; }

private:
    // How each member is written, worked out once per save.
    struct clsField
    {
        int memType = 5;
        int memLen = 0;
        int memLenB = 0;
        int stuff = 2;
        QByteArray fill;
        QString name;
    };

    // Each returns false after reporting a failure.
    bool WriteDelimited();
    bool WriteFixed();
    bool WriteBinary(QByteArray& headerBytes);
    bool WriteNumber(const clsField& field, QByteArrayView cell);
    // The cell text through GetTxtEsc (untouched when it holds no double quote).
    bool Escape(QByteArrayView& cell);
    // The text of fixed-length cell lnCol of row r, trimmed unless it is kept as read.
    QByteArrayView FixedCell(QByteArrayView cell, int lnCol) const;
    // Writes a text padded to nPadWidth as exactly memLenB bytes, converted when asked for.
    bool WriteString(const clsField& field, QByteArrayView cell, int nPadWidth);
    // Why the fixed-length or binary layout cannot be written, or nothing when it can.
    QString LayoutTooLarge() const;
    void Failed(int lnRow, const QString& szError) const;
    void Report() const;

    const clsFormat& format;
    const clsRecords& records;
    Progress progress;
    std::vector<clsField> fields;
    QByteArray lineEnd;
    int charSet = 1;
    bool keepUnchanged = false;
    // The row being written.
    int r = 1;
    // The open output while the records are written.
    clsOutputFile* out = nullptr;
    // A failure's cause that the output does not know.
    QString failure;
    std::string line;
    std::string text;
    std::vector<char> buffer;
};
