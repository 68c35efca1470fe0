// The drawn icons, looked up by key in the program's resources.
#include "clsIcons.h"

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

QIcon clsIcons::App()
{
    return FromResource(u"App"_s);
}

QIcon clsIcons::Document()
{
    return FromResource(u"Document"_s);
}
