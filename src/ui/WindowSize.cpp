#include "ui/WindowSize.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace bv {
namespace {

class WrappedTextsHeight : public QObject {
 public:
  explicit WrappedTextsHeight(QWidget* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest))
      // Once the layout has taken in what changed.
      QTimer::singleShot(0, this, &WrappedTextsHeight::Grow);
    return false;
  }

 private:
  void Grow() {
    const QLayout* layout = window_->layout();
    if (!layout || !layout->hasHeightForWidth() || !window_->isVisible()) return;
    int needed = layout->totalHeightForWidth(window_->width());
    if (const QScreen* screen = window_->screen())
      needed = std::min(needed, screen->availableGeometry().height());
    if (needed > window_->height()) window_->resize(window_->width(), needed);
  }

  QWidget* window_;
};

}  // namespace

void KeepAtLeastWide(QLayout* top, int width) {
  const QMargins margins = top->contentsMargins();
  // An empty item takes no spacing and no height, only its width.
  top->addItem(new QSpacerItem(std::max(0, width - margins.left() - margins.right()), 0,
                               QSizePolicy::Fixed, QSizePolicy::Fixed));
}

void GrowToWrappedTexts(QWidget* window) {
  window->installEventFilter(new WrappedTextsHeight(window));
}

}  // namespace bv
