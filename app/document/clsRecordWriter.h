// Writing a document's records through Skiff: delimited text, fixed-length text, binary.
#pragma once

#include "clsRecordReader.h"
#include "clsRecords.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class clsFormat;
class clsOutputFile;

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
    ~clsRecordWriter();
    clsRecordWriter(const clsRecordWriter&) = delete;
    clsRecordWriter& operator=(const clsRecordWriter&) = delete;

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

    // WriteRecords in steps, for records that pass through in batches while a file is read
    // (delimited text only, see Streams): Begin opens the output, or answers false without a
    // word when it cannot (WriteRecords then says why). Append writes the rows the records
    // hold as the rows after those appended before; Finish closes the output after the last
    // batch; Conclude then tells what WriteRecords would have told and answers as it would.
    // A writer given up before Finish leaves the target as it was.
    static bool Streams(const clsFormat& format);
    bool Begin(const QString& szPath, int lnCharSet, int lnCRLF);
    void Append();
    void Finish();
    bool Conclude();
    // The reader's row sink for such a conversion (clsRecordReader::SetRowSink): appends the
    // batch the records hold, empties them for the next and, after the last, finishes; answers
    // ConvErrors. rows are the records this writer was made with.
    int TakeRows(clsRecords& rows, bool bEnd);
    // Rows appended so far.
    int Appended() const { return rowBase; }
    // Characters the writes replaced by 〓 so far; a streaming writer counts its own, as the
    // file being read at the same time counts into Skiff's count too.
    int ConvErrors() const { return convErrors; }

private:
    class clsLineBatch;
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
    // Settings of a delimited write; the rows of the records, then the lines still held.
    void StartDelimited();
    bool AppendDelimited();
    bool FinishLines();
    bool FlushLines();
    // One row's line into the batch from its cells; false, adding nothing, for
    // a row with a double quote to double, which AddEscapedLine then adds.
    bool AddLine(clsRecords::CellCursor cells);
    bool AddEscapedLine(int lnRow);
    // Cell nIndex with its quotes and the delimiter after it, into room already made; the end
    // of what was written.
    char* PutCell(char* pAt, QByteArrayView cell, size_t nIndex) const;
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
    void Prepare(int lnCharSet, int lnCRLF);
    // Runs one step of writing, turning what it throws into a failure; false after a failure.
    bool Guarded(const std::function<bool()>& step);
    // The boxes WriteRecords shows after a failed write, a failed close and substitutions.
    void ReportFailure(const clsOutputFile& file) const;
    void CloseFailed(const clsOutputFile& file) const;
    void ReportConvErrors(int nConvErrors) const;
    void Failed(int lnRow, const QString& szError) const;
    void Report() const;

    const clsFormat& format;
    const clsRecords& records;
    Progress progress;
    std::vector<clsField> fields;
    QByteArray lineEnd;
    int charSet = 1;
    bool keepUnchanged = false;
    // The row being written, counted over every batch.
    int r = 1;
    // Rows of earlier batches.
    int rowBase = 0;
    // The open output while the records are written.
    clsOutputFile* out = nullptr;
    // The output of a streaming write, and how it went.
    std::unique_ptr<clsOutputFile> stream;
    bool streamFailed = false;
    bool closed = false;
    int convErrors = 0;
    // Delimited lines waiting for the next write.
    std::unique_ptr<clsLineBatch> lines;
    QByteArray delimiter;
    size_t batchBytes = 0;
    // A failure's cause that the output does not know.
    QString failure;
    std::string line;
    std::string text;
    std::vector<char> buffer;
};
