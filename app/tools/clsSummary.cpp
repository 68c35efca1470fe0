// Totalling a column's selected cells and formatting the statistics.
#include "clsSummary.h"

#include "clsCellNumber.h"
#include "clsDocument.h"

#include <QLocale>

#include <algorithm>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

QString clsSummary::Format(double dValue)
{
    const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    if (!QString::number(dValue, 'g', 15).contains(u'.'))
        return grouped.toString(dValue, 'f', 0);
    QString text = grouped.toString(dValue, 'f', 10);
    // Trailing zeros go, down to two decimals.
    while (text.endsWith(u'0') && text.size() - text.indexOf(u'.') > 3)
        text.chop(1);
    return text;
}

QString clsSummary::Message(const clsDocument& document, int lnCol, const QString& szMemName,
                            int lnFirst, int lnLast)
{
    double sum = 0;
    double maximum = 0;
    double minimum = 0;
    bool any = false;
    for (int row = std::min(lnFirst, lnLast); row <= std::max(lnFirst, lnLast); ++row) {
        const clsCellNumber number = clsCellNumber::Parse(document.Records().Cell(row, lnCol), 4);
        if (number.kind != clsCellNumber::Value)
            continue;
        const double v = number.dValue;
        sum += v;
        if (!any || v >= maximum)
            maximum = v;
        if (!any || v <= minimum)
            minimum = v;
        any = true;
    }
    // Every row of the range counts, numeric or not.
    const int count = std::abs(lnLast - lnFirst) + 1;
    const QString none;
    return szMemName + u" の \r"_s + QString::number(lnFirst) + u" 行目から\r\n"_s +
           QString::number(lnLast) + u" 行目まで("_s + QString::number(count) + u"行)の\r\n"_s +
           u"合計：\t"_s + Format(sum) + u"\r\n"_s + u"平均：\t"_s + Format(sum / count) +
           u"\r\n"_s + u"最大値：\t"_s + (any ? Format(maximum) : none) + u"\r\n"_s +
           u"最小値：\t"_s + (any ? Format(minimum) : none) + u"\r\n"_s;
}
