#include "files/SaveSignals.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace bv {
namespace {

// Large enough for any path the system accepts (PATH_MAX).
char pendingPath[4096];
volatile std::sig_atomic_t pendingSet = 0;

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink, sigaction, raise.
void RemovePendingAndEnd(int sig) {
  if (pendingSet) ::unlink(pendingPath);
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(sig, &fallback, nullptr);
  ::raise(sig);  // delivered with the default action as soon as the handler returns
}

}  // namespace

void MarkPendingSaveFile(const std::filesystem::path& path) {
  pendingSet = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  const std::string& text = path.native();
  if (text.size() >= sizeof pendingPath) return;  // no such path can be created either
  std::memcpy(pendingPath, text.c_str(), text.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  pendingSet = 1;
}

void ClearPendingSaveFile() {
  pendingSet = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void InstallSaveSignalCleanup() {
  struct sigaction action {};
  action.sa_handler = RemovePendingAndEnd;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int sig : kCleanedSignals) sigaddset(&action.sa_mask, sig);
  for (const int sig : kCleanedSignals) {
    struct sigaction current {};
    if (::sigaction(sig, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    ::sigaction(sig, &action, nullptr);
  }
}

}  // namespace bv
