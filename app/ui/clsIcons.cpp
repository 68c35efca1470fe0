// The drawn icons, looked up by key in the program's resources.
#include "clsIcons.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

QIcon FromResource(const QString& name)
{
    return QIcon(u":/icons/"_s + name + u".svg"_s);
}

} // namespace

QStringList clsIcons::ToolbarKeys()
{
    return {u"OpenAsNew"_s, u"Open"_s,      u"Save"_s,  u"SaveAll"_s, u"Cut"_s,
            u"Copy"_s,      u"Paste"_s,     u"Find"_s,  u"Sort"_s,    u"Summary"_s,
            u"InsertRow"_s, u"DeleteRow"_s, u"RowUp"_s, u"RowDown"_s, u"Option"_s};
}

QIcon clsIcons::Toolbar(const QString& key)
{
    if (!ToolbarKeys().contains(key))
        return {};
    return FromResource(key);
}

QStringList clsIcons::FormatManagerKeys()
{
    return {u"OpenVB"_s, u"OpenC"_s,  u"New"_s,   u"Open"_s,    u"SaveAsReg"_s, u"SaveAsFile"_s,
            u"Insert"_s, u"Delete"_s, u"RowUp"_s, u"RowDown"_s, u"Prop"_s};
}

QIcon clsIcons::FormatManager(const QString& key)
{
    // Keys the main toolbar shares draw the same picture there and here.
    static const QHash<QString, QString> drawings = {
        {u"OpenVB"_s, u"SourceVB"_s},    {u"OpenC"_s, u"SourceC"_s},
        {u"New"_s, u"FormatNew"_s},      {u"Open"_s, u"Open"_s},
        {u"SaveAsReg"_s, u"Register"_s}, {u"SaveAsFile"_s, u"Save"_s},
        {u"Insert"_s, u"InsertRow"_s},   {u"Delete"_s, u"DeleteRow"_s},
        {u"RowUp"_s, u"RowUp"_s},        {u"RowDown"_s, u"RowDown"_s},
        {u"Prop"_s, u"Header"_s}};
    const auto found = drawings.constFind(key);
    return found == drawings.constEnd() ? QIcon() : FromResource(*found);
}

QIcon clsIcons::App()
{
    return FromResource(u"App"_s);
}

QIcon clsIcons::Document()
{
    return FromResource(u"Document"_s);
}
