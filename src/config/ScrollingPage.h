#pragma once
// A window whose controls may be taller than a small screen (800x600, or a desktop scaled
// by 2): the controls go on a page that scrolls, and the window opens no larger than the
// free area of its screen.

#include <QScrollArea>

namespace bv {

class ScrollingPage : public QScrollArea {
  Q_OBJECT

 public:
  // Takes page, whose controls keep the order of its layout.
  ScrollingPage(QWidget* page, QWidget* parent);

  // The whole page, with room for a vertical scroll bar should the window be cut short.
  QSize sizeHint() const override;
};

// Resizes window to its preferred size, cut to the free area of its screen less room for
// the desktop's frame around it.
void FitToScreen(QWidget* window);

}  // namespace bv
