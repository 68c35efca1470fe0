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

// The same for the length bytes at src, without a closing NUL, so that two parts of one text
// can be converted into one buffer side by side. The byte after them must be readable: it is
// looked at as a possible follower of their last byte, and stops the text as the NUL would
// where it cannot continue a character (any ASCII byte in EUC-JP and UTF-8).
std::size_t ConvertedLength(Charset from, Charset to, const char* src, std::size_t length);
std::size_t Convert(Charset from, Charset to, const char* src, std::size_t length, char* dst,
                    int& errors);

} // namespace skiff
