#pragma once
// A window sized by its texts: as wide as its longest line needs, and as tall as its wrapped
// texts need at the width it got.

class QLayout;
class QWidget;

namespace bv {

// Keeps the window at least width wide through its layout (top, already installed on it): a
// minimum width set on the window itself would stop the layout from widening it when a
// longer text (another language, a larger font) needs more room.
void KeepAtLeastWide(QLayout* top, int width);

// Makes window taller whenever its wrapped texts need more lines than its height holds: when
// it is shown narrower than it asked for (a small screen) and when its texts change. Qt sizes
// a window from its preferred width and keeps that height when the width is cut down.
void GrowToWrappedTexts(QWidget* window);

}  // namespace bv
