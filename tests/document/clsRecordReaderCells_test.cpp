// Cells cut on the program side: lone lead bytes mended, doubles written as %.15g writes them.
#include "clsRecordReaderCells.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Formatted(double value)
{
    char out[clsRecordReaderCells::kNumberBytes];
    return std::string(out, clsRecordReaderCells::FormatDouble(out, value));
}

std::string General(double value)
{
    char out[clsRecordReaderCells::kNumberBytes];
    return std::string(
        out, std::to_chars(out, out + sizeof out, value, std::chars_format::general, 15).ptr);
}

std::string Mended(const std::string& text, int& substitutions)
{
    std::string out(text.size() + 2, '\0');
    out.resize(
        clsRecordReaderCells::CopyMended(out.data(), text.data(), text.size(), substitutions));
    return out;
}

} // namespace

TEST(clsRecordReaderCells, DoublesOfEveryKindAreWrittenAsWithPrecision15)
{
    const double kinds[] = {0.0,
                            -0.0,
                            0.1,
                            -2.5,
                            1234.25,
                            0.0001,
                            0.00012345,
                            0.00001,
                            1e300,
                            -1e-300,
                            1e14,
                            999999999999999.0,
                            1e15,
                            123456789012345.6,
                            0.30000000000000004,
                            1.0 / 3.0,
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (const double value : kinds)
        EXPECT_EQ(Formatted(value), General(value)) << General(value);
}

TEST(clsRecordReaderCells, RandomDoublesAreWrittenAsWithPrecision15)
{
    std::mt19937_64 random(15);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        if (i % 2 == 0) {
            const uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } else {
            // Short decimals, the usual content of a stored amount.
            const auto scaled = static_cast<double>(random() % 100000000000ull);
            value = scaled / std::pow(10.0, static_cast<double>(random() % 9)) *
                    (random() % 2 == 0 ? 1 : -1);
        }
        ASSERT_EQ(Formatted(value), General(value)) << i;
    }
}

TEST(clsRecordReaderCells, LoneLeadByteAtTheEndBecomesACountedGeta)
{
    int substitutions = 0;
    EXPECT_EQ(Mended("ab\x93", substitutions), "ab\x81\xAC");
    // 日 whole, and a run of four lead-range bytes that pair up.
    EXPECT_EQ(Mended("\x93\xFA", substitutions), "\x93\xFA");
    EXPECT_EQ(Mended("\x93\xFA\x96\x93", substitutions), "\x93\xFA\x96\x93");
    EXPECT_EQ(Mended("a\x93\xFA\x96", substitutions), "a\x93\xFA\x81\xAC");
    EXPECT_EQ(Mended("", substitutions), "");
    EXPECT_EQ(substitutions, 2);
}
