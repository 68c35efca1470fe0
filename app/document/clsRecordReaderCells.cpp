// Cutting and formatting cells on the program side from bytes Skiff has handed over whole.
#include "clsRecordReaderCells.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr char kGeta[] = "\x81\xAC";

size_t GeneralDouble(char* pOut, double value)
{
    return static_cast<size_t>(std::to_chars(pOut, pOut + clsRecordReaderCells::kNumberBytes, value,
                                             std::chars_format::general, 15)
                                   .ptr -
                               pOut);
}

} // namespace

size_t clsRecordReaderCells::CopyMended(char* pOut, const char* pText, size_t nLength,
                                        int& nSubstitutions)
{
    if (!EndsInLoneLead(pText, nLength)) {
        std::memcpy(pOut, pText, nLength);
        return nLength;
    }
    std::memcpy(pOut, pText, nLength - 1);
    pOut[nLength - 1] = kGeta[0];
    pOut[nLength] = kGeta[1];
    ++nSubstitutions;
    return nLength + 1;
}

// A decimal of at most 15 significant digits that reads back as the value is its nearest
// 15-digit decimal (a double's half step is below half a step of 15 digits), so that it is what
// %.15g writes, trailing zeros dropped, as long as it lies in %g's fixed range. Most stored
// amounts are such decimals with few places: finding them costs a fraction of a conversion
// with a precision; the others take the shortest digits, then the general conversion.
size_t clsRecordReaderCells::FormatDouble(char* pOut, double value)
{
    if (!std::isfinite(value))
        return GeneralDouble(pOut, value);
    static constexpr double kScale[] = {1, 10, 100, 1000, 10000};
    const double magnitude = std::fabs(value);
    for (int places = 0; places < 5; ++places) {
        const double scaled = std::nearbyint(magnitude * kScale[places]);
        if (scaled >= 1e15)
            break;
        if (scaled / kScale[places] == magnitude)
            return FixedDecimal(pOut, std::signbit(value), static_cast<int64_t>(scaled), places);
    }
    return ShortestDouble(pOut, value);
}

size_t clsRecordReaderCells::FixedDecimal(char* pOut, bool bNegative, int64_t nScaled, int lnPlaces)
{
    char digits[24];
    const int count =
        static_cast<int>(std::to_chars(digits, digits + sizeof digits, nScaled).ptr - digits);
    int places = lnPlaces;
    // Trailing zeros of the fraction are not written, nor a point without a fraction.
    while (places > 0 && digits[count - (lnPlaces - places) - 1] == '0')
        --places;
    const int used = count - (lnPlaces - places);
    char* out = pOut;
    if (bNegative)
        *out++ = '-';
    if (used <= places) {
        *out++ = '0';
        *out++ = '.';
        for (int i = used; i < places; ++i)
            *out++ = '0';
        std::memcpy(out, digits, static_cast<size_t>(used));
        out += used;
    } else {
        std::memcpy(out, digits, static_cast<size_t>(used - places));
        out += used - places;
        if (places > 0) {
            *out++ = '.';
            std::memcpy(out, digits + used - places, static_cast<size_t>(places));
            out += places;
        }
    }
    return static_cast<size_t>(out - pOut);
}

// The shortest digits that read back as the value, when there are at most 15 of them, are the
// nearest 15-digit decimal for the same reason.
size_t clsRecordReaderCells::ShortestDouble(char* pOut, double value)
{
    char shortest[kNumberBytes];
    const char* end =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific)
            .ptr;
    const char* p = shortest;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[24];
    int count = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.')
            continue;
        if (count == 15)
            return GeneralDouble(pOut, value);
        digits[count++] = *p;
    }
    int exponent = 0;
    if (p == end || std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent).ec != std::errc())
        return GeneralDouble(pOut, value);
    if (exponent < -4 || exponent >= 15)
        return GeneralDouble(pOut, value);
    char* out = pOut;
    if (negative)
        *out++ = '-';
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = exponent + 1; i < 0; ++i)
            *out++ = '0';
        std::memcpy(out, digits, static_cast<size_t>(count));
        out += count;
        return static_cast<size_t>(out - pOut);
    }
    const int whole = exponent + 1;
    for (int i = 0; i < whole; ++i)
        *out++ = i < count ? digits[i] : '0';
    if (count > whole) {
        *out++ = '.';
        std::memcpy(out, digits + whole, static_cast<size_t>(count - whole));
        out += count - whole;
    }
    return static_cast<size_t>(out - pOut);
}
