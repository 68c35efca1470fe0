// The statistics of part of one column: sum, average, maximum and minimum.
#pragma once

#include <QString>

class clsDocument;

// Totals the numeric cells of rows lnFirst..lnLast of one column and words the result the
// way the summary box shows it.
class clsSummary
{
public:
    // The message for column lnCol, named szMemName, rows lnFirst..lnLast (either order).
    static QString Message(const clsDocument& document, int lnCol, const QString& szMemName,
                           int lnFirst, int lnLast);
    // A value as the box shows it: grouped by threes, with two to ten decimals when its plain
    // text has a decimal point.
    static QString Format(double dValue);
};
