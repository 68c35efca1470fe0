// Conversion of NUL-terminated texts between Shift-JIS, JIS, EUC-JP and UTF-8.
#pragma once

#include <cstddef>

namespace skiff {

// The character-set codes shared with the program.
enum class Charset { Sjis = 1, Jis = 2, Euc = 3, Utf8 = 4 };

// Bytes that Convert writes for src, without the closing NUL.
std::size_t ConvertedLength(Charset from, Charset to, const char* src);

// Converts src into dst, which holds ConvertedLength + 1 bytes, and closes it with a NUL;
// returns the bytes written without the NUL. A character the target cannot hold and a
// malformed sequence of the source each become one geta mark, counted in errors.
std::size_t Convert(Charset from, Charset to, const char* src, char* dst, int& errors);

} // namespace skiff
