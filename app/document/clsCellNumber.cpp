// Cell texts read as the numbers of binary members.
#include "clsCellNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// For a decimal text that from_chars found out of range: whether it is too large rather than
// too small, from the decimal exponent of its first significant digit.
bool TooLarge(QByteArrayView text)
{
    qsizetype i = !text.isEmpty() && text[0] == '-' ? 1 : 0;
    long long magnitude = 0;
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        significant = significant || text[i] != '0';
        magnitude += significant ? 1 : 0;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            if (!significant && text[i] == '0')
                --magnitude;
            significant = significant || text[i] != '0';
        }
    }
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const char* begin = text.data() + i + 1;
        const char* end = text.data() + text.size();
        if (begin != end && *begin == '+')
            ++begin;
        if (std::from_chars(begin, end, exponent).ec == std::errc::result_out_of_range)
            exponent = begin != end && *begin == '-' ? std::numeric_limits<int>::min()
                                                     : std::numeric_limits<int>::max();
    }
    return exponent + magnitude > 0;
}

} // namespace

clsCellNumber clsCellNumber::Parse(QByteArrayView text, int memType)
{
    if (text.isEmpty())
        return {};
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+' && ++begin != end && *begin == '-')
        return {NotNumeric, 0};
    // An integer starts with a digit or the point: from_chars would also take "inf".
    const char* first = begin != end && *begin == '-' ? begin + 1 : begin;
    if (memType <= 2 && (first == end || !(IsDigit(*first) || *first == '.')))
        return {NotNumeric, 0};
    double value = 0;
    const auto [stop, code] = std::from_chars(begin, end, value);
    if (stop != end || code == std::errc::invalid_argument)
        return {NotNumeric, 0};
    if (code == std::errc::result_out_of_range) {
        if (TooLarge(QByteArrayView(begin, end)))
            return {Overflow, 0};
        value = 0;
    }
    switch (memType) {
    case 1:
    case 2: {
        // Rounding to nearest breaks ties to even.
        const double rounded = std::nearbyint(value);
        const double low = memType == 1 ? std::numeric_limits<int16_t>::min()
                                        : std::numeric_limits<int32_t>::min();
        const double high = memType == 1 ? std::numeric_limits<int16_t>::max()
                                         : std::numeric_limits<int32_t>::max();
        if (!(rounded >= low && rounded <= high))
            return {Overflow, 0};
        return {Value, rounded};
    }
    case 3:
        if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
            return {Overflow, 0};
        return {Value, value};
    default:
        return {Value, value};
    }
}
