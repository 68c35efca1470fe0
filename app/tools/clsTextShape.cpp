// Line end and delimiter guessing: byte counts that every character set shares.
#include "clsTextShape.h"

#include <algorithm>
#include <array>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using Bytes = const unsigned char*;

} // namespace

int clsTextShape::LineEnd(QByteArrayView bytes)
{
    auto s = reinterpret_cast<Bytes>(bytes.data());
    const size_t size = static_cast<size_t>(bytes.size());
    // A pair CR LF is one line end, every other CR and LF one of its own: three counts taken
    // sixteen bytes at a time, with byte-wide tallies summed before they can overflow.
    qint64 crlf = 0;
    qint64 anyCr = 0;
    qint64 anyLf = 0;
    size_t i = 0;
#ifdef __SSE2__
    const __m128i crs = _mm_set1_epi8('\r');
    const __m128i lfs = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    const auto total = [zero](__m128i tally) {
        const __m128i sums = _mm_sad_epu8(tally, zero);
        return static_cast<qint64>(_mm_cvtsi128_si32(sums) +
                                   _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    };
    while (i + 17 <= size) {
        __m128i tallyCr = zero;
        __m128i tallyLf = zero;
        __m128i tallyPair = zero;
        for (int round = 0; round < 255 && i + 17 <= size; ++round, i += 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 1));
            const __m128i isCr = _mm_cmpeq_epi8(here, crs);
            tallyCr = _mm_sub_epi8(tallyCr, isCr);
            tallyLf = _mm_sub_epi8(tallyLf, _mm_cmpeq_epi8(here, lfs));
            tallyPair = _mm_sub_epi8(tallyPair, _mm_and_si128(isCr, _mm_cmpeq_epi8(next, lfs)));
        }
        anyCr += total(tallyCr);
        anyLf += total(tallyLf);
        crlf += total(tallyPair);
    }
#endif
    for (; i < size; ++i) {
        anyCr += s[i] == '\r' ? 1 : 0;
        anyLf += s[i] == '\n' ? 1 : 0;
        crlf += s[i] == '\r' && i + 1 < size && s[i + 1] == '\n' ? 1 : 0;
    }
    const qint64 cr = anyCr - crlf;
    const qint64 lf = anyLf - crlf;
    if (crlf == 0 && cr == 0 && lf == 0)
        return 0;
    if (crlf >= cr && crlf >= lf)
        return 1;
    return cr >= lf ? 2 : 3;
}

QString clsTextShape::Delimiter(QByteArrayView bytes, int& nFields)
{
    auto s = reinterpret_cast<Bytes>(bytes.data());
    Bytes end = s + bytes.size();
    constexpr std::array<char, 3> kCandidates{',', '\t', ' '};
    constexpr int kLines = 1000;
    std::array<std::vector<int>, 3> counts;
    while (s < end && static_cast<int>(counts[0].size()) < kLines) {
        std::array<int, 3> line{};
        bool quoted = false;
        Bytes start = s;
        for (; s < end && *s != '\n' && *s != '\r'; ++s) {
            if (*s == '"')
                quoted = !quoted;
            for (size_t i = 0; i < kCandidates.size() && !quoted; ++i)
                line[i] += *s == static_cast<unsigned char>(kCandidates[i]) ? 1 : 0;
        }
        if (s > start) {
            for (size_t i = 0; i < kCandidates.size(); ++i)
                counts[i].push_back(line[i]);
        }
        while (s < end && (*s == '\n' || *s == '\r'))
            ++s;
    }
    nFields = counts[0].empty() ? 0 : 1;
    for (size_t i = 0; i < kCandidates.size(); ++i) {
        std::vector<int> sorted = counts[i];
        if (sorted.empty())
            continue;
        std::sort(sorted.begin(), sorted.end());
        const int median = sorted[sorted.size() / 2];
        const auto same = std::count(sorted.begin(), sorted.end(), median);
        if (median > 0 && same * 10 >= static_cast<qint64>(sorted.size()) * 9) {
            nFields = median + 1;
            return QString(QLatin1Char(kCandidates[i]));
        }
    }
    return {};
}
