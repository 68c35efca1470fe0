// The settings file on disk: whole reads, locked replacement, and why either failed.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Reads and replaces one file. Writers of every process take turns through an advisory lock
// on "<file>.lock" beside it, held from Lock() until Unlock() or destruction, so each can read
// the file afresh and replace it without losing another's change. A replacement writes
// "<file>.new" with the file's permissions, forces it to disk and renames it over the file:
// a failure at any step leaves the previous file as it was. A file with no write permission
// at all is read-only for every user. Reasons are Japanese sentences naming what failed.
class clsSettingsFile
{
public:
    // The system calls a read or a replacement goes through, in order.
    enum class Step { Lock, Read, Create, Write, Sync, Close, Rename };
    // Called before each step; a nonzero error number makes that step fail with it. Tests use
    // it to fail what a healthy disk never fails; an empty hook removes it.
    using FaultHook = std::function<int(Step)>;
    static void SetFaultHook(FaultHook hook);

    // A symbolic link is followed, so the file it names is replaced, not the link.
    explicit clsSettingsFile(const QString& szFilePath);
    ~clsSettingsFile();
    clsSettingsFile(const clsSettingsFile&) = delete;
    clsSettingsFile& operator=(const clsSettingsFile&) = delete;

    // Waits a few seconds at most for other writers.
    bool Lock();
    void Unlock();
    // False for a file that exists and cannot be read; a missing file reads as absent.
    bool Read(QByteArray& bytes, bool& bExists);
    bool Replace(const QByteArray& bytes);
    // Why the last call failed.
    QString Reason() const { return szReason; }

private:
    bool Fail(const QString& szWhat, int nErrno);
    bool WriteTemporary(const QString& szTemporary, const QByteArray& bytes);

    QString szPath;
    QString szReason;
    int nLockFd = -1;
};
