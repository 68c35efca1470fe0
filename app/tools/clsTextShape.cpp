// Line end and delimiter guessing: byte counts that every character set shares.
#include "clsTextShape.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Bytes = const unsigned char*;

} // namespace

int clsTextShape::LineEnd(QByteArrayView bytes)
{
    auto s = reinterpret_cast<Bytes>(bytes.data());
    Bytes end = s + bytes.size();
    qint64 crlf = 0;
    qint64 cr = 0;
    qint64 lf = 0;
    for (; s < end; ++s) {
        if (*s == '\r') {
            if (s + 1 < end && s[1] == '\n') {
                ++crlf;
                ++s;
            } else {
                ++cr;
            }
        } else if (*s == '\n') {
            ++lf;
        }
    }
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
