// The number a cell holds for a numeric member of a binary file.
#pragma once

#include <QByteArrayView>

// A cell's text read as a number of a member type: empty, not a number, too large for the
// type, or a value ready to be stored in it.
struct clsCellNumber
{
    enum Kind { Empty, NotNumeric, Overflow, Value };
    Kind kind = Empty;
    double dValue = 0;

    // Reads a cell's text, trimmed, for MemType 1-4: a decimal number with an optional
    // sign, fraction and exponent. Integers round half to even and must fit their type;
    // floats must fit theirs (a value too small to show becomes 0). Only the floating types
    // take "inf" and "nan", as the reader shows such values.
    static clsCellNumber Parse(QByteArrayView text, int memType);
};
