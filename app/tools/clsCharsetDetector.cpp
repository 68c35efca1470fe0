// The character-set detector: one scan per candidate set, the likeliest first, cut short when lost.
#include "clsCharsetDetector.h"

#include "clsCharsetScan.h"
#include "clsFormatInfo.h"
#include "clsTextShape.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

using Bytes = const unsigned char*;

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
    // Mapped rather than copied: the scans read every byte once, and a copy would cost as
    // much as all of them together.
    const qint64 size = file.size();
    if (size > 0) {
        if (const uchar* mapped = file.map(0, size)) {
            clsDetection detection =
                Detect(QByteArrayView(reinterpret_cast<const char*>(mapped), size), bAllEvidence);
            file.unmap(const_cast<uchar*>(mapped));
            return detection;
        }
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
        // more, and they are counted in full only when all evidence is asked for.
        constexpr qint64 kHead = 64 << 10;
        Bytes head = s + std::min<qint64>(kHead, end - s);
        std::array<qint64, 4> headBad{};
        for (size_t i = 0; i < 4; ++i)
            headBad[i] = high ? clsCharsetScan::Scan(static_cast<int>(i) + 1, s, head, -1).nBad : 0;
        std::array<int, 4> order{0, 1, 2, 3};
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return headBad[static_cast<size_t>(a)] < headBad[static_cast<size_t>(b)];
        });
        qint64 best = -1;
        for (const int i : order) {
            clsCharsetEvidence& evidence = detection.evidence[static_cast<size_t>(i)];
            const qint64 cap = bAllEvidence || best < 0 ? -1 : std::max<qint64>(best - nuls, 0);
            const clsScan scan = clsCharsetScan::Scan(i + 1, s, end, cap);
            evidence.nUndecodable += scan.nBad;
            if (scan.bCut || (!bAllEvidence && best >= 0 && evidence.nUndecodable > best))
                continue;
            evidence.nOutside = scan.nOutside;
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
