// One pass per candidate character set: bytes it cannot decode and characters outside JIS X 0208.
#pragma once

#include <QtGlobal>

// What one candidate makes of a text.
struct clsScan
{
    // Bytes that are no character of the set (NUL excluded: the caller counts it for all).
    qint64 nBad = 0;
    // Substitutions the converter makes for them; one may cover several bad bytes.
    qint64 nMarks = 0;
    // Characters that decode yet leave JIS X 0208 on the way through the converter: the ones
    // it substitutes besides the marks, and the ones it carries into rows the standard
    // leaves empty (vendor rows).
    qint64 nOutside = 0;
    // The scan stopped past the most bad bytes a winner could have: nBad is a floor, and
    // nOutside was not taken.
    bool bCut = false;
};

// The scans read bytes only, no converted text; which two-byte code counts as outside is
// learnt once from Skiff's own converters, so the counts are those a conversion would give.
class clsCharsetScan
{
public:
    using Bytes = const unsigned char*;

    // nCap: stop once nBad exceeds it (-1: never).
    static clsScan Sjis(Bytes s, Bytes end, qint64 nCap);
    static clsScan Jis(Bytes s, Bytes end, qint64 nCap);
    static clsScan Euc(Bytes s, Bytes end, qint64 nCap);
    static clsScan Utf8(Bytes s, Bytes end, qint64 nCap);
    // By Skiff's code 1-4.
    static clsScan Scan(int lnCharSet, Bytes s, Bytes end, qint64 nCap);
};
