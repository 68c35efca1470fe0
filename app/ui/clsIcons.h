// The program's own icons: toolbar buttons, the application and document windows.
#pragma once

#include <QIcon>
#include <QStringList>

// Icons drawn for this program as SVG and shipped as resources.
//
// The desktop theme is deliberately not consulted: a theme covers only the file and clipboard
// keys (nothing matches sort, summary or the row commands), so mixing would put two styles
// side by side on one toolbar, and many desktops (and the offscreen platform) have no theme at
// all. One drawn set looks the same everywhere and stays crisp at 16 to 48 pixels.
class clsIcons
{
public:
    // The icon of a toolbar key ("OpenAsNew", "Open", ...); a null icon for an unknown key.
    static QIcon Toolbar(const QString& key);
    static QIcon App();
    static QIcon Document();
    // Every toolbar key that has an icon, in toolbar order.
    static QStringList ToolbarKeys();
    // The icon of a format manager toolbar key ("OpenVB", "Prop", ...); null when unknown.
    static QIcon FormatManager(const QString& key);
    // Every format manager toolbar key, in toolbar order.
    static QStringList FormatManagerKeys();
};
