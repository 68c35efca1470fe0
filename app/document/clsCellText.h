// Byte-level helpers for the Shift-JIS text of a cell.
#pragma once

#include <QByteArrayView>

struct clsCellText
{
    // Trims spaces (not tabs) on both sides: the padding of fixed-width fields is spaces, and
    // a space is never a Shift-JIS trail byte.
    static QByteArrayView TrimSpaces(QByteArrayView text)
    {
        while (!text.isEmpty() && text.front() == ' ')
            text = text.sliced(1);
        while (!text.isEmpty() && text.back() == ' ')
            text.chop(1);
        return text;
    }
};
