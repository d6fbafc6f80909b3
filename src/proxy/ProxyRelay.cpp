#include "proxy/ProxyRelay.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>

#include "extension/MessageFrames.h"

namespace bv {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

int ConnectTo(const std::string& path) {
  if (path.empty()) return -1;
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return -1;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The answer given for the program while it is not running: the protocol's "not connected".
std::string NotRunning(std::string_view request) {
  const auto json = nlohmann::json::parse(request, nullptr, false);
  nlohmann::json reply = {{"errorCode", "5"}, {"error", "Brindlevault is not running"}};
  reply["action"] = json.is_object() && json.contains("action") && json["action"].is_string()
                        ? json["action"]
                        : nlohmann::json("");
  if (json.is_object() && json.contains("requestID")) reply["requestID"] = json["requestID"];
  return reply.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string TooLarge() {
  return nlohmann::json{{"action", ""}, {"errorCode", "13"}, {"error", "Message too long"}}.dump();
}

}  // namespace

std::string BrowserSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || *runtime != '/') return {};
  struct stat info {};
  // Only a folder of our own that nobody else may enter is private enough.
  if (::stat(runtime, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
      (info.st_mode & 0077) != 0) {
    return {};
  }
  return std::string(runtime) + "/brindlevault/browser.sock";
}

int RunRelay(int input, int output, const std::string& socketPath) {
  FrameReader fromBrowser;
  int program = -1;
  char buffer[65536];
  for (;;) {
    pollfd fds[2] = {{input, POLLIN, 0}, {program, POLLIN, 0}};
    const nfds_t count = program >= 0 ? 2 : 1;
    if (::poll(fds, count, -1) < 0) {
      if (errno == EINTR) continue;
      return 1;
    }
    if (program >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
      const ssize_t n = ::read(program, buffer, sizeof buffer);
      if (n > 0) {
        // The program sends whole frames of its own: pass them on as they are.
        if (!WriteAll(output, {buffer, static_cast<std::size_t>(n)})) return 1;
      } else if (n == 0 || errno != EINTR) {
        ::close(program);
        program = -1;
      }
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      const ssize_t n = ::read(input, buffer, sizeof buffer);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        break;
      }
      fromBrowser.Feed({buffer, static_cast<std::size_t>(n)});
      while (auto frame = fromBrowser.Next()) {
        if (frame->tooLarge) {
          if (!WriteAll(output, EncodeFrame(TooLarge()))) return 1;
          continue;
        }
        if (program < 0) program = ConnectTo(socketPath);
        if (program >= 0 && WriteAll(program, EncodeFrame(frame->message))) continue;
        if (program >= 0) ::close(program);
        program = -1;
        if (!WriteAll(output, EncodeFrame(NotRunning(frame->message)))) return 1;
      }
    }
  }
  if (program >= 0) ::close(program);
  return 0;
}

}  // namespace bv
