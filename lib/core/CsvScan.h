// XCsvScan: classifies the bytes of delimited Shift-JIS text 64 at a time, quotes and all.
#pragma once

#include <cstdint>

// Bit i of each mask stands for byte i of a block of up to 64 bytes.
struct XByteMasks
{
    std::uint64_t delimiter;
    std::uint64_t quote;
    std::uint64_t lineEnd;
    std::uint64_t lead;
    std::uint64_t nul;
};

// Finds the delimiters and line ends that lie outside quotes, block after block.
//
// The rules: the byte after a Shift-JIS lead byte is its trail byte and is neither a delimiter
// nor a quote; a run of lead-range bytes therefore pairs up from its start, so a byte is a
// trail byte exactly when an odd run of lead-range bytes precedes it. Each quote that is not a
// trail byte toggles the quoted state (a doubled quote inside quotes toggles twice and stays
// inside). A CR or LF outside quotes ends the line, even as a trail byte.
class XCsvScan
{
public:
    struct Block
    {
        std::uint64_t delimiters;
        std::uint64_t lineEnds;
        std::uint64_t nuls;
    };

    // Without bCareQuote only line ends are found.
    XCsvScan(char chDelimiterByte, char chQuoteByte, bool bCareQuote);

    // Starts again outside quotes, as at the start of a line.
    void Restart()
    {
        trailCarry = 0;
        insideCarry = 0;
    }

    // Classifies the next lnCount bytes (1 to 64), carrying the state of the previous block.
    Block Next(const unsigned char* bytes, int lnCount);

    // The masks of 64 bytes, computed with vector instructions where the processor has them.
    static XByteMasks Masks(const unsigned char* bytes, char chDelimiterByte, char chQuoteByte);
    // The same, one byte at a time.
    static XByteMasks ScalarMasks(const unsigned char* bytes, char chDelimiterByte,
                                  char chQuoteByte);

    // Number of bits set; a portable stand-in for the processor's instruction.
    static int CountBits(std::uint64_t bits)
    {
        bits -= (bits >> 1) & 0x5555555555555555ull;
        bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        return static_cast<int>((bits * 0x0101010101010101ull) >> 56);
    }

private:
    std::uint64_t Trails(std::uint64_t lead);

    char chDelimiter;
    char chQuote;
    std::uint64_t delimiterEnable;
    std::uint64_t quoteEnable;
    std::uint64_t leadEnable;
    std::uint64_t trailCarry = 0;  // 1 when the next block starts with a trail byte
    std::uint64_t insideCarry = 0; // all ones while the next block starts inside quotes
};
