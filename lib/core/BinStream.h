// XBinStream: Skiff's one byte stream, open for reading binary records or for writing output.
#pragma once

#include <cstdio>
#include <memory>

// A buffered file opened either for reading or for writing, moving raw bytes.
class XBinStream
{
public:
    XBinStream() = default;
    XBinStream(const XBinStream&) = delete;
    XBinStream& operator=(const XBinStream&) = delete;
    ~XBinStream();

    // Replaces the open stream. Reading refuses files too large for 32-bit positions. A
    // failure leaves its cause in Status().
    bool OpenRead(const char* szFile);
    bool OpenWrite(const char* szFile);
    // Why the last open failed, a SkiffStatus.
    int Status() const { return lnStatus; }
    // Flushes and closes; nothing happens without an open stream.
    void Close();

    bool IsOpen() const { return pFile != nullptr; }
    // True when exactly lnCount bytes were read into or written from the buffer.
    bool Read(void* pBuffer, int lnCount);
    bool Write(const void* pBuffer, int lnCount);
    // True once a read has reached the end of the file.
    bool AtEnd() const;

private:
    static constexpr std::size_t kBufferSize = 1 << 20;

    // Gives a newly opened file its buffer; false when the open failed.
    bool Buffer();

    std::FILE* pFile = nullptr;
    // The stdio buffer; the C library would ignore the size without one of our own.
    std::unique_ptr<char[]> ioBuffer;
    bool bWriting = false;
    int lnStatus = 0;
};
