// XBinStream: Skiff's one byte stream, open for reading binary records or for writing output.
#include "BinStream.h"

#include "SkiffFile.h"
#include "skiff.h"

#include <climits>
#include <new>

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
    return count == 0 || std::fread(pBuffer, 1, count, pFile) == count;
}

bool XBinStream::Write(const void* pBuffer, int lnCount)
{
    if (pFile == nullptr || !bWriting || lnCount < 0 || (pBuffer == nullptr && lnCount > 0)) {
        return false;
    }
    const auto count = static_cast<std::size_t>(lnCount);
    return count == 0 || std::fwrite(pBuffer, 1, count, pFile) == count;
}

bool XBinStream::AtEnd() const
{
    return pFile != nullptr && std::feof(pFile) != 0;
}
