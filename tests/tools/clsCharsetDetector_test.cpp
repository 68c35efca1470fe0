// Character-set evidence: each set and line end, BOMs, JIS shifts, ASCII and mixed files.
#include "clsCharsetDetector.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// "日本" and the half-width katakana "ｱ" in each set.
const QByteArray kSjis("\x93\xFA\x96\x7B");
const QByteArray kEuc("\xC6\xFC\xCB\xDC");
const QByteArray kUtf8("\xE6\x97\xA5\xE6\x9C\xAC");
const QByteArray kJis("\x1B$BF|K\\\x1B(B");
// "あ" in UTF-8: its last byte and a delimiter are no Shift-JIS pair.
const QByteArray kUtf8A("\xE3\x81\x82");
const QByteArray kJisKana("\x1B(I1\x1B(B");

QByteArray Lines(const QByteArray& word, const QByteArray& end, char delimiter = ',')
{
    QByteArray text;
    for (int i = 0; i < 5; ++i)
        text += word + delimiter + QByteArray::number(i) + delimiter + "x" + end;
    return text;
}

const clsCharsetEvidence& Evidence(const clsDetection& detection, int charSet)
{
    return detection.evidence.at(static_cast<size_t>(charSet - 1));
}

TEST(clsCharsetDetector, ShiftJisWithCrLfAndCommas)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines(kSjis, "\r\n"));
    EXPECT_EQ(detection.szCharSet, u"Shift-JIS"_s);
    EXPECT_EQ(detection.lnCRLF, 1);
    EXPECT_EQ(detection.szDelimiter, u","_s);
    EXPECT_EQ(detection.nFields, 3);
}

TEST(clsCharsetDetector, EucWithLfAndTabs)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines(kEuc, "\n", '\t'));
    EXPECT_EQ(detection.szCharSet, u"EUC"_s);
    EXPECT_EQ(detection.lnCharSet, 3);
    EXPECT_EQ(detection.lnCRLF, 3);
    EXPECT_EQ(detection.szDelimiter, u"\t"_s);
}

TEST(clsCharsetDetector, Utf8WithCrAndSpaces)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines(kUtf8, "\r", ' '));
    EXPECT_EQ(detection.szCharSet, u"UTF-8"_s);
    EXPECT_EQ(detection.lnCRLF, 2);
    EXPECT_EQ(detection.szDelimiter, u" "_s);
    EXPECT_TRUE(Evidence(detection, 4).Fits());
}

TEST(clsCharsetDetector, Utf8WithBom)
{
    const clsDetection detection =
        clsCharsetDetector::Detect(QByteArray("\xEF\xBB\xBF") + Lines(kUtf8, "\n"));
    EXPECT_EQ(detection.szCharSet, u"UTF-8+BOM"_s);
    EXPECT_EQ(detection.lnCharSet, 4);
    // The BOM itself is no field text: the first line still has three fields.
    EXPECT_EQ(detection.nFields, 3);
}

TEST(clsCharsetDetector, AsciiBomOnlyIsUtf8WithBom)
{
    EXPECT_EQ(clsCharsetDetector::Detect(QByteArray("\xEF\xBB\xBF"
                                                    "a,b\n"))
                  .szCharSet,
              u"UTF-8+BOM"_s);
}

TEST(clsCharsetDetector, JisKanjiShift)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines(kJis, "\r\n"));
    EXPECT_EQ(detection.szCharSet, u"JIS"_s);
    EXPECT_TRUE(Evidence(detection, 2).Fits());
}

TEST(clsCharsetDetector, JisHalfWidthKatakanaShift)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines(kJisKana, "\n"));
    EXPECT_EQ(detection.szCharSet, u"JIS"_s);
    EXPECT_EQ(detection.lnCharSet, 2);
}

TEST(clsCharsetDetector, AsciiFitsEveryCandidate)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines("abc", "\n"), true);
    EXPECT_EQ(detection.szCharSet, u"ASCII"_s);
    EXPECT_EQ(detection.lnCharSet, 0);
    for (const clsCharsetEvidence& evidence : detection.evidence)
        EXPECT_TRUE(evidence.Fits()) << evidence.lnCharSet;
}

TEST(clsCharsetDetector, MixedShiftJisAndUtf8FitsNeither)
{
    const clsDetection detection =
        clsCharsetDetector::Detect(Lines(kSjis, "\n") + Lines(kUtf8A, "\n"), true);
    for (const clsCharsetEvidence& evidence : detection.evidence)
        EXPECT_FALSE(evidence.Fits()) << evidence.lnCharSet;
    EXPECT_GT(Evidence(detection, 1).nUndecodable + Evidence(detection, 1).nOutside, 0);
    EXPECT_GT(Evidence(detection, 4).nUndecodable, 0);
}

TEST(clsCharsetDetector, MixedPicksTheSetWithFewestUndecodableBytes)
{
    // Shift-JIS reads the EUC words, but only through codes outside JIS X 0208.
    QByteArray text = Lines(kEuc, "\n");
    text += kSjis + "\n";
    const clsDetection detection = clsCharsetDetector::Detect(text, true);
    EXPECT_EQ(detection.szCharSet, u"EUC"_s);
    EXPECT_GT(Evidence(detection, 3).nUndecodable, 0);
}

TEST(clsCharsetDetector, CodesOutsideJisX0208AreCountedNotUndecodable)
{
    // "①" (a CP932 extension, 0x8740) twice.
    const clsDetection detection =
        clsCharsetDetector::Detect(Lines(kSjis + "\x87\x40\x87\x40", "\r\n"), true);
    EXPECT_EQ(detection.szCharSet, u"Shift-JIS"_s);
    EXPECT_EQ(Evidence(detection, 1).nUndecodable, 0);
    EXPECT_EQ(Evidence(detection, 1).nOutside, 10);
}

TEST(clsCharsetDetector, NoLineEndAndNoDelimiter)
{
    const clsDetection detection = clsCharsetDetector::Detect(QByteArray("abc"));
    EXPECT_EQ(detection.lnCRLF, 0);
    EXPECT_TRUE(detection.szDelimiter.isEmpty());
    EXPECT_EQ(clsCharsetDetector::SummaryLine(u"f"_s, detection), u"f\tASCII\t-\t-\t1"_s);
}

TEST(clsCharsetDetector, SummaryLineNamesTabs)
{
    const clsDetection detection = clsCharsetDetector::Detect(Lines(kEuc, "\n", '\t'));
    EXPECT_EQ(clsCharsetDetector::SummaryLine(u"a.tsv"_s, detection), u"a.tsv\tEUC\tLF\tTAB\t3"_s);
}

TEST(clsCharsetDetector, EvidenceHasOneLinePerCandidate)
{
    const QStringList lines =
        clsCharsetDetector::EvidenceLines(clsCharsetDetector::Detect(Lines(kSjis, "\n"), true));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains(u"Shift-JIS"_s));
    EXPECT_TRUE(lines[0].contains(u"変換できないバイト 0"_s));
}

TEST(clsCharsetDetector, CleanAlternativeOnlyWhenItFits)
{
    const clsDetection euc = clsCharsetDetector::Detect(Lines(kEuc, "\n"));
    EXPECT_EQ(clsCharsetDetector::CleanAlternative(euc, 1), 3);
    EXPECT_EQ(clsCharsetDetector::CleanAlternative(euc, 3), 0);
    const clsDetection mixed = clsCharsetDetector::Detect(Lines(kSjis, "\n") + Lines(kUtf8A, "\n"));
    EXPECT_EQ(clsCharsetDetector::CleanAlternative(mixed, 3), 0);
}

TEST(clsCharsetDetector, UnreadableFileNamesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"missing.csv"_s);
    const clsDetection detection = clsCharsetDetector::DetectFile(path);
    EXPECT_TRUE(detection.szError.startsWith(path));
}

TEST(clsCharsetDetector, FileIsReadWhole)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"late.csv"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Two megabytes of ASCII and one EUC word at the very end.
    file.write(QByteArray(2 << 20, 'a') + "\n" + kEuc + "\n");
    file.close();
    EXPECT_EQ(clsCharsetDetector::DetectFile(file.fileName()).szCharSet, u"EUC"_s);
}

} // namespace
