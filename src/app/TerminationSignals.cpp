#include "app/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <utility>

#include "app/OpenWindowsDismisser.h"

namespace bv {
namespace {

int wakePipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
bool installed[3] = {false, false, false};

// Async-signal-safe: one write, errno kept for the code it interrupted.
void Wake(int) {
  const int saved = errno;
  const char byte = 1;
  (void)!::write(wakePipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QWidget& window, QObject* parent)
    : QObject(parent), window_(window), dismisser_(new OpenWindowsDismisser(window, this)) {
  if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Arrived);
  struct sigaction action {};
  action.sa_handler = Wake;
  action.sa_flags = SA_RESTART;  // a save interrupted by the signal simply goes on
  sigemptyset(&action.sa_mask);
  for (int k = 0; k < 3; ++k) {
    struct sigaction current {};
    if (::sigaction(kSignals[k], nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    installed[k] = ::sigaction(kSignals[k], &action, nullptr) == 0;
  }
}

TerminationSignals::~TerminationSignals() {
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  for (int k = 0; k < 3; ++k)
    if (std::exchange(installed[k], false)) ::sigaction(kSignals[k], &fallback, nullptr);
  delete notifier_;
  for (int& fd : wakePipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void TerminationSignals::Arrived() {
  char bytes[64];
  while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {}
  if (closing_) return;  // a second signal while the save question is open
  closing_ = true;
  // Open dialogs are dismissed first; Cancel on the save question keeps the window, and the
  // program, running.
  dismisser_->DismissThen([this] {
    window_.close();
    closing_ = false;
  });
}

}  // namespace bv
