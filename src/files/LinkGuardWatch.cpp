#include "files/LinkGuardWatch.h"

#include <limits.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace bv {

[[noreturn]] void WatchLinkNames(int channel) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::sigaction(signal, &ignore, nullptr);
  // Keeps nothing of the program open (profiles, sockets, locks): only its channel, as 0.
  if (channel != 0) ::dup2(channel, 0);
  ::close_range(1, ~0U, 0);
  ::prctl(PR_SET_NAME, "bv-link-guard");
  static char message[PATH_MAX + 2];
  static char pending[PATH_MAX + 1];
  bool guarding = false;
  for (;;) {
    const ssize_t got = ::recv(0, message, sizeof message, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the program has ended (or closed its end)
    guarding = message[0] == kGuardName && got > 1 && got <= PATH_MAX + 1;
    if (guarding) {
      std::memcpy(pending, message + 1, static_cast<std::size_t>(got - 1));
      pending[got - 1] = '\0';
    }
  }
  if (guarding) ::unlink(pending);
  ::_exit(0);
}

}  // namespace bv
