// The character-set detector: structural scans narrow the field, Skiff's converters decide.
#include "clsCharsetDetector.h"

#include "clsFormatInfo.h"
#include "clsSkiff.h"
#include "clsTextShape.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace {

using Bytes = const unsigned char*;

// Bytes that no candidate decodes (NUL) and invalid sequences of one candidate. A mark is one
// substitution as Skiff makes it, which may cover several invalid bytes.
struct clsScan
{
    qint64 nBad = 0;
    qint64 nMarks = 0;
    // The scan stopped early, past the most bad bytes a winner could have: nBad is a floor.
    bool bCut = false;
};

// Whether a scan with lnCap (-1: none) may stop: its candidate can no longer win.
inline bool Cut(clsScan& scan, qint64 nCap)
{
    scan.bCut = nCap >= 0 && scan.nBad > nCap;
    return scan.bCut;
}

constexpr bool InRange(unsigned c, unsigned low, unsigned high)
{
    return c >= low && c <= high;
}

clsScan ScanSjis(Bytes s, Bytes end, qint64 nCap)
{
    clsScan scan;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80 || InRange(c, 0xA1, 0xDF)) {
            ++s;
        } else if ((InRange(c, 0x81, 0x9F) || InRange(c, 0xE0, 0xFC)) && s + 1 < end &&
                   (InRange(s[1], 0x40, 0x7E) || InRange(s[1], 0x80, 0xFC))) {
            s += 2;
        } else {
            ++scan.nBad;
            ++scan.nMarks;
            ++s;
            if (Cut(scan, nCap))
                return scan;
        }
    }
    return scan;
}

// A JIS file is seven-bit: every byte above 0x7F is foreign to it.
clsScan ScanJis(Bytes s, Bytes end, qint64 nCap)
{
    clsScan scan;
    for (; s < end; ++s) {
        if (*s >= 0x80) {
            ++scan.nBad;
            ++scan.nMarks;
            if (Cut(scan, nCap))
                return scan;
        }
    }
    return scan;
}

clsScan ScanEuc(Bytes s, Bytes end, qint64 nCap)
{
    clsScan scan;
    while (s < end) {
        const unsigned c = *s;
        const unsigned next = s + 1 < end ? s[1] : 0;
        if (c < 0x80) {
            ++s;
        } else if (InRange(c, 0xA1, 0xFE) && InRange(next, 0xA1, 0xFE)) {
            s += 2;
        } else if (c == 0x8E && InRange(next, 0xA1, 0xDF)) {
            s += 2;
        } else if (c == 0x8F && InRange(next, 0xA1, 0xFE) && s + 2 < end &&
                   InRange(s[2], 0xA1, 0xFE)) {
            s += 3;
        } else {
            ++scan.nBad;
            ++scan.nMarks;
            ++s;
            if (Cut(scan, nCap))
                return scan;
        }
    }
    return scan;
}

// Length of a well-formed UTF-8 sequence at s, or 0.
int Utf8Length(Bytes s, Bytes end)
{
    const unsigned c = *s;
    const auto follows = [&](int i) { return s + i < end && (s[i] & 0xC0) == 0x80; };
    if (InRange(c, 0xC2, 0xDF))
        return follows(1) ? 2 : 0;
    if (InRange(c, 0xE0, 0xEF)) {
        if (!follows(1) || !follows(2))
            return 0;
        const unsigned wide = ((c & 0x0F) << 12) | ((s[1] & 0x3Fu) << 6);
        return wide >= 0x800 ? 3 : 0;
    }
    if (InRange(c, 0xF0, 0xF4))
        return follows(1) && follows(2) && follows(3) && !(c == 0xF0 && s[1] < 0x90) ? 4 : 0;
    return 0;
}

clsScan ScanUtf8(Bytes s, Bytes end, qint64 nCap)
{
    clsScan scan;
    while (s < end) {
        if (*s < 0x80) {
            ++s;
            continue;
        }
        const int length = Utf8Length(s, end);
        if (length > 0) {
            s += length;
            continue;
        }
        // Skiff marks a stray byte and the continuation bytes behind it once.
        ++scan.nMarks;
        ++scan.nBad;
        ++s;
        for (; s < end && (*s & 0xC0) == 0x80; ++s)
            ++scan.nBad;
        if (Cut(scan, nCap))
            return scan;
    }
    return scan;
}

// Two-byte codes of a converted text outside the rows JIS X 0208 fills (1-8 and 16-84), such
// as the vendor rows of Shift-JIS: they decode, yet other programs may not read them back.
qint64 OutsideRows(bool bEuc, Bytes s, Bytes end)
{
    qint64 count = 0;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80) {
            ++s;
            continue;
        }
        if (bEuc) {
            if (c == 0x8E) {
                s += 2;
                continue;
            }
            count += InRange(c, 0xA9, 0xAF) || c >= 0xF5 ? 1 : 0;
        } else {
            if (InRange(c, 0xA1, 0xDF)) {
                ++s;
                continue;
            }
            const unsigned trail = s + 1 < end ? s[1] : 0;
            count += InRange(c, 0x85, 0x87) || (c == 0x88 && trail < 0x9F) || c >= 0xEB ? 1 : 0;
        }
        s += 2;
    }
    return count;
}

// Characters outside JIS X 0208 when Skiff's converter reads the whole content as lnCharSet:
// the ones it substitutes (less the marks of undecodable bytes) and the ones it carries into
// rows that standard leaves empty. Converters take NUL-terminated text, so the content goes
// in pieces ending at a line end (or a NUL, which the structural scan has already counted).
qint64 SkiffOutside(int lnCharSet, Bytes s, Bytes end, qint64 nMarks)
{
    constexpr qint64 kPiece = 1 << 20;
    using Converter = int (*)(const char*, char*);
    Converter convert = nullptr;
    switch (lnCharSet) {
    case 1:
        convert = [](const char* src, char* dst) { return skiff::SJIStoEUC(src, dst); };
        break;
    case 2:
        convert = [](const char* src, char* dst) { return skiff::JIStoEUC(src, dst); };
        break;
    case 3:
        convert = [](const char* src, char* dst) { return skiff::EUCtoSJIS(src, dst); };
        break;
    default:
        convert = [](const char* src, char* dst) { return skiff::UNICODEtoEUC(src, dst); };
        break;
    }
    const bool bEuc = lnCharSet != 3;
    std::string piece;
    std::string target;
    const int before = skiff::GetConvErrCnt();
    qint64 rows = 0;
    while (s < end) {
        Bytes stop = s + std::min(kPiece, static_cast<qint64>(end - s));
        if (stop < end) {
            const auto* newline =
                static_cast<Bytes>(std::memchr(stop, '\n', static_cast<size_t>(end - stop)));
            stop = newline != nullptr ? newline + 1 : end;
        }
        piece.assign(reinterpret_cast<const char*>(s), static_cast<size_t>(stop - s));
        // No converter writes more than two bytes for one byte read.
        target.resize(piece.size() * 2 + 16);
        for (size_t at = 0; at < piece.size();) {
            const char* text = piece.c_str() + at;
            const size_t length = std::strlen(text);
            if (length > 0) {
                const int written = convert(text, target.data());
                const auto* out = reinterpret_cast<Bytes>(target.data());
                rows += OutsideRows(bEuc, out, out + std::max(written, 0));
            }
            at += length + 1;
        }
        s = stop;
    }
    const qint64 substituted = static_cast<qint64>(skiff::GetConvErrCnt()) - before;
    return std::max<qint64>(0, substituted - nMarks) + rows;
}

bool HasShift(Bytes s, Bytes end)
{
    for (; s + 2 < end; ++s) {
        if (*s == 0x1B && ((s[1] == '$' && s[2] == 'B') || (s[1] == '(' && s[2] == 'I')))
            return true;
    }
    return false;
}

// Order of preference among sets that fit equally: a JIS shift or a valid UTF-8 sequence is
// hard to produce by accident, EUC's paired high bytes less so, Shift-JIS takes almost anything.
constexpr std::array<int, 4> kPreference{2, 4, 3, 1};

} // namespace

clsDetection clsCharsetDetector::DetectFile(const QString& szPath, bool bAllEvidence)
{
    QFile file(szPath);
    if (!file.open(QIODevice::ReadOnly)) {
        clsDetection failed;
        failed.szError = szPath + u": ファイルを開けません ("_s + file.errorString() + u")。"_s;
        return failed;
    }
    const QByteArray content = file.readAll();
    return Detect(content, bAllEvidence);
}

clsDetection clsCharsetDetector::Detect(QByteArrayView bytes, bool bAllEvidence)
{
    clsDetection detection;
    auto s = reinterpret_cast<Bytes>(bytes.data());
    Bytes end = s + bytes.size();
    const bool bom = bytes.size() >= 3 && std::memcmp(s, "\xEF\xBB\xBF", 3) == 0;
    if (bom)
        s += 3;
    const QByteArrayView text(reinterpret_cast<const char*>(s), end - s);
    detection.lnCRLF = clsTextShape::LineEnd(text);
    detection.szDelimiter = clsTextShape::Delimiter(text, detection.nFields);

    const qint64 nuls = std::count(s, end, 0);
    const bool high = std::any_of(s, end, [](unsigned char c) { return c >= 0x80; });
    const bool shift = !high && HasShift(s, end);
    const std::array<clsScan (*)(Bytes, Bytes, qint64), 4> scanners{ScanSjis, ScanJis, ScanEuc,
                                                                    ScanUtf8};
    detection.evidence.resize(4);
    for (int i = 0; i < 4; ++i) {
        detection.evidence[static_cast<size_t>(i)].lnCharSet = i + 1;
        detection.evidence[static_cast<size_t>(i)].nUndecodable = nuls;
    }
    // Seven-bit text without a shift reads alike in every set: nothing to convert.
    if (!high && !shift) {
        for (clsCharsetEvidence& evidence : detection.evidence)
            evidence.bChecked = true;
    } else {
        // The likeliest sets first, as the head of the file suggests: once one reads the
        // whole file with few problems, the scans of the others stop as soon as they have
        // more, and they are converted only when all evidence is asked for.
        constexpr qint64 kHead = 64 << 10;
        Bytes head = s + std::min<qint64>(kHead, end - s);
        std::array<qint64, 4> headBad{};
        for (size_t i = 0; i < 4; ++i)
            headBad[i] = high ? scanners[i](s, head, -1).nBad : 0;
        std::array<int, 4> order{0, 1, 2, 3};
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return headBad[static_cast<size_t>(a)] < headBad[static_cast<size_t>(b)];
        });
        qint64 best = -1;
        for (const int i : order) {
            clsCharsetEvidence& evidence = detection.evidence[static_cast<size_t>(i)];
            const qint64 cap = bAllEvidence || best < 0 ? -1 : std::max<qint64>(best - nuls, 0);
            const clsScan scan = high ? scanners[static_cast<size_t>(i)](s, end, cap) : clsScan{};
            evidence.nUndecodable += scan.nBad;
            if (scan.bCut || (!bAllEvidence && best >= 0 && evidence.nUndecodable > best))
                continue;
            evidence.nOutside = SkiffOutside(i + 1, s, end, scan.nMarks);
            evidence.bChecked = true;
            const qint64 totalProblems = evidence.nUndecodable + evidence.nOutside;
            best = best < 0 ? totalProblems : std::min(best, totalProblems);
        }
    }

    if (bom) {
        detection.szCharSet = u"UTF-8+BOM"_s;
        detection.lnCharSet = 4;
        return detection;
    }
    if (!high && !shift) {
        detection.szCharSet = u"ASCII"_s;
        return detection;
    }
    // The fewest bytes and characters that would not survive a load.
    const clsCharsetEvidence* best = nullptr;
    for (const int candidate : kPreference) {
        const clsCharsetEvidence& evidence = detection.evidence[candidate - 1];
        if (!evidence.bChecked || (candidate == 2 && !shift))
            continue;
        if (best == nullptr ||
            evidence.nUndecodable + evidence.nOutside < best->nUndecodable + best->nOutside)
            best = &evidence;
    }
    if (best == nullptr)
        best = &detection.evidence[0];
    detection.lnCharSet = best->lnCharSet;
    detection.szCharSet = CharSetName(best->lnCharSet);
    return detection;
}

QString clsCharsetDetector::SummaryLine(const QString& szFile, const clsDetection& detection)
{
    QString delimiter = u"-"_s;
    if (detection.szDelimiter == u"\t"_s)
        delimiter = u"TAB"_s;
    else if (detection.szDelimiter == u" "_s)
        delimiter = u"SPACE"_s;
    else if (!detection.szDelimiter.isEmpty())
        delimiter = detection.szDelimiter;
    const QString fields = detection.nFields > 0 ? QString::number(detection.nFields) : u"-"_s;
    return szFile + u'\t' + detection.szCharSet + u'\t' + LineEndName(detection.lnCRLF) + u'\t' +
           delimiter + u'\t' + fields;
}

QStringList clsCharsetDetector::EvidenceLines(const clsDetection& detection)
{
    QStringList lines;
    for (const clsCharsetEvidence& evidence : detection.evidence) {
        QString line = u"  "_s + CharSetName(evidence.lnCharSet) + u":\t"_s;
        if (!evidence.bChecked) {
            line += u"変換できないバイト "_s + QString::number(evidence.nUndecodable) +
                    u"、JIS X 0208 外の文字 -"_s;
        } else {
            line += u"変換できないバイト "_s + QString::number(evidence.nUndecodable) +
                    u"、JIS X 0208 外の文字 "_s + QString::number(evidence.nOutside);
        }
        lines.append(line);
    }
    return lines;
}

int clsCharsetDetector::CleanAlternative(const clsDetection& detection, int lnExcept)
{
    if (detection.lnCharSet == 0 || detection.lnCharSet == lnExcept)
        return 0;
    const clsCharsetEvidence& evidence = detection.evidence[detection.lnCharSet - 1];
    return evidence.Fits() ? detection.lnCharSet : 0;
}

QString clsCharsetDetector::CharSetName(int lnCharSet)
{
    // The program's own names; a file every candidate reads alike is plain ASCII.
    const QString name = gFormatInfo().GetCharSetAsName(lnCharSet);
    return name.isEmpty() ? u"ASCII"_s : name;
}

QString clsCharsetDetector::LineEndName(int lnCRLF)
{
    const QString name = gFormatInfo().GetCRLFAsName(lnCRLF);
    return name.isEmpty() ? u"-"_s : name;
}
