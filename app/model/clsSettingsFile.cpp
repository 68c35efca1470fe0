// Reading, locking and replacing the settings file with the system's own calls, which tell
// the exact cause of a failure.
#include "clsSettingsFile.h"

#include "clsSystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

clsSettingsFile::FaultHook& Hook()
{
    static clsSettingsFile::FaultHook hook;
    return hook;
}

// Zero, or the error number the test seam makes this step fail with (errno set to it).
int Injected(clsSettingsFile::Step step)
{
    const int nErrno = Hook() ? Hook()(step) : 0;
    if (nErrno != 0)
        errno = nErrno;
    return nErrno;
}

QByteArray Native(const QString& szPath)
{
    return QFile::encodeName(QDir::toNativeSeparators(szPath));
}

// Writers hold the lock for one read and one write of a small file.
constexpr auto lockWait = std::chrono::seconds(10);
constexpr unsigned long lockPollMs = 10;

} // namespace

void clsSettingsFile::SetFaultHook(FaultHook hook)
{
    Hook() = std::move(hook);
}

clsSettingsFile::clsSettingsFile(const QString& szFilePath)
{
    const QFileInfo info(szFilePath);
    szPath = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

clsSettingsFile::~clsSettingsFile()
{
    Unlock();
}

bool clsSettingsFile::Fail(const QString& szWhat, int nErrno)
{
    szReason = szWhat + clsSystemError::Cause(nErrno);
    return false;
}

bool clsSettingsFile::Lock()
{
    if (nLockFd >= 0)
        return true;
    const QString folder = QFileInfo(szPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        szReason = u"フォルダ "_s + folder + u" を作成できません。"_s;
        return false;
    }
    const QString lockPath = szPath + u".lock"_s;
    const QByteArray native = Native(lockPath);
    int fd = -1;
    if (Injected(Step::Lock) == 0) {
        fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        // A lock file another user created may be ours to read only; flock needs no more.
        if (fd < 0 && errno == EACCES)
            fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0)
        return Fail(u"ロックファイル "_s + lockPath + u" を開けません。"_s, errno);

    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int nErrno = errno;
        if (nErrno == EINTR)
            continue;
        if (nErrno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (nErrno == EWOULDBLOCK) {
                szReason =
                    u"ほかのプログラムが設定ファイルを書き込み中のままです (ロックファイル "_s +
                    lockPath + u")。"_s;
                return false;
            }
            return Fail(u"ロックファイル "_s + lockPath + u" をロックできません。"_s, nErrno);
        }
        QThread::msleep(lockPollMs);
    }
    nLockFd = fd;
    return true;
}

void clsSettingsFile::Unlock()
{
    if (nLockFd < 0)
        return;
    // Closing the descriptor releases the lock; the lock file stays for the next writer.
    ::close(nLockFd);
    nLockFd = -1;
}

bool clsSettingsFile::Read(QByteArray& bytes, bool& bExists)
{
    bytes.clear();
    bExists = false;
    const int fd =
        Injected(Step::Read) == 0 ? ::open(Native(szPath).constData(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        return Fail(QString(), errno);
    }
    bExists = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            const int nErrno = errno;
            ::close(fd);
            bytes.clear();
            return Fail(QString(), nErrno);
        }
    }
    ::close(fd);
    return true;
}

bool clsSettingsFile::Replace(const QByteArray& bytes)
{
    struct stat target = {};
    const bool exists = ::stat(Native(szPath).constData(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode)) {
        szReason = u"通常のファイルではありません。"_s;
        return false;
    }
    if (exists && (target.st_mode & 0222) == 0) {
        szReason = u"ファイルが読み取り専用です。"_s;
        return false;
    }
    if (exists && ::access(Native(szPath).constData(), W_OK) != 0)
        return Fail(QString(), errno);

    const QString temporary = szPath + u".new"_s;
    // Under the lock no other writer uses the name, so this is a leftover of a crashed write.
    ::unlink(Native(temporary).constData());
    if (!WriteTemporary(temporary, bytes)) {
        ::unlink(Native(temporary).constData());
        return false;
    }
    if (Injected(Step::Rename) != 0 ||
        ::rename(Native(temporary).constData(), Native(szPath).constData()) != 0) {
        const int nErrno = errno;
        ::unlink(Native(temporary).constData());
        return Fail(QString(), nErrno);
    }
    // The rename itself reaches the disk with the folder; a failure here loses nothing.
    const int folderFd =
        ::open(Native(QFileInfo(szPath).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

bool clsSettingsFile::WriteTemporary(const QString& szTemporary, const QByteArray& bytes)
{
    struct stat target = {};
    const bool exists = ::stat(Native(szPath).constData(), &target) == 0;
    // A new file is private until its permissions are those of the one it replaces.
    const int fd = Injected(Step::Create) == 0
                       ? ::open(Native(szTemporary).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666)
                       : -1;
    if (fd < 0)
        return Fail(u"一時ファイル "_s + szTemporary + u" を作成できません。"_s, errno);
    if (exists) {
        // Only root may give the file away; anyone else keeps the owner anyway.
        if (::fchown(fd, target.st_uid, target.st_gid) != 0 && errno != EPERM) {
            const int nErrno = errno;
            ::close(fd);
            return Fail(QString(), nErrno);
        }
        ::fchmod(fd, target.st_mode & 07777);
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            Injected(Step::Write) == 0
                ? ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done))
                : -1;
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int nErrno = n == 0 ? ENOSPC : errno;
            ::close(fd);
            return Fail(QString(), nErrno);
        }
        done += n;
    }
    // Some file systems report a full disk only when the data is forced out.
    if (Injected(Step::Sync) != 0 || ::fsync(fd) != 0) {
        const int nErrno = errno;
        ::close(fd);
        return Fail(QString(), nErrno);
    }
    if (Injected(Step::Close) != 0) {
        const int nErrno = errno;
        ::close(fd);
        return Fail(QString(), nErrno);
    }
    if (::close(fd) != 0)
        return Fail(QString(), errno);
    return true;
}
