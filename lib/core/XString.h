// XString: Skiff's growable byte string, with the quote escaping used on delimited fields.
#pragma once

// A NUL-terminated Shift-JIS byte string whose buffer grows in coarse steps and is reused.
class XString
{
public:
    // Raised as exceptions; the exports turn them into their failure values.
    enum EStringError {
        estrNoMemory = 100,
        estrNullText = 101,
        estrOutOfRange = 103,
    };

    // Escaping doubles the double quote; the separator byte is the character handled.
    static constexpr char kDoubleQuote = '"';

    XString();
    explicit XString(const char* szText);
    XString(const XString& other);
    XString(XString&& other) noexcept;
    ~XString();
    XString& operator=(const XString& other);
    XString& operator=(XString&& other) noexcept;

    const char* Text() const { return szText; }
    char* Data() { return szText; }
    int Length() const { return lnLength; }
    int Capacity() const { return lnCapacity; }
    char Separator() const { return chSeparator; }
    void SetSeparator(char chValue) { chSeparator = chValue; }

    // Makes room for lnSize bytes (terminator included), keeping the text.
    void Reserve(int lnSize);
    // Replaces the text by szSource's text.
    void SetText(const char* szSource);
    // Replaces the text by at most lnCount bytes of szText + lnOffset, stopping at a NUL.
    void SetRange(const char* szSource, int lnOffset, int lnCount);
    // Replaces the text by exactly lnCount bytes of szSource, which holds no NUL among them.
    void SetBytes(const char* szSource, int lnCount);
    // Sets the length after the caller wrote that many bytes into Data(); adds the terminator.
    void SetLength(int lnNewLength);
    // True when the text and its terminator equal szOther.
    bool Equals(const char* szOther) const;

    // Doubles every separator byte that is not the trail byte of a double-byte character.
    void Escape();
    // Turns each doubled separator byte back into one.
    void Unescape();

private:
    void Allocate(int lnSize);

    char* szText = nullptr;
    int lnLength = 0;
    int lnCapacity = 0;
    char chSeparator = ',';
};

namespace skiff {
// Shift-JIS lead bytes: the byte after one is its trail byte, never a character of its own.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Narrows a range by one pair of enclosing quotes, if it has them; a range of just two quotes
// becomes empty.
inline void StripQuotes(const char*& szText, int& lnLength, char chQuote)
{
    if (lnLength >= 2 && szText[0] == chQuote && szText[lnLength - 1] == chQuote) {
        ++szText;
        lnLength -= 2;
    }
}
} // namespace skiff
