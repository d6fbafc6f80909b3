#include "app/IdleLock.h"

#include <QCoreApplication>
#include <QEvent>

namespace bv {

IdleLock::IdleLock(std::function<void()> onIdle, QObject* parent)
    : QObject(parent), onIdle_(std::move(onIdle)) {
  connect(&timer_, &QTimer::timeout, this, [this] { onIdle_(); });
  QCoreApplication::instance()->installEventFilter(this);
}

void IdleLock::SetInterval(std::chrono::milliseconds interval) {
  if (interval.count() > 0)
    timer_.start(interval);
  else
    timer_.stop();
}

bool IdleLock::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
      if (timer_.isActive()) timer_.start();
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace bv
