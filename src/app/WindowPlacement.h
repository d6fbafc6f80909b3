#pragma once
// Putting the main window back where it was: a saved place is used only while a screen
// still shows it, and the tree never takes the room the detail view needs.

#include <QList>
#include <QRect>

namespace bv {

// True when the strip along the top of `normal` (where the title bar and menu are) lies
// within one of the screens' available areas, far enough to be seen and grabbed.
[[nodiscard]] bool TopStripIsVisible(const QRect& normal, const QList<QRect>& available);

// The tree width that leaves at least `minimumDetail` pixels to the detail view in a
// splitter `totalWidth` wide with a handle of `handleWidth`; never below 0.
[[nodiscard]] int ClampedTreeWidth(int treeWidth, int totalWidth, int handleWidth,
                                   int minimumDetail);

}  // namespace bv
