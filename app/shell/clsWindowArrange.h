// Where the Window menu's arrange commands put the document windows.
#pragma once

#include <QRect>
#include <QSize>

#include <vector>

// Geometry of the arrangements, for n windows in an area of the given size, in window order.
class clsWindowArrange
{
public:
    // One above the other, each the full width.
    static std::vector<QRect> TileVertical(int n, QSize area);
    // Side by side, each the full height.
    static std::vector<QRect> TileHorizontal(int n, QSize area);
    // Stacked from the top, the full width, each an equal share of the height (rounded half to
    // even, less a pixel of spacing) but never under 13 pixels: many windows reach below the
    // visible area rather than shrink to nothing.
    static std::vector<QRect> StackAll(int n, QSize area);
};
