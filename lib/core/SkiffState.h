// The library-wide state of Skiff: the open text file, the byte stream and reused strings.
#pragma once

#include "BinStream.h"
#include "XCsv.h"
#include "XString.h"

#include <memory>

namespace skiff {

// Everything the exports share between calls; one instance for the library's lifetime.
struct SkiffState
{
    SkiffState();

    std::unique_ptr<XCsv> csv;
    XBinStream stream;
    // Receives a column or an escaped text before it is copied to the caller.
    XString result;
    // A NUL-terminated copy of a field's raw bytes, the source of its conversion.
    XString field;
    // The converted text of a field or an output text.
    XString scratch;
    // Why the last open failed (a SkiffStatus), for GetLastStatus.
    int lnStatus = 0;
};

// Created when the library is loaded, gone when it is unloaded.
extern SkiffState gState;

inline SkiffState& State()
{
    return gState;
}

// The open text file; without one every row is out of range.
inline XCsv& OpenCsv()
{
    XCsv* csv = gState.csv.get();
    if (csv == nullptr) {
        throw XCsv::ecsvBadRow;
    }
    return *csv;
}

// Runs an export's body; any error raised inside becomes the export's failure value, so that
// no exception crosses the C interface.
template <typename Body> int Guard(int lnFailure, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return lnFailure;
    }
}

// Copies text and terminator into the caller's buffer: 0, or -1 when it does not fit.
int CopyOut(const XString& text, char* szBuffer, int lnBufferSize);

} // namespace skiff
