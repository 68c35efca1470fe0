// The one output stage of every file the program writes through Skiff's output stream.
#pragma once

#include "clsFileReplacer.h"

#include <QString>

#include <cstdint>
#include <signal.h>

// Opens Skiff's output stream for a target, passes the writes on while counting the bytes
// they put in the file, closes the stream and checks that every byte arrived before the new
// file takes the target's place (see clsFileReplacer for where the bytes go). A failure
// leaves the target as it was and keeps a Japanese reason naming the file and the cause;
// nothing is shown, each caller words its own message. One stage is open at a time, as
// Skiff has one stream.
class clsOutputFile
{
public:
    // The largest file the program reads back: its sizes are 32-bit there.
    static constexpr qint64 kMaxFileBytes = 2147483646;

    explicit clsOutputFile(const QString& szTarget);
    // A stage that was not closed closes the stream and leaves the target untouched.
    ~clsOutputFile();
    clsOutputFile(const clsOutputFile&) = delete;
    clsOutputFile& operator=(const clsOutputFile&) = delete;

    // Prepares the target and opens the stream; false with Reason() when it cannot.
    bool Open();

    // The writes, each false with Reason() once a write failed (later ones write nothing).
    // Shift-JIS text without its terminator, converted to lnCharSet (WriteTxtConvStr).
    bool WriteText(const char* szText, int lnCharSet);
    // Bytes as they are (WriteBinString).
    bool WriteBytes(const void* pData, qint64 nBytes);
    // Shift-JIS text converted to lnCharSet and cut or filled to lnBytes (WriteBinConvStr).
    bool WriteField(const char* szText, int lnBytes, int lnCharSet);
    bool WriteShort(int16_t nValue);
    bool WriteLong(int32_t nValue);
    bool WriteFloat(float nValue);
    bool WriteDouble(double nValue);

    // Closes the stream and puts the file in the target's place; false with Reason() when
    // a write failed before or the file is not complete.
    bool Close();

    // Bytes written so far.
    qint64 Written() const { return written; }
    // Characters the converting writes replaced by 〓; final once closed.
    int ConvErrors() const;
    QString Reason() const { return reason; }
    // A reason for this target: its name followed by the cause.
    QString Explain(const QString& szCause) const;

private:
    bool Check(int lnStatus, qint64 nBytes);
    void Terminate();

    QString target;
    clsFileReplacer replacer;
    QString reason;
    qint64 written = 0;
    // Bytes the system was told to write to the disk already.
    qint64 writeback = 0;
    int convErrors = 0;
    bool open = false;
    bool failed = false;
    // While a pipe is written, a reader that leaves makes the write fail instead of ending
    // the program: the thread's signal mask before that.
    bool pipeGuard = false;
    sigset_t savedMask{};
};
