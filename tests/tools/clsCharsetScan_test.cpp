// The detector's scans against Skiff's converters: the characters they count as outside JIS
// X 0208 are those a conversion of the whole text substitutes or puts into vendor rows.
#include "clsCharsetScan.h"
#include "clsSkiff.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

using Bytes = const unsigned char*;

// Two-byte codes in rows 9-15 and 85-94 of a converted text (EUC-JP or Shift-JIS).
qint64 VendorRows(bool bEuc, Bytes s, Bytes end)
{
    qint64 count = 0;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80 || (!bEuc && c >= 0xA1 && c <= 0xDF)) {
            ++s;
            continue;
        }
        if (bEuc && c == 0x8E) {
            s += 2;
            continue;
        }
        const unsigned trail = s + 1 < end ? s[1] : 0;
        count += bEuc ? (c >= 0xA9 && c <= 0xAF) || c >= 0xF5
                      : (c >= 0x85 && c <= 0x87) || (c == 0x88 && trail < 0x9F) || c >= 0xEB;
        s += 2;
    }
    return count;
}

// The whole text through the converter, in NUL-terminated pieces ending at a line end after
// each megabyte: substitutions beyond the scan's marks, and vendor rows.
qint64 ConvertedOutside(int charSet, const QByteArray& text, qint64 nMarks)
{
    using Converter = int (*)(const char*, char*);
    const Converter convert =
        charSet == 1   ? Converter([](const char* a, char* b) { return skiff::SJIStoEUC(a, b); })
        : charSet == 2 ? Converter([](const char* a, char* b) { return skiff::JIStoEUC(a, b); })
        : charSet == 3
            ? Converter([](const char* a, char* b) { return skiff::EUCtoSJIS(a, b); })
            : Converter([](const char* a, char* b) { return skiff::UNICODEtoEUC(a, b); });
    const int before = skiff::GetConvErrCnt();
    qint64 rows = 0;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype stop = std::min<qsizetype>(text.size(), at + (1 << 20));
        if (stop < text.size()) {
            const qsizetype newline = text.indexOf('\n', stop);
            stop = newline < 0 ? text.size() : newline + 1;
        }
        const std::string piece = text.mid(at, stop - at).toStdString();
        std::string target(piece.size() * 2 + 16, '\0');
        for (size_t part = 0; part < piece.size();) {
            const char* source = piece.c_str() + part;
            const size_t length = std::strlen(source);
            if (length > 0) {
                const int written = convert(source, target.data());
                const auto* out = reinterpret_cast<Bytes>(target.data());
                rows += VendorRows(charSet != 3, out, out + std::max(written, 0));
            }
            part += length + 1;
        }
        at = stop;
    }
    const qint64 substituted = skiff::GetConvErrCnt() - before;
    return std::max<qint64>(0, substituted - nMarks) + rows;
}

// Characters of every set, vendor and unassigned codes, broken sequences, shifts, NULs and
// line ends, mixed at random.
const char* const kPieces[] = {
    "a",
    "abcdefghij",
    "~",
    "\x7f",
    "\r\n",
    "\n",
    ",",
    "",
    "\x93\xfa",
    "\x87\x40",
    "\x88\x9e",
    "\x88\x9f",
    "\xeb\x40",
    "\xf0\x40",
    "\x81\xad",
    "\xb1",
    "\x80",
    "\xfd",
    "\x82",
    "\xc6\xfc",
    "\xa9\xa1",
    "\xf5\xa1",
    "\xa2\xaf",
    "\x8e\xb1",
    "\x8f\xa2\xaf",
    "\xa1",
    "\x1b$B",
    "\x1b(B",
    "\x1b(I",
    "F|",
    "-!",
    "t%",
    "\"/",
    "1",
    "\xe6\x97\xa5",
    "\xef\xbd\xb1",
    "\xe2\x80\xbe",
    "\xc2\xa5",
    "\xc2\xa7",
    "\xe2\x91\xa0",
    "\xf0\x9f\x98\x80",
    "\xf0\x9f\x98\x80\x80",
    "\xed\xa0\x80",
    "\xe0\x80\x80",
    "\xc0\xaf",
    "\xe3\x81",
};

QByteArray Mixed(std::mt19937& random, int pieces)
{
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    QByteArray text;
    for (int i = 0; i < pieces; ++i) {
        const size_t which = pick(random);
        // The empty piece stands for a NUL, which a C string cannot hold.
        text += which == 7 ? QByteArray(1, '\0') : QByteArray(kPieces[which]);
    }
    return text;
}

void ExpectLikeTheConverter(int charSet, const QByteArray& text)
{
    const auto* s = reinterpret_cast<Bytes>(text.constData());
    const clsScan scan = clsCharsetScan::Scan(charSet, s, s + text.size(), -1);
    EXPECT_FALSE(scan.bCut);
    EXPECT_EQ(scan.nOutside, ConvertedOutside(charSet, text, scan.nMarks))
        << "set " << charSet << ": " << text.left(200).toHex(' ').toStdString();
}

} // namespace

TEST(clsCharsetScan, CountsWhatTheConverterSubstitutesInMixedTexts)
{
    std::mt19937 random(14);
    for (int round = 0; round < 300; ++round) {
        const QByteArray text = Mixed(random, round % 50);
        for (int charSet = 1; charSet <= 4; ++charSet)
            ExpectLikeTheConverter(charSet, text);
    }
}

TEST(clsCharsetScan, CountsWhatTheConverterSubstitutesInRandomBytes)
{
    std::mt19937 random(15);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        QByteArray text;
        for (int i = 0; i < round; ++i)
            text += static_cast<char>(byte(random));
        for (int charSet = 1; charSet <= 4; ++charSet)
            ExpectLikeTheConverter(charSet, text);
    }
}

TEST(clsCharsetScan, JisShiftEndsWhereTheConverterTakesANewPiece)
{
    // Two-byte mode left on across line ends for more than a megabyte, with codes JIS X 0208
    // leaves empty: past the converter's new piece they read as ASCII.
    QByteArray text("\x1b$B");
    while (text.size() < (3 << 19))
        text += "\"/\"/\r\n";
    ExpectLikeTheConverter(2, text);
}

TEST(clsCharsetScan, StopsPastTheCap)
{
    const QByteArray text(100, '\x80');
    const auto* s = reinterpret_cast<Bytes>(text.constData());
    const clsScan scan = clsCharsetScan::Sjis(s, s + text.size(), 3);
    EXPECT_TRUE(scan.bCut);
    EXPECT_EQ(scan.nBad, 4);
}
