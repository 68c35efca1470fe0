// The file-system side of writing a file safely: the temporary file and how it replaces the target.
#pragma once

#include <QString>

#include <sys/types.h>

// Prepares the file that the bytes for a target go to and later puts them in the target's
// place. A regular or new target gets a temporary file in its folder, created with the
// target's owner, group and permissions (0600 for a new target) and locked while it is in
// use; leftovers of a save that crashed are recognised by their name and lock and removed
// by the next save to the same target. A character device, or a pipe that a process reads,
// is written in place; any other target that is not a regular file is refused. A symbolic
// link is followed, so the file it points to is replaced and the link stays. Failures are
// kept as a Japanese cause; nothing is shown.
class clsFileReplacer
{
public:
    explicit clsFileReplacer(const QString& szTarget);
    // A replacer that never committed removes its temporary file.
    ~clsFileReplacer();
    clsFileReplacer(const clsFileReplacer&) = delete;
    clsFileReplacer& operator=(const clsFileReplacer&) = delete;

    // Examines the target and prepares the file to write; false with Cause() when it cannot.
    bool Create();
    // Where the bytes go: the temporary file, or the target itself when written in place.
    QString WritePath() const { return writePath; }
    bool InPlace() const { return inPlace; }
    // The target is a pipe: a reader that leaves makes writes fail (EPIPE).
    bool IsPipe() const { return pipe; }
    // Puts the temporary file, which must hold nBytes, in the target's place once it reached
    // the disk: renamed over the target, or copied into a target that has more names than
    // one so that every name sees the new content. lnWriteErrno is what the last write
    // reported: the cause of a short file, and the only sign of a failed last write to a
    // target written in place.
    bool Commit(qint64 nBytes, int lnWriteErrno = 0);
    // Has the system start writing the temporary file's first nBytes to the disk without
    // waiting for them, so that Commit finds less left to wait for.
    void StartWriteback(qint64 nBytes);
    // Why a write into WritePath() failed with lnErrno (0 when unknown).
    QString WriteFailure(int lnErrno) const;
    QString Cause() const { return cause; }

    // The cause of a failed file operation, in words.
    static QString ErrnoText(int lnErrno);

private:
    bool Examine();
    void RemoveLeftovers() const;
    bool CreateTemporary();
    bool CopyIntoTarget(qint64 nBytes);
    // Why the temporary file is not complete, as far as the system can tell.
    QString Diagnose(int lnErrno) const;
    bool Fail(const QString& szCause);

    QString target;
    QString folder;
    // Leftovers of earlier saves to the same target share this part of their name.
    QString prefix;
    QString writePath;
    QString cause;
    int fd = -1;
    bool exists = false;
    bool inPlace = false;
    bool pipe = false;
    bool committed = false;
    // Bytes whose writing to the disk was started.
    qint64 started = 0;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};
