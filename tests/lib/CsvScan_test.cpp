// The block scanner against a byte-by-byte reading of the quote and trail-byte rules.
#include "CsvScan.h"
#include "FieldText.h"
#include "SkiffTempDir.h"
#include "XString.h"
#include "skiff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct RefLine
{
    std::string text;
    int columns;
};

// The rules as a byte-at-a-time state machine with the pending flag of doubled quotes: the
// scanner's quote toggling must agree with it everywhere.
class Reference
{
public:
    Reference(char chDelimiter, char chQuote) : delimiter(chDelimiter), quote(chQuote) {}

    std::vector<RefLine> Lines(const std::string& text, bool bCareQuote) const
    {
        std::vector<RefLine> lines;
        const std::size_t size = text.size();
        std::size_t start = 0;
        while (start < size) {
            std::size_t i = start;
            State state;
            int columns = 1;
            while (i < size && !(IsLineEnd(text[i]) && (!bCareQuote || !state.inQuotes))) {
                if (bCareQuote && Step(state, text, i)) {
                    ++columns;
                }
                ++i;
            }
            lines.push_back({text.substr(start, i - start), bCareQuote ? columns : 0});
            start = i + (i + 1 < size && text[i] == '\r' && text[i + 1] == '\n' ? 2 : 1);
        }
        return lines;
    }

    std::vector<std::string> Columns(const std::string& line) const
    {
        std::vector<std::string> columns;
        State state;
        std::size_t start = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (Step(state, line, i)) {
                columns.push_back(line.substr(start, i - start));
                start = i + 1;
            }
        }
        columns.push_back(line.substr(start));
        return columns;
    }

private:
    struct State
    {
        bool inQuotes = false;
        bool pending = false;
        bool trail = false;
    };

    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    // True when the byte at i is a delimiter that ends a column.
    bool Step(State& state, const std::string& text, std::size_t i) const
    {
        const char c = text[i];
        if (state.trail) {
            state.trail = false;
            return false;
        }
        bool ends = false;
        if (!state.inQuotes && c == delimiter) {
            ends = true;
        } else if (c == quote) {
            const bool doubled = i + 1 < text.size() && text[i + 1] == quote;
            if (!state.inQuotes && !state.pending) {
                state.inQuotes = true;
            } else if (doubled) {
                state.pending = !state.pending;
            } else if (state.pending) {
                state.pending = false;
            } else {
                state.inQuotes = false;
            }
        }
        state.trail = skiff::IsLeadByte(static_cast<unsigned char>(c));
        return ends;
    }

    char delimiter;
    char quote;
};

std::string RandomText(std::mt19937& random, std::size_t length)
{
    static const char alphabet[] = {'a',    'b',    ',',    ',',    '"',   '"',    '\'',
                                    '|',    '\t',   ' ',    '\r',   '\n',  '\x81', '\x88',
                                    '\x9F', '\xE0', '\x5C', '\x7C', '\xB1'};
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += alphabet[random() % sizeof alphabet];
    }
    return text;
}

// What the reader hands out for a raw line or column: malformed bytes mended.
std::string Mended(const std::string& raw)
{
    const int length = static_cast<int>(raw.size());
    std::string text(static_cast<std::size_t>(skiff::MendedLength(raw.data(), length, true)) + 1,
                     '\0');
    skiff::CopyMended(raw.data(), length, true, text.data());
    text.pop_back();
    return text;
}

class CsvScan : public SkiffFileTest
{};

TEST_F(CsvScan, VectorAndScalarMasksAgree)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        unsigned char block[64];
        for (unsigned char& byte : block) {
            byte = static_cast<unsigned char>(random());
        }
        const char delimiter = static_cast<char>(random());
        const char quote = static_cast<char>(random());
        const XByteMasks vector = XCsvScan::Masks(block, delimiter, quote);
        const XByteMasks scalar = XCsvScan::ScalarMasks(block, delimiter, quote);
        ASSERT_EQ(vector.delimiter, scalar.delimiter);
        ASSERT_EQ(vector.quote, scalar.quote);
        ASSERT_EQ(vector.lineEnd, scalar.lineEnd);
        ASSERT_EQ(vector.lead, scalar.lead);
        ASSERT_EQ(vector.nul, scalar.nul);
    }
}

TEST_F(CsvScan, CountsBits)
{
    EXPECT_EQ(XCsvScan::CountBits(0), 0);
    EXPECT_EQ(XCsvScan::CountBits(~std::uint64_t(0)), 64);
    EXPECT_EQ(XCsvScan::CountBits(0x8000000000000101ull), 3);
}

// Random files over the bytes that matter, read both ways, with lines across block boundaries.
TEST_F(CsvScan, ReaderAgreesWithTheByteRules)
{
    const std::vector<std::pair<char, char>> settings = {{',', '"'},    {'\t', '"'}, {'|', '\''},
                                                         {'\x81', '"'}, {',', ','},  {'\r', '"'}};
    std::mt19937 random(11);
    const std::string path = temp.Path("random.csv");
    for (int round = 0; round < 1000; ++round) {
        const auto [delimiter, quote] = settings[static_cast<std::size_t>(round) % settings.size()];
        const bool careQuote = round % 3 != 0;
        const std::string text = RandomText(random, random() % (round % 10 == 0 ? 400 : 60));
        temp.Write("random.csv", text);
        const char delimiterText[] = {delimiter, '\0'};
        const char quoteText[] = {quote, '\0'};
        ASSERT_EQ(ReadTxtIni(path.c_str(), delimiterText, quoteText, 1, careQuote ? 1 : 0), 0);

        const Reference reference(delimiter, quote);
        const std::vector<RefLine> lines = reference.Lines(text, careQuote);
        ASSERT_EQ(GetTxtRowCnt(), static_cast<int>(lines.size())) << round;
        for (int row = 1; row <= GetTxtRowCnt(); ++row) {
            const RefLine& line = lines[static_cast<std::size_t>(row) - 1];
            ASSERT_EQ(GetTxtLineLen(row), static_cast<int>(Mended(line.text).size())) << round;
            ASSERT_EQ(GetTxtColCnt(row), line.columns) << round;
            const std::vector<std::string> columns = reference.Columns(line.text);
            for (int col = 1; col <= static_cast<int>(columns.size()) + 1; ++col) {
                const std::string expected =
                    Mended(col <= static_cast<int>(columns.size()) ? columns[col - 1] : "");
                ASSERT_EQ(GetTxtColLen(row, col), static_cast<int>(expected.size())) << round;
                std::vector<char> buffer(expected.size() + 1);
                ASSERT_EQ(GetTxtCol(buffer.data(), static_cast<int>(buffer.size()), row, col, 0, 0),
                          0);
                ASSERT_EQ(std::string(buffer.data()), expected)
                    << round << " " << row << " " << col;
            }
        }
    }
}

} // namespace
