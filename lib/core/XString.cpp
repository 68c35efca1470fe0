// XString: growth, range copies and the double-quote escaping of delimited fields.
#include "XString.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

namespace {

// Coarse steps keep the many short strings of a run from reallocating on every field.
int GrownCapacity(int lnSize)
{
    if (lnSize <= 128) {
        return 128;
    }
    if (lnSize <= 256) {
        return 256;
    }
    if (lnSize <= 1024) {
        return 1024;
    }
    if (lnSize <= 4096) {
        return 4096;
    }
    return lnSize;
}

// Room for lnCount bytes and a terminator, refusing counts an int cannot hold.
int SizeWithTerminator(int lnCount)
{
    if (lnCount < 0 || lnCount == INT_MAX) {
        throw XString::estrOutOfRange;
    }
    return lnCount + 1;
}

} // namespace

XString::XString()
{
    Reserve(1);
}

XString::XString(const char* szSource) : XString()
{
    SetText(szSource);
}

XString::XString(const XString& other) : XString()
{
    *this = other;
    chSeparator = other.chSeparator;
}

XString::XString(XString&& other) noexcept
    : szText(std::exchange(other.szText, nullptr)), lnLength(std::exchange(other.lnLength, 0)),
      lnCapacity(std::exchange(other.lnCapacity, 0)), chSeparator(other.chSeparator)
{}

XString::~XString()
{
    skiff::FreeBytes(szText);
}

// The separator is a property of the string's use, so it stays as it was.
XString& XString::operator=(const XString& other)
{
    if (this != &other) {
        Reserve(SizeWithTerminator(other.lnLength));
        std::memcpy(szText, other.szText, static_cast<std::size_t>(other.lnLength) + 1);
        lnLength = other.lnLength;
    }
    return *this;
}

XString& XString::operator=(XString&& other) noexcept
{
    std::swap(szText, other.szText);
    std::swap(lnLength, other.lnLength);
    std::swap(lnCapacity, other.lnCapacity);
    return *this;
}

void XString::Reserve(int lnSize)
{
    if (lnCapacity >= lnSize) {
        return;
    }
    Allocate(GrownCapacity(lnSize));
}

void XString::Allocate(int lnSize)
{
    char* grown = static_cast<char*>(skiff::AllocateBytes(static_cast<std::size_t>(lnSize)));
    if (grown == nullptr) {
        throw estrNoMemory;
    }
    if (szText != nullptr) {
        std::memcpy(grown, szText, static_cast<std::size_t>(lnLength) + 1);
    } else {
        grown[0] = '\0';
    }
    skiff::FreeBytes(szText);
    szText = grown;
    lnCapacity = lnSize;
}

void XString::SetText(const char* szSource)
{
    if (szSource == nullptr) {
        throw estrNullText;
    }
    const std::size_t size = std::strlen(szSource);
    if (size >= static_cast<std::size_t>(INT_MAX)) {
        throw estrOutOfRange;
    }
    SetRange(szSource, 0, static_cast<int>(size));
}

void XString::SetRange(const char* szSource, int lnOffset, int lnCount)
{
    if (szSource == nullptr) {
        throw estrNullText;
    }
    if (lnOffset < 0) {
        throw estrOutOfRange;
    }
    const char* from = szSource + lnOffset;
    const void* nul =
        std::memchr(from, '\0', static_cast<std::size_t>(SizeWithTerminator(lnCount) - 1));
    const int copied =
        nul != nullptr ? static_cast<int>(static_cast<const char*>(nul) - from) : lnCount;
    // The source may lie inside this string; it then already fits and is not reallocated.
    Reserve(copied + 1);
    std::memmove(szText, from, static_cast<std::size_t>(copied));
    SetLength(copied);
}

void XString::SetBytes(const char* szSource, int lnCount)
{
    Reserve(SizeWithTerminator(lnCount));
    std::memmove(szText, szSource, static_cast<std::size_t>(lnCount));
    SetLength(lnCount);
}

void XString::SetLength(int lnNewLength)
{
    if (lnNewLength < 0 || lnNewLength >= lnCapacity) {
        throw estrOutOfRange;
    }
    lnLength = lnNewLength;
    szText[lnLength] = '\0';
}

bool XString::Equals(const char* szOther) const
{
    return szOther != nullptr && std::strlen(szOther) == static_cast<std::size_t>(lnLength) &&
           std::memcmp(szText, szOther, static_cast<std::size_t>(lnLength)) == 0;
}

void XString::Escape()
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(szText);
    int quotes = 0;
    for (int i = 0; i < lnLength; ++i) {
        if (skiff::IsLeadByte(bytes[i])) {
            ++i;
        } else if (szText[i] == chSeparator) {
            ++quotes;
        }
    }
    if (quotes == 0) {
        return;
    }
    if (lnLength > INT_MAX - 1 - quotes) {
        throw estrOutOfRange;
    }
    // One new buffer however many quotes the text holds.
    const int escapedLength = lnLength + quotes;
    const int size = GrownCapacity(std::max(escapedLength + 1, lnCapacity));
    char* escaped = static_cast<char*>(skiff::AllocateBytes(static_cast<std::size_t>(size)));
    if (escaped == nullptr) {
        throw estrNoMemory;
    }
    int out = 0;
    for (int i = 0; i < lnLength; ++i) {
        escaped[out++] = szText[i];
        if (skiff::IsLeadByte(bytes[i])) {
            if (i + 1 < lnLength) {
                escaped[out++] = szText[++i];
            }
        } else if (szText[i] == chSeparator) {
            escaped[out++] = chSeparator;
        }
    }
    escaped[out] = '\0';
    skiff::FreeBytes(szText);
    szText = escaped;
    lnCapacity = size;
    lnLength = out;
}

void XString::Unescape()
{
    // Most fields hold no quote at all once their enclosing pair is gone.
    if (std::memchr(szText, chSeparator, static_cast<std::size_t>(lnLength)) == nullptr) {
        return;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(szText);
    int out = 0;
    for (int i = 0; i < lnLength; ++i) {
        const char c = szText[i];
        szText[out++] = c;
        if (skiff::IsLeadByte(bytes[i])) {
            if (i + 1 < lnLength) {
                szText[out++] = szText[++i];
            }
        } else if (c == chSeparator && i + 1 < lnLength && szText[i + 1] == chSeparator) {
            // The second of the pair is the one kept; the scan resumes after it.
            ++i;
        }
    }
    SetLength(out);
}
