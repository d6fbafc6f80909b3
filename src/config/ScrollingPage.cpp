#include "config/ScrollingPage.h"

#include <QScreen>
#include <QScrollBar>
#include <QStyle>

namespace bv {

ScrollingPage::ScrollingPage(QWidget* page, QWidget* parent) : QScrollArea(parent) {
  setWidget(page);
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Tab goes from control to control of the page, and the page follows the focus; the area
  // itself would be a stop with nothing to say to the user or to a screen reader.
  setFocusPolicy(Qt::NoFocus);
}

QSize ScrollingPage::sizeHint() const {
  const int frame = 2 * frameWidth();
  const QSize page = widget() ? widget()->sizeHint() : QSize();
  return page + QSize(frame + verticalScrollBar()->sizeHint().width(), frame);
}

void FitToScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  QSize size = window->sizeHint().expandedTo(window->minimumSizeHint());
  if (screen) {
    // The desktop's frame is known only once the window was shown, if at all: room for a
    // title bar and a border at the least.
    const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int title = 2 * window->fontMetrics().height();
    const QSize frame = (window->frameGeometry().size() - window->geometry().size())
                            .expandedTo(QSize(2 * border, title + 2 * border));
    size = size.boundedTo(screen->availableGeometry().size() - frame);
  }
  window->resize(size);
}

}  // namespace bv
