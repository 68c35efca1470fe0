// XBinStream: Skiff's one byte stream, open for reading binary records or for writing output.
#include "BinStream.h"

#include "SkiffFile.h"
#include "skiff.h"

#include <climits>
#include <new>

namespace {

// Records move a few bytes per call and the stream belongs to one caller at a time (the
// library is never called from two threads at once), so the C library's per-call stream
// lock is pure cost: it took a third of the time of reading a binary file.
std::size_t ReadUnlocked(void* pBuffer, std::size_t lnCount, std::FILE* pFile)
{
#if defined(__GLIBC__)
    return fread_unlocked(pBuffer, 1, lnCount, pFile);
#else
    return std::fread(pBuffer, 1, lnCount, pFile);
#endif
}

std::size_t WriteUnlocked(const void* pBuffer, std::size_t lnCount, std::FILE* pFile)
{
#if defined(__GLIBC__)
    return fwrite_unlocked(pBuffer, 1, lnCount, pFile);
#else
    return std::fwrite(pBuffer, 1, lnCount, pFile);
#endif
}

} // namespace

XBinStream::~XBinStream()
{
    Close();
}

bool XBinStream::OpenRead(const char* szFile)
{
    Close();
    if (szFile == nullptr) {
        lnStatus = SKIFF_STATUS_BAD_ARGUMENT;
        return false;
    }
    if (skiff::AddressableFileSize(szFile, &lnStatus) < 0) {
        return false;
    }
    pFile = skiff::OpenFile(szFile, "rb", &lnStatus);
    bWriting = false;
    return Buffer();
}

bool XBinStream::OpenWrite(const char* szFile)
{
    Close();
    if (szFile == nullptr) {
        lnStatus = SKIFF_STATUS_BAD_ARGUMENT;
        return false;
    }
    pFile = skiff::OpenFile(szFile, "wb", &lnStatus);
    bWriting = true;
    return Buffer();
}

bool XBinStream::Buffer()
{
    if (pFile == nullptr) {
        return false;
    }
    // Records move a few bytes per call; large buffers keep the system calls few. Without a
    // buffer, a failing allocation just leaves the library's own small one.
    if (!ioBuffer)
        ioBuffer.reset(new (std::nothrow) char[kBufferSize]);
    if (ioBuffer)
        std::setvbuf(pFile, ioBuffer.get(), _IOFBF, kBufferSize);
    return true;
}

void XBinStream::Close()
{
    if (pFile != nullptr) {
        std::fclose(pFile);
        pFile = nullptr;
    }
}

bool XBinStream::Read(void* pBuffer, int lnCount)
{
    if (pFile == nullptr || bWriting || lnCount < 0 || (pBuffer == nullptr && lnCount > 0)) {
        return false;
    }
    const auto count = static_cast<std::size_t>(lnCount);
    return count == 0 || ReadUnlocked(pBuffer, count, pFile) == count;
}

bool XBinStream::Write(const void* pBuffer, int lnCount)
{
    if (pFile == nullptr || !bWriting || lnCount < 0 || (pBuffer == nullptr && lnCount > 0)) {
        return false;
    }
    const auto count = static_cast<std::size_t>(lnCount);
    return count == 0 || WriteUnlocked(pBuffer, count, pFile) == count;
}

bool XBinStream::AtEnd() const
{
#if defined(__GLIBC__)
    return pFile != nullptr && feof_unlocked(pFile) != 0;
#else
    return pFile != nullptr && std::feof(pFile) != 0;
#endif
}
