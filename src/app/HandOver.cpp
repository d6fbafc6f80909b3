#include "app/HandOver.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "app/SessionController.h"
#include "app/SingleInstance.h"

namespace bv {
namespace {

constexpr int kModalPollMs = 200;

// A login box or a question already on screen keeps its answer; the file waits for it.
void OpenWhenNoModal(QPointer<QWidget> window, SessionController* sessions, QString path) {
  if (!window) return;
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
    QTimer::singleShot(kModalPollMs, window,
                       [window, sessions, path] { OpenWhenNoModal(window, sessions, path); });
    return;
  }
  sessions->OpenHandedOver(path);
}

}  // namespace

void FollowHandOvers(SingleInstance& instance, QWidget& window, SessionController& sessions) {
  QObject::connect(&instance, &SingleInstance::commandLineReceived, &window,
                   [&window, &sessions](const QStringList& arguments) {
                     ReceiveCommandLine(window, sessions, arguments);
                   });
}

void ReceiveCommandLine(QWidget& window, SessionController& sessions,
                        const QStringList& arguments) {
  // On Wayland the compositor decides whether a window may take the focus: best effort.
  if (window.isMinimized()) window.showNormal();
  window.raise();
  window.activateWindow();
  const QStringList files = SingleInstance::WithoutOptions(arguments);
  if (files.isEmpty() || files.front().isEmpty()) return;
  OpenWhenNoModal(&window, &sessions, files.front());
}

}  // namespace bv
