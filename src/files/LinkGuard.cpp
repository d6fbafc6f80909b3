#include "files/LinkGuard.h"

#include <limits.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string_view>

namespace bv {
namespace {

// The messages: '+' and a path (the name to guard), or '-' (the name is gone). A
// sequenced-packet socket keeps them apart, and the helper reads every message sent before
// the program ended before it sees the end.
constexpr char kGuard = '+';
constexpr char kRelease = '-';

std::mutex mutex;
int channel = -1;  // our end of the socket
pid_t helper = -1;
pid_t owner = -1;  // the process that started the helper

[[noreturn]] void RunHelper(int end) {
  // Only async-signal-safe calls from here on: the program may have other threads, and
  // this copy of it holds none of them.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::sigaction(signal, &ignore, nullptr);
  // Keeps nothing of the program open (profiles, sockets, locks): only its end, as 0.
  if (end != 0) ::dup2(end, 0);
  ::close_range(1, ~0U, 0);
  ::prctl(PR_SET_NAME, "bv-link-guard");
  static char message[PATH_MAX + 2];
  static char pending[PATH_MAX + 1];
  bool guarding = false;
  for (;;) {
    const ssize_t got = ::recv(0, message, sizeof message, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the program has ended (or closed its end)
    guarding = message[0] == kGuard && got > 1 && got <= PATH_MAX + 1;
    if (guarding) {
      std::memcpy(pending, message + 1, static_cast<std::size_t>(got - 1));
      pending[got - 1] = '\0';
    }
  }
  if (guarding) ::unlink(pending);
  ::_exit(0);
}

bool Start() {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return false;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ends[0]);
    RunHelper(ends[1]);
  }
  ::close(ends[1]);
  if (pid < 0) {
    ::close(ends[0]);
    return false;
  }
  channel = ends[0];
  helper = pid;
  owner = ::getpid();
  return true;
}

// Lets go of a helper that has ended, or that the process this one was forked from started
// (keeping its end open would keep that helper from noticing its program's end).
void Forget() {
  if (channel >= 0) ::close(channel);
  if (helper > 0 && owner == ::getpid()) ::waitpid(helper, nullptr, WNOHANG);
  channel = -1;
  helper = -1;
}

bool Send(std::string_view message) {
  return channel >= 0 && owner == ::getpid() &&
         ::send(channel, message.data(), message.size(), MSG_NOSIGNAL) ==
             static_cast<ssize_t>(message.size());
}

}  // namespace

void StartLinkGuard() {
  const std::lock_guard lock(mutex);
  if (channel >= 0 && owner == ::getpid()) return;
  Forget();
  Start();
}

bool GuardLinkName(const std::string& path) {
  const std::lock_guard lock(mutex);
  std::string message(1, kGuard);
  message += path;
  if (Send(message)) return true;
  Forget();
  return Start() && Send(message);
}

void ReleaseLinkName() {
  const std::lock_guard lock(mutex);
  Send(std::string_view(&kRelease, 1));
}

}  // namespace bv
