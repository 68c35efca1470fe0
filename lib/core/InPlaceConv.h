// A file's text converted into Shift-JIS inside its own buffer.
#pragma once

#include <cstddef>

class XString;

namespace skiff {

// Bytes of the source converted at a time; a chunk reaches on to the next ASCII byte.
constexpr std::size_t kInPlaceChunk = std::size_t(64) << 10;

// Converts the text of a file from lnStart on (past a byte-order mark), from character set 2
// JIS, 3 EUC-JP or 4 UTF-8, into Shift-JIS in text itself, and counts the substitutions.
// EUC-JP and UTF-8 are converted nChunk bytes at a time into the bytes already read, so that
// no second buffer of the file's size is needed; with bHalves their text is cut at an ASCII
// byte near its middle, which cannot be part of a longer character, and the halves are
// converted side by side. JIS goes into a new buffer whole.
void ConvertFileToSjis(int lnCharSet, XString& text, int lnStart, bool bHalves,
                       std::size_t nChunk = kInPlaceChunk);

} // namespace skiff
