#include "files/LinkGuard.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <string_view>

#include "files/LinkGuardWatch.h"

namespace bv {
namespace {

// A sequenced-packet socket keeps the messages apart, and the helper reads every message sent
// before the program ended before it sees the end.

std::mutex mutex;
int channel = -1;  // our end of the socket
pid_t helper = -1;
pid_t owner = -1;                     // the process that started the helper
std::filesystem::path helperProgram;  // set by UseLinkGuardHelper

// bv-link-guard beside the program (the build folder), or where the package puts it.
std::filesystem::path FindHelper() {
  if (!helperProgram.empty()) return helperProgram;
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  for (const char* where : {"bv-link-guard", "../lib/brindlevault/bv-link-guard"}) {
    const std::filesystem::path candidate = self.parent_path() / where;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// Executes the helper with our channel's other end as its standard input.
pid_t SpawnHelper(int end) {
  const std::filesystem::path program = FindHelper();
  if (program.empty()) return -1;
  posix_spawn_file_actions_t actions;
  if (::posix_spawn_file_actions_init(&actions) != 0) return -1;
  ::posix_spawn_file_actions_adddup2(&actions, end, 0);  // clears close-on-exec on the copy
  char* const argv[] = {const_cast<char*>("bv-link-guard"), nullptr};
  char* const envp[] = {nullptr};
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp) != 0) pid = -1;
  ::posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// forkAllowed: at the start the process is small and a fork is cheap and needs no file;
// later a fork would copy the decrypted profile and the password into a process that lives
// as long as the program, so only the helper program is started then.
bool Start(bool forkAllowed) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return false;
  pid_t pid = SpawnHelper(ends[1]);
  if (pid < 0 && forkAllowed) {
    pid = ::fork();
    if (pid == 0) {
      ::close(ends[0]);
      WatchLinkNames(ends[1]);
    }
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
  Start(true);
}

void UseLinkGuardHelper(const std::filesystem::path& program) {
  const std::lock_guard lock(mutex);
  helperProgram = program;
}

bool GuardLinkName(const std::string& path) {
  const std::lock_guard lock(mutex);
  std::string message(1, kGuardName);
  message += path;
  if (Send(message)) return true;
  Forget();
  return Start(false) && Send(message);
}

void ReleaseLinkName() {
  const std::lock_guard lock(mutex);
  Send(std::string_view(&kReleaseName, 1));
}

}  // namespace bv
