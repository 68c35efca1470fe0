// The open dialog's file-type list, one entry per registered format.
#pragma once

#include <QString>

class clsFormats;

// Builds the filter whose entry n stands for format n, and reads the format back from the
// entry the user picked.
class clsFormatFilter
{
public:
    // "name|*.*|name|*.*||" over the formats in store order. A name that repeats an earlier
    // one gets its StructName in brackets, and "|" in a name becomes "｜": the dialog tells
    // the entries apart only by their text.
    static QString Build(const clsFormats& formats);
    // The format position of filter entry lnIndex (from 1); 1 for an entry the dialog did not
    // report, so a load never starts without a format.
    static int FormatOf(int lnIndex, const clsFormats& formats);
};
