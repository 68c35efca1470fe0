// Reading a data file's records through Skiff: delimited text, fixed-length text, binary.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class clsFormat;
class clsRecords;

// What a read found besides the records.
struct clsReadResult
{
    // Records read; after a failure end this includes the record being read.
    int nCount = 0;
    // The read stopped at a failure end (its box has been shown).
    bool bFailed = false;
    // Line end found in a text file (GetTxtCrLf); -1 when the file is not text.
    int lnCRLF = -1;
    // The skipped head of a binary file, kept byte for byte for saving.
    QByteArray szHeaderBytes;
};

// The three record readers of a format: one call reads a whole file into records, asks the
// user through gMsgBox() about lines that do not fit and reports what could not be read.
class clsRecordReader
{
public:
    // Called now and then with the work done so far and the whole work.
    using Progress = std::function<void(qint64 nDone, qint64 nTotal)>;

    clsRecordReader(const clsFormat& format, clsRecords& records, Progress progress = {});
    // The reader keeps a reference to the format: a temporary one would not outlive it.
    clsRecordReader(clsFormat&& format, clsRecords& records, Progress progress = {}) = delete;

    // Appends the records of szPath to the records; lnCharSet below 1 means the format's own.
    clsReadResult ReadRecords(const QString& szPath, int lnCharSet);

private:
    // Each returns false for a failure end, with n at the record being read.
    bool ReadDelimited(const QByteArray& path);
    bool ReadQuoted(int rowCount);
    bool ReadSimple(int rowCount);
    bool ReadFixed(const QByteArray& path);
    bool ReadBinary(const QByteArray& path, qint64 fileSize);
    bool ReadBinaryMember(int memType, int memLenB);

    // Whether reading goes on after line lnRow had lnFields fields; asks at most once.
    bool AcceptFieldCount(int lnRow, int lnFields);
    char* Buffer(size_t nSize);
    void Report(int lnRows, qint64 nDone, qint64 nTotal) const;

    const clsFormat& format;
    clsRecords& records;
    Progress progress;
    std::vector<char> buffer;
    int charSet = 1;
    bool bContinue = false;
    // The record counter: the record being read.
    int n = 0;
    clsReadResult result;
    qint64 trailingBytes = 0;
};
