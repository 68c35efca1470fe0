// The open dialog's file-type list over the registered formats.
#include "clsFormatFilter.h"

#include "clsFormats.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

QString clsFormatFilter::Build(const clsFormats& formats)
{
    QStringList names;
    QString filter;
    for (int i = 1; i <= formats.Count(); ++i) {
        const clsFormat* format = formats.Format(i);
        QString name = format->FormatName;
        name.replace(u'|', u'｜');
        if (names.contains(name))
            name += u" ["_s + format->StructName + u']';
        names.append(name);
        filter += name + u"|*.*|"_s;
    }
    return filter + u'|';
}

int clsFormatFilter::FormatOf(int lnIndex, const clsFormats& formats)
{
    return lnIndex >= 1 && lnIndex <= formats.Count() ? lnIndex : 1;
}
