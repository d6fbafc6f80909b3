#include "tools/AccountText.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "tools/Banner.h"

namespace bv {

namespace {

std::string SystemReason(int error) { return SystemErrorText(error); }

// Writes all of text; false with errno set on failure.
bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::vector<std::string> AccountTextLines(const TNodeData& account) {
  std::vector<std::string> lines;
  lines.reserve(kAccountTextLineCount);
  for (const std::string& banner : BannerLines()) lines.push_back("   " + banner);
  lines.push_back("\t" + MessageText(msg::kAccountDetails));
  lines.push_back("\t" + MessageText(msg::kClearTextWarning));
  lines.push_back(" ");

  const AccountLabel& name = kAccountLabels[0];
  lines.push_back(MessageText(msg::kNameHeading));
  lines.push_back(MessageText(name.label));
  lines.push_back(MessageText(name.secondLine));
  lines.push_back(" " + account.*name.member);
  lines.push_back(" ");

  for (std::size_t i = 1; i < std::size(kAccountLabels); ++i) {
    const AccountLabel& field = kAccountLabels[i];
    lines.push_back(" - " + MessageText(field.label));
    lines.push_back("   " + MessageText(field.secondLine));
    lines.push_back(" " + account.*field.member);
    lines.push_back(" ");
  }
  return lines;
}

std::string AccountText(const TNodeData& account) {
  std::string text;
  for (const std::string& line : AccountTextLines(account)) text += line + "\r\n";
  return text;
}

EExportError::EExportError(const std::filesystem::path& path, int systemError)
    : EInOutError(
          "Cannot create file \"" + PathToSetting(path) + "\". " + SystemReason(systemError),
          systemError, path.string()) {}

EExportError::EExportError(int systemError)
    : EInOutError(SystemReason(systemError), systemError, {}) {}

void ExportAccountText(const TNodeData& account, const std::filesystem::path& path) {
  WriteExportFile(path, AccountText(account));
}

void WriteExportFile(const std::filesystem::path& path, const std::string& text,
                     CreateFailure report) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (report == CreateFailure::ReasonOnly) throw EExportError(errno);
    throw EExportError(path, errno);
  }
  const bool written = WriteAll(fd, text);
  const int writeError = errno;
  if (::close(fd) != 0 && written) throw EExportError(errno);
  if (!written) throw EExportError(writeError);
}

}  // namespace bv
