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
    // The character set the user chose to read the file again with, after substitutions;
    // 0 when the records stay as read.
    int lnReloadCharSet = 0;
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

    // For a text file read with substitutions: a character set (1-4) other than lnCharSet
    // that reads the whole file without any, or 0. The windows install one so that the
    // substitution warning can offer it; without one the warning only tells.
    using CleanCharSetFinder = std::function<int(const QString& szPath, int lnCharSet)>;
    static void SetCleanCharSetFinder(CleanCharSetFinder finder);

    // Appends the records of szPath to the records; lnCharSet below 1 means the format's own.
    clsReadResult ReadRecords(const QString& szPath, int lnCharSet);

    // For batch conversion of a text file: the rows pass on while the file is read instead of
    // staying. After every nRows rows, and once more with bEnd after a read that did not fail,
    // the sink takes the rows and leaves the records empty; it answers how many characters
    // its own writes replaced so far, which Skiff counts together with the file's.
    using RowSink = std::function<int(bool bEnd)>;
    void SetRowSink(RowSink sink, int nRows)
    {
        rowSink = std::move(sink);
        sinkRows = nRows;
    }

    // Bytes of the buffer that takes the converted fields of a fixed-length line: a field can
    // grow, an unconvertible single byte becoming a two-byte 〓. Computed in 64 bits, since a
    // line of a gigabyte needs more than an int holds.
    static size_t FixedFieldBytes(int lnLineLength);
    // The size Skiff is told for a buffer of nBytes: its sizes are 32-bit, so a larger buffer
    // is announced as the largest size Skiff takes.
    static int SkiffSize(size_t nBytes);
    // Bytes one binary record occupies; a string member of no width occupies none.
    static qint64 BinaryRecordBytes(const clsFormat& format);

private:
    // Each returns false for a failure end, with n at the record being read; an error
    // raised inside leaves its text in error.
    bool ReadByType(const QByteArray& path, qint64 fileSize, QString& error);
    bool ReadDelimited(const QByteArray& path);
    bool ReadQuoted(int rowCount);
    // Cuts the columns of line n from the whole line; false (nothing added) where that would
    // not give Skiff's own columns, which ReadColumns then asks for one by one.
    bool CutDelimitedLine(int lnColCount, int lnReadable);
    bool CutColumns(int lnColCount, int lnReadable);
    bool ReadColumns(int lnReadable);
    bool ReadSimple(int rowCount);
    bool ReadFixed(const QByteArray& path);
    // Cuts the fields of line n from the whole line; false (nothing added) where that would
    // not give Skiff's own fields, which ReadFixedFields then asks for one by one.
    bool CutFixedLine(int lnLineLength);
    bool ReadFixedFields(int lnLineLength);
    // Line n as the file's own bytes, terminated, in the buffer; null when Skiff would mend
    // more in it than a lone lead byte at its end (lineMended tells whether it would).
    const char* WholeLine(int lnLineLength);
    bool ReadBinary(const QByteArray& path, qint64 fileSize);
    bool ReadBinaryMember(int memType, int memLenB);
    // Whether a record can be read in one piece and cut into its members here.
    bool ReadsWholeRecords(qint64 nRecordSize) const;
    bool ReadBinaryRecords(qint64 fileSize, int lnHeaderSize, qint64 nRecordSize);

    // The substitution warning, with the offer of a clean character set when one is known.
    void WarnSubstitutions(int nConvErrors);
    static CleanCharSetFinder& CleanFinder();
    // Records why the file could not be opened, from Skiff's last status.
    bool OpenFailed();
    // Whether reading goes on after line lnRow had lnFields fields; asks at most once.
    bool AcceptFieldCount(int lnRow, int lnFields);
    char* Buffer(size_t nSize);
    void Report(int lnRows, qint64 nDone, qint64 nTotal);
    void HandRows(bool bEnd);

    const clsFormat& format;
    clsRecords& records;
    Progress progress;
    std::vector<char> buffer;
    int charSet = 1;
    QString filePath;
    // Set when the file could not be read at all: the whole message, shown instead of the
    // record-format one.
    QString openError;
    bool bContinue = false;
    // The record counter: the record being read.
    int n = 0;
    clsReadResult result;
    qint64 trailingBytes = 0;
    bool lineMended = false;
    // Cutting delimited lines here: the delimiter, whether it is still tried, the lines left
    // to Skiff, and where the columns of the line end.
    char delimiterByte = ',';
    bool bCutLines = false;
    int uncutLines = 0;
    std::vector<size_t> columnEnds;
    // Geta marks written on the program side, for the substitution count.
    int substitutions = 0;
    RowSink rowSink;
    int sinkRows = 0;
    int handedRows = 0;
    int sinkConvErrors = 0;
};
