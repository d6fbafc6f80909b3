#include "app/WindowPlacement.h"

#include <algorithm>

namespace bv {
namespace {

constexpr int kTopStripHeight = 20;
constexpr int kVisibleStripWidth = 100;  // enough of the strip to grab the window by

}  // namespace

bool TopStripIsVisible(const QRect& normal, const QList<QRect>& available) {
  if (normal.width() <= 0 || normal.height() <= 0) return false;
  const QRect strip(normal.left(), normal.top(), normal.width(),
                    std::min(kTopStripHeight, normal.height()));
  const int needed = std::min(strip.width(), kVisibleStripWidth);
  return std::any_of(available.begin(), available.end(), [&](const QRect& area) {
    const QRect seen = area.intersected(strip);
    return seen.height() == strip.height() && seen.width() >= needed;
  });
}

int ClampedTreeWidth(int treeWidth, int totalWidth, int handleWidth, int minimumDetail) {
  return std::max(0, std::min(treeWidth, totalWidth - handleWidth - minimumDetail));
}

}  // namespace bv
