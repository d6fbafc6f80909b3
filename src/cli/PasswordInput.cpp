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

// One line, without its end. An input that ends (or fails) before a single character is no
// line at all: a pipe whose writer failed must not pass for an empty password.
std::string ReadLine(int fd, const char* source) {
  std::string line;
  bool anything = false;
  char c = 0;
  while (true) {
    const ssize_t got = ::read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    anything = true;
    if (c == '\n') break;
    line += c;
  }
  if (!anything)
    throw ECliError(ExitCode::kNoPassword,
                    std::string(source) +
                        " ended before a password line; an empty line gives an empty password");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string ReadStdinLine() { return ReadLine(STDIN_FILENO, "standard input"); }

std::string ToCp1252(const std::string& utf8) {
  auto bytes = Utf8ToCp1252(utf8);
  if (!bytes)
    throw ECliError(ExitCode::kNotCp1252,
                    "password: a character has no Windows-1252 form (or the text is not UTF-8)");
  return *bytes;
}

bool IsUtf8(const std::string& text) {
  // Every Unicode character is allowed, so the round trip through Windows-1252 cannot serve.
  for (std::size_t k = 0; k < text.size();) {
    const auto lead = static_cast<unsigned char>(text[k]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || k + length > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t j = 1; j < length; ++j) {
      const auto next = static_cast<unsigned char>(text[k + j]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    k += length;
  }
  return true;
}

std::string AskOnTerminal(const std::string& prompt) {
  const int terminal = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (terminal < 0)
    throw ECliError(ExitCode::kNoPassword,
                    "no terminal to ask the password on; give it with --password-stdin");
  std::string line;
  try {
    EchoOff quiet(terminal);
    (void)!::write(terminal, prompt.data(), prompt.size());
    line = ReadLine(terminal, "the terminal");
  } catch (...) {
    ::close(terminal);
    throw;
  }
  ::close(terminal);
  return line;
}

}  // namespace

std::string AskPassword(const std::string& prompt, const PasswordOptions& options) {
  return ToCp1252(options.fromStdin ? ReadStdinLine() : AskOnTerminal(prompt));
}

std::string AskNewPassword(const PasswordOptions& options) {
  if (options.fromStdin) return ToCp1252(ReadStdinLine());
  const std::string first = AskOnTerminal("New master password (empty for none): ");
  if (AskOnTerminal("Repeat the master password: ") != first)
    throw ECliError(ExitCode::kNoPassword, "the two passwords differ");
  return ToCp1252(first);
}

std::string AskExportPassword(const PasswordOptions& options) {
  std::string password;
  if (options.fromStdin) {
    password = ReadStdinLine();
  } else {
    password = AskOnTerminal("Password of the new KDBX file: ");
    if (AskOnTerminal("Repeat the password of the new file: ") != password)
      throw ECliError(ExitCode::kNoPassword, "the two passwords differ");
  }
  if (password.empty())
    throw ECliError(ExitCode::kNoPassword,
                    "the new KDBX file needs a password; an empty one is refused");
  if (!IsUtf8(password))
    throw ECliError(ExitCode::kNoPassword, "the password of the new file is not UTF-8 text");
  return password;
}

}  // namespace bv::cli
