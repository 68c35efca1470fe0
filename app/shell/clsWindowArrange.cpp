// Geometry of the document-window arrangements.
#include "clsWindowArrange.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest height and the gap between stacked windows.
constexpr int kMinStackHeight = 13;
constexpr int kStackGap = 1;

// Splits length into n parts whose sizes differ by at most one; part k starts at Start(k).
int Start(int k, int n, int length)
{
    return static_cast<int>(static_cast<long long>(k) * length / n);
}

} // namespace

std::vector<QRect> clsWindowArrange::TileVertical(int n, QSize area)
{
    std::vector<QRect> rects;
    for (int k = 0; k < n; ++k) {
        const int top = Start(k, n, area.height());
        rects.emplace_back(0, top, area.width(), Start(k + 1, n, area.height()) - top);
    }
    return rects;
}

std::vector<QRect> clsWindowArrange::TileHorizontal(int n, QSize area)
{
    std::vector<QRect> rects;
    for (int k = 0; k < n; ++k) {
        const int left = Start(k, n, area.width());
        rects.emplace_back(left, 0, Start(k + 1, n, area.width()) - left, area.height());
    }
    return rects;
}

std::vector<QRect> clsWindowArrange::StackAll(int n, QSize area)
{
    std::vector<QRect> rects;
    if (n <= 0)
        return rects;
    const double share = std::nearbyint(static_cast<double>(area.height()) / n);
    const int height = std::max(static_cast<int>(share) - kStackGap, kMinStackHeight);
    for (int k = 0; k < n; ++k)
        rects.emplace_back(0, k * height, area.width(), height);
    return rects;
}
