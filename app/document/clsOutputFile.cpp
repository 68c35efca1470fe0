// The output stage: Skiff's output stream over a safely replaced file, with its checks.
#include "clsOutputFile.h"

#include "clsSkiff.h"

#include <QDir>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

using namespace Qt::Literals::StringLiterals;

namespace {

// Bytes written between two starts of writing them to the disk: more than the stream buffers.
constexpr qint64 kWritebackStep = qint64{8} << 20;

// The name Skiff opens: the one place where a path crosses into the library.
QByteArray SkiffPath(const QString& szPath)
{
    return clsSkiff::NativePath(szPath);
}

} // namespace

clsOutputFile::clsOutputFile(const QString& szTarget) : target(szTarget), replacer(szTarget) {}

clsOutputFile::~clsOutputFile()
{
    if (open)
        Terminate();
}

bool clsOutputFile::Open()
{
    if (open || failed)
        return false;
    if (!replacer.Create()) {
        reason = Explain(replacer.Cause());
        failed = true;
        return false;
    }
    if (replacer.IsPipe()) {
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pipeGuard = pthread_sigmask(SIG_BLOCK, &pipeSignal, &savedMask) == 0;
    }
    errno = 0;
    open = skiff::WriteBinIni(SkiffPath(replacer.WritePath()).constData()) == 0;
    if (!open) {
        reason = Explain(replacer.WriteFailure(errno));
        failed = true;
        Terminate();
    }
    return open;
}

bool clsOutputFile::WriteText(const char* szText, int lnCharSet)
{
    if (!open || failed || szText == nullptr)
        return false;
    if (lnCharSet < 1 || lnCharSet > 4) {
        reason =
            Explain(u"文字コード "_s + QString::number(lnCharSet) + u" では書き込めません。"_s);
        failed = true;
        return false;
    }
    // The length functions count the terminator, which the writer leaves out.
    qint64 bytes = 0;
    switch (lnCharSet) {
    case 1:
        bytes = static_cast<qint64>(std::strlen(szText));
        break;
    case 2:
        bytes = skiff::SJIStoJISLen(szText) - 1;
        break;
    case 3:
        bytes = skiff::SJIStoEUCLen(szText) - 1;
        break;
    default:
        bytes = skiff::SJIStoUNICODELen(szText) - 1;
        break;
    }
    errno = 0;
    return Check(skiff::WriteTxtConvStr(szText, lnCharSet), bytes);
}

bool clsOutputFile::WriteBytes(const void* pData, qint64 nBytes)
{
    if (!open || failed)
        return false;
    if (nBytes < 0 || nBytes >= INT_MAX) {
        reason = Explain(u"一度に書き込める大きさを超えました。"_s);
        failed = true;
        return false;
    }
    errno = 0;
    return Check(skiff::WriteBinString(pData, static_cast<int>(nBytes)), nBytes);
}

bool clsOutputFile::WriteField(const char* szText, int lnBytes, int lnCharSet)
{
    if (!open || failed)
        return false;
    errno = 0;
    return Check(skiff::WriteBinConvStr(szText, lnBytes, lnCharSet), lnBytes);
}

bool clsOutputFile::WriteShort(int16_t nValue)
{
    if (!open || failed)
        return false;
    errno = 0;
    return Check(skiff::WriteBinShort(&nValue, 2), 2);
}

bool clsOutputFile::WriteLong(int32_t nValue)
{
    if (!open || failed)
        return false;
    errno = 0;
    return Check(skiff::WriteBinLong(&nValue, 4), 4);
}

bool clsOutputFile::WriteFloat(float nValue)
{
    if (!open || failed)
        return false;
    errno = 0;
    return Check(skiff::WriteBinFloat(&nValue, 4), 4);
}

bool clsOutputFile::WriteDouble(double nValue)
{
    if (!open || failed)
        return false;
    errno = 0;
    return Check(skiff::WriteBinDouble(&nValue, 8), 8);
}

bool clsOutputFile::Check(int lnStatus, qint64 nBytes)
{
    if (lnStatus == 0) {
        written += nBytes;
        // The bytes of a large file go to the disk while the rest is written, not all at
        // the end; the last stretch may still wait in the stream's buffer.
        if (written - writeback >= kWritebackStep) {
            writeback = written - kWritebackStep / 2;
            replacer.StartWriteback(writeback);
        }
        return true;
    }
    // Skiff answers only -1: the system's error of the failed write is still in errno.
    reason = Explain(replacer.WriteFailure(errno));
    failed = true;
    return false;
}

bool clsOutputFile::Close()
{
    if (!open)
        return false;
    errno = 0;
    Terminate();
    // Closing flushes the stream's last bytes; a failure there shows only as a short file.
    const int closeErrno = errno;
    if (failed)
        return false;
    if (!replacer.Commit(written, closeErrno)) {
        reason = Explain(replacer.Cause());
        failed = true;
        return false;
    }
    return true;
}

int clsOutputFile::ConvErrors() const
{
    return open ? skiff::GetConvErrCnt() : convErrors;
}

QString clsOutputFile::Explain(const QString& szCause) const
{
    return QDir::toNativeSeparators(target) + u": "_s + szCause;
}

void clsOutputFile::Terminate()
{
    convErrors = skiff::GetConvErrCnt();
    skiff::Terminate();
    open = false;
    if (pipeGuard) {
        // A reader that left raised the signal for this thread: it is taken, not delivered.
        const int closeErrno = errno;
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        const timespec none{};
        while (sigtimedwait(&pipeSignal, nullptr, &none) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &savedMask, nullptr);
        pipeGuard = false;
        errno = closeErrno;
    }
}
