// Malformed bytes of text read from a file: NUL bytes and a lone lead byte become geta marks.
#pragma once

namespace skiff {

// The geta mark 〓 in Shift-JIS, written for every byte that cannot stand as text.
constexpr char kGeta[] = "\x81\xAC";

// True when the text's last byte is a Shift-JIS lead byte without its trail byte: a run of
// lead-range bytes pairs up from its start, so an odd run at the end leaves one alone.
bool EndsInLoneLead(const char* szText, int lnLength);

// Bytes the text takes once every NUL byte, and a lone lead byte before one or at the end,
// is a geta mark: at most twice the length. bNuls says whether the text may hold NUL bytes.
long long MendedLength(const char* szText, int lnLength, bool bNuls);

// Copies the text so mended into szBuffer, which holds MendedLength + 1 bytes, with a
// terminator; returns the count of bytes replaced.
int CopyMended(const char* szText, int lnLength, bool bNuls, char* szBuffer);

// Turns each NUL byte of a JIS, EUC-JP or UTF-8 text into 0xFF, a byte none of them uses, so
// that the text's converter, which stops at a NUL, goes on and writes a counted geta mark.
void MarkNuls(char* pText, int lnLength);

} // namespace skiff
