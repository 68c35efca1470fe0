// Cutting and formatting cells on the program side from bytes Skiff has handed over whole.
#pragma once

#include <cstddef>
#include <cstdint>

// The text of a cell taken from a whole line or record, made exactly as Skiff makes it when
// asked for that cell alone: the reader fetches one piece per line or record and cuts it here.
class clsRecordReaderCells
{
public:
    // Room FormatDouble needs.
    static constexpr size_t kNumberBytes = 40;

    // True when the text's last byte is a Shift-JIS lead byte without its trail byte: a run of
    // lead-range bytes pairs up from its start, so an odd run at the end leaves one alone.
    // Inline: the reader asks it at every delimiter of a line.
    static bool EndsInLoneLead(const char* pText, size_t nLength)
    {
        size_t run = 0;
        while (run < nLength && IsLeadByte(static_cast<unsigned char>(pText[nLength - 1 - run])))
            ++run;
        return run % 2 == 1;
    }
    // Copies the text to pOut (room for nLength + 2 bytes) with a lone lead byte at its end
    // turned into a geta mark, as Skiff hands out a cell; the length written, no terminator.
    // nSubstitutions counts the marks written.
    static size_t CopyMended(char* pOut, const char* pText, size_t nLength, int& nSubstitutions);

    // A double as printf's %.15g writes it (to_chars, general, precision 15); the length
    // written to pOut, which holds kNumberBytes.
    static size_t FormatDouble(char* pOut, double value);

    // Whether c is in the range of Shift-JIS lead bytes.
    static bool IsLeadByte(unsigned char c)
    {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }

private:
    // nScaled / 10^lnPlaces written in fixed notation as %g does.
    static size_t FixedDecimal(char* pOut, bool bNegative, int64_t nScaled, int lnPlaces);
    static size_t ShortestDouble(char* pOut, double value);
};
