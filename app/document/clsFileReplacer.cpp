// The temporary file of a save, its leftovers, and how it takes the target's place.
#include "clsFileReplacer.h"

#include "clsSystemError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Names tried before giving up: collisions are practically impossible, a full folder is not.
constexpr int kAttempts = 16;
constexpr size_t kCopyBuffer = 1 << 20;

QByteArray Native(const QString& szPath)
{
    return QFile::encodeName(szPath);
}

// The mask new files get: a new target ends up as any other file the user creates.
mode_t ProcessUmask()
{
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly)) {
        while (!status.atEnd()) {
            const QByteArray line = status.readLine();
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return static_cast<mode_t>(value);
            }
        }
    }
    return 022;
}

// Keeps the owner and group where the process may; a process that may not keeps the group
// when it belongs to it.
void KeepOwner(int fd, uid_t owner, gid_t group)
{
    if (fchown(fd, owner, group) != 0)
        (void)fchown(fd, static_cast<uid_t>(-1), group);
}

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t done = write(fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

} // namespace

clsFileReplacer::clsFileReplacer(const QString& szTarget) : target(szTarget)
{
    const QFileInfo info(szTarget);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    const QFileInfo resolved(target);
    folder = resolved.absolutePath();
    // ASCII whatever the target is called, so the name crosses into Skiff unchanged; the
    // target's name in it ties a leftover to the save that left it.
    const QByteArray hash =
        QCryptographicHash::hash(resolved.fileName().toUtf8(), QCryptographicHash::Sha1);
    prefix = u".quillet-save-"_s + QString::fromLatin1(hash.toHex().left(12)) + u'-';
}

clsFileReplacer::~clsFileReplacer()
{
    if (!committed && !inPlace && !writePath.isEmpty())
        unlink(Native(writePath).constData());
    if (fd >= 0)
        close(fd);
}

bool clsFileReplacer::Create()
{
    if (!Examine())
        return false;
    if (inPlace) {
        writePath = target;
        return true;
    }
    RemoveLeftovers();
    return CreateTemporary();
}

bool clsFileReplacer::Examine()
{
    struct stat st = {};
    if (stat(Native(target).constData(), &st) != 0) {
        // A missing target is a new file; a missing folder shows when the file is created.
        if (errno == ENOENT)
            return true;
        return Fail(ErrnoText(errno));
    }
    if (S_ISREG(st.st_mode)) {
        exists = true;
        mode = st.st_mode & 07777;
        owner = st.st_uid;
        group = st.st_gid;
        return true;
    }
    if (S_ISDIR(st.st_mode))
        return Fail(u"フォルダーには保存できません。"_s);
    if (S_ISFIFO(st.st_mode)) {
        // Opening a pipe nobody reads would wait for ever: ask without waiting first. The
        // answer stays open until the stream is: a reader that sees no writer ends.
        fd = open(Native(target).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return Fail(errno == ENXIO ? u"パイプを読み出すプロセスがありません。"_s
                                       : ErrnoText(errno));
        inPlace = true;
        pipe = true;
        return true;
    }
    // Devices such as /dev/null take the bytes as they come and must stay what they are.
    if (S_ISCHR(st.st_mode)) {
        inPlace = true;
        return true;
    }
    return Fail(u"通常のファイルでも文字デバイスでもパイプでもないため保存できません。"_s);
}

void clsFileReplacer::RemoveLeftovers() const
{
    const QStringList names =
        QDir(folder).entryList({prefix + u"*.tmp"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray path = Native(QDir(folder).filePath(name));
        const int leftover = open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (leftover < 0)
            continue;
        struct stat st = {};
        // A save in progress holds the lock on its file; one that crashed holds nothing.
        if (fstat(leftover, &st) == 0 && S_ISREG(st.st_mode) &&
            flock(leftover, LOCK_EX | LOCK_NB) == 0)
            unlink(path.constData());
        close(leftover);
    }
}

bool clsFileReplacer::CreateTemporary()
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QString path = QDir(folder).filePath(
            prefix + QString::number(QRandomGenerator::global()->generate64(), 36) + u".tmp"_s);
        const QByteArray native = Native(path);
        // Owner only until the owner and group are the target's: no byte is readable by
        // anyone the target does not allow.
        const int file =
            open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (file < 0) {
            if (errno == EEXIST)
                continue;
            return Fail(ErrnoText(errno));
        }
        struct stat st = {};
        // Another save's clean-up may take a file between its creation and its lock. A file
        // system without locks keeps the file unlocked: its leftovers then stay.
        const bool taken = flock(file, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        if (taken || fstat(file, &st) != 0 || st.st_nlink == 0) {
            close(file);
            continue;
        }
        if (exists) {
            KeepOwner(file, owner, group);
            // Skiff opens the file by name to write it: the owner keeps write access.
            fchmod(file, (mode & 0777) | 0600);
        }
        fd = file;
        writePath = path;
        return true;
    }
    return Fail(u"一時ファイルを作成できません。"_s);
}

void clsFileReplacer::StartWriteback(qint64 nBytes)
{
#ifdef __linux__
    if (fd < 0 || inPlace || nBytes <= started)
        return;
    // Only a hint: a failure shows, if at all, in the checks of Commit.
    sync_file_range(fd, started, nBytes - started, SYNC_FILE_RANGE_WRITE);
    started = nBytes;
#else
    (void)nBytes;
#endif
}

bool clsFileReplacer::Commit(qint64 nBytes, int lnWriteErrno)
{
    if (inPlace) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
        // A device or a pipe has no size to check: only the error of the last flush tells.
        if (lnWriteErrno != 0)
            return Fail(ErrnoText(lnWriteErrno));
        committed = true;
        return true;
    }
    if (fd < 0)
        return Fail(u"一時ファイルがありません。"_s);
    struct stat st = {};
    if (fstat(fd, &st) != 0)
        return Fail(ErrnoText(errno));
    if (st.st_nlink == 0)
        return Fail(u"保存先のフォルダーまたは一時ファイルが削除されました。"_s);
    if (st.st_size != nBytes)
        return Fail(Diagnose(lnWriteErrno));
    if (fsync(fd) != 0)
        return Fail(ErrnoText(errno));
    struct stat now = {};
    if (stat(Native(target).constData(), &now) == 0 && S_ISREG(now.st_mode) && now.st_nlink > 1)
        return CopyIntoTarget(nBytes);
    if (exists) {
        // Changing the owner clears the set-user-ID bits: the mode comes after it.
        KeepOwner(fd, owner, group);
        fchmod(fd, mode);
    } else {
        fchmod(fd, 0666 & ~ProcessUmask());
    }
    if (rename(Native(writePath).constData(), Native(target).constData()) != 0)
        return Fail(errno == ENOENT ? u"保存先のフォルダーが見つかりません。"_s : ErrnoText(errno));
    committed = true;
    // The new name reaches the disk with the folder; a failure here loses nothing written.
    const int dir = open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool clsFileReplacer::CopyIntoTarget(qint64 nBytes)
{
    // The target's blocks are reserved before its first byte changes: a full disk then
    // refuses the save while the target is still whole.
    const int out = open(Native(target).constData(), O_WRONLY | O_CLOEXEC);
    if (out < 0)
        return Fail(ErrnoText(errno));
    const int reserved = nBytes > 0 ? posix_fallocate(out, 0, static_cast<off_t>(nBytes)) : 0;
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
        close(out);
        return Fail(ErrnoText(reserved));
    }
    std::vector<char> buffer(kCopyBuffer);
    qint64 done = 0;
    bool ok = lseek(fd, 0, SEEK_SET) == 0;
    while (ok && done < nBytes) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        ok = got > 0 && WriteAll(out, buffer.data(), static_cast<size_t>(got));
        done += got;
    }
    ok = ok && ftruncate(out, static_cast<off_t>(nBytes)) == 0 && fsync(out) == 0;
    const int error = errno;
    ok = close(out) == 0 && ok;
    if (!ok)
        return Fail(u"ほかの名前（ハードリンク）と共有するファイルの書き換えに失敗しました。"_s +
                    ErrnoText(error != 0 ? error : errno));
    unlink(Native(writePath).constData());
    committed = true;
    return true;
}

QString clsFileReplacer::WriteFailure(int lnErrno) const
{
    if (!inPlace && fd >= 0) {
        struct stat st = {};
        if (fstat(fd, &st) == 0 && st.st_nlink == 0)
            return u"保存先のフォルダーまたは一時ファイルが削除されました。"_s;
    }
    return lnErrno != 0 ? ErrnoText(lnErrno) : Diagnose(0);
}

QString clsFileReplacer::Diagnose(int lnErrno) const
{
    if (lnErrno != 0)
        return ErrnoText(lnErrno);
    struct statvfs fs = {};
    if (statvfs(Native(folder).constData(), &fs) == 0 && fs.f_bavail == 0)
        return ErrnoText(ENOSPC);
    return u"書き込んだ内容の一部がファイルに書き込まれませんでした。"_s;
}

QString clsFileReplacer::ErrnoText(int lnErrno)
{
    // Where a save goes, a missing entry is the folder: the file itself is being made.
    if (lnErrno == ENOENT || lnErrno == ENOTDIR)
        return u"保存先のフォルダーが見つかりません。"_s;
    if (lnErrno == EISDIR)
        return u"フォルダーには保存できません。"_s;
    return clsSystemError::Cause(lnErrno);
}

bool clsFileReplacer::Fail(const QString& szCause)
{
    cause = szCause;
    return false;
}
