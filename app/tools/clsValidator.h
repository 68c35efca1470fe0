// Checking records against their format: field counts, numbers, widths, lengths, substitutions.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class clsFormat;
class clsRecords;

// One record that does not fit the format.
struct clsProblem
{
    // 1-based record (row) number.
    int nRecord = 0;
    // 1-based member; 0 when the whole record is at fault.
    int nMember = 0;
    QString szProblem;
};

// Finds the records that do not fit a format, either in a file read through Skiff (every
// problem a file can have) or in a document's records (what can still be wrong after a load).
class clsValidator
{
public:
    // Keeps the first nKeep problems; with bStopAtKeep the check ends there, otherwise it
    // goes on counting. nKeep 0 keeps every problem.
    clsValidator(const clsFormat& format, int nKeep, bool bStopAtKeep);
    clsValidator(clsFormat&& format, int nKeep, bool bStopAtKeep) = delete;

    // lnCharSet below 1 means the format's own; false (with the reason in Error()) when the
    // file cannot be read at all.
    bool CheckFile(const QString& szPath, int lnCharSet);
    // bGetaIsSubstitution: whether a geta mark in a cell stands for a character that the
    // load could not convert.
    void CheckRecords(const clsRecords& records, bool bGetaIsSubstitution);

    const std::vector<clsProblem>& Problems() const { return problems; }
    qint64 Total() const { return total; }
    int Checked() const { return checked; }
    bool Stopped() const { return bStopped; }
    const QString& Error() const { return error; }

    // "RECORD<TAB>MEMBER<TAB>PROBLEM".
    QString ProblemLine(const clsProblem& problem) const;
    QString MemberName(int nMember) const;
    // The closing line of the batch command: records checked and problems found.
    QString SummaryLine() const;

private:
    bool CheckDelimited(const QByteArray& path, int lnCharSet);
    // The fields of a delimited line as the document's reader splits them, in Shift-JIS.
    bool LineFields(int nRow, int lnUnescape, std::vector<QByteArray>& fields);
    bool CheckFixed(const QByteArray& path, int lnCharSet);
    bool CheckBinary(const QByteArray& path, qint64 fileSize, int lnCharSet);
    bool CheckBinaryMember(int nRecord, int nMember, int lnCharSet);
    // Checks one cell's Shift-JIS text against its member.
    void CheckCell(int nRecord, int nMember, QByteArrayView cell, bool bSubstituted);
    // false once the check is to end.
    bool Add(int nRecord, int nMember, const QString& szProblem);
    char* Buffer(size_t nSize);

    const clsFormat& format;
    int keep;
    bool bStopAtKeep;
    std::vector<clsProblem> problems;
    qint64 total = 0;
    int checked = 0;
    bool bStopped = false;
    QString error;
    std::vector<char> buffer;
};
