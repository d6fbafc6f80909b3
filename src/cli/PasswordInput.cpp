#include "cli/PasswordInput.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/CliError.h"
#include "config/Cp1252.h"

namespace bv::cli {
namespace {

// The terminal's settings while echo is off, so that an interrupt can put them back.
int gTerminal = -1;
termios gSaved{};

void RestoreAndDie(int signal) {
  ::tcsetattr(gTerminal, TCSAFLUSH, &gSaved);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

class EchoOff {
 public:
  explicit EchoOff(int terminal) {
    if (::tcgetattr(terminal, &gSaved) != 0) return;
    gTerminal = terminal;
    termios quiet = gSaved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    std::signal(SIGINT, RestoreAndDie);
    std::signal(SIGTERM, RestoreAndDie);
    ::tcsetattr(terminal, TCSAFLUSH, &quiet);
  }
  ~EchoOff() {
    if (gTerminal < 0) return;
    ::tcsetattr(gTerminal, TCSAFLUSH, &gSaved);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    gTerminal = -1;
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;
};

std::string ReadLine(int fd) {
  std::string line;
  char c = 0;
  while (true) {
    const ssize_t got = ::read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || c == '\n') break;
    line += c;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string ToCp1252(const std::string& utf8) {
  auto bytes = Utf8ToCp1252(utf8);
  if (!bytes)
    throw CliError(ExitCode::kNotCp1252,
                   "password: a character has no Windows-1252 form (or the text is not UTF-8)");
  return *bytes;
}

std::string AskOnTerminal(const std::string& prompt) {
  const int terminal = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (terminal < 0)
    throw CliError(ExitCode::kNoPassword,
                   "no terminal to ask the password on; give it with --password-stdin");
  std::string line;
  {
    EchoOff quiet(terminal);
    (void)!::write(terminal, prompt.data(), prompt.size());
    line = ReadLine(terminal);
  }
  ::close(terminal);
  return line;
}

}  // namespace

std::string AskPassword(const std::string& prompt, const PasswordOptions& options) {
  return ToCp1252(options.fromStdin ? ReadLine(STDIN_FILENO) : AskOnTerminal(prompt));
}

std::string AskNewPassword(const PasswordOptions& options) {
  if (options.fromStdin) return ToCp1252(ReadLine(STDIN_FILENO));
  const std::string first = AskOnTerminal("New master password (empty for none): ");
  if (AskOnTerminal("Repeat the master password: ") != first)
    throw CliError(ExitCode::kNoPassword, "the two passwords differ");
  return ToCp1252(first);
}

}  // namespace bv::cli
