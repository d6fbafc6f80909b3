#include "files/TemporaryFileNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "files/FileHandle.h"

namespace bv {
namespace {

constexpr std::string_view kMark = ".~bvsave~";
constexpr std::size_t kRandomLength = 6;
constexpr std::size_t kNameBytesKept = 200;  // the whole name stays under 255 bytes

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const auto folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

std::string NamePrefix(const std::filesystem::path& target) {
  // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside the library's
  // operator+ for a literal plus a temporary string.
  std::string name(1, '.');
  name.append(target.filename().string(), 0, kNameBytesKept);
  name.append(kMark);
  return name;
}

// Whether the file begins as every file the saves write does: leadingBytes whole, or (a
// save killed early) as much of them as it holds. The file must still be the one looked at.
bool BeginsWith(const std::filesystem::path& path, const struct stat& seen,
                std::string_view leadingBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const FileHandle file(fd);
  struct stat now {};
  if (::fstat(fd, &now) != 0 || now.st_ino != seen.st_ino || now.st_dev != seen.st_dev ||
      !S_ISREG(now.st_mode))
    return false;
  std::vector<std::uint8_t> start(leadingBytes.size());
  std::size_t got = 0;
  try {
    got = file.ReadSomeAt(0, start);
  } catch (...) {
    return false;
  }
  if (got < leadingBytes.size() && static_cast<std::uint64_t>(now.st_size) != got) return false;
  return std::equal(start.begin(), start.begin() + static_cast<std::ptrdiff_t>(got),
                    leadingBytes.begin());
}

}  // namespace

std::string TemporaryNamePrefix(const std::filesystem::path& target) {
  return (FolderOf(target) / NamePrefix(target)).string();
}

std::string NewTemporaryName(const std::filesystem::path& target) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  std::string name = TemporaryNamePrefix(target);
  for (std::size_t k = 0; k < kRandomLength; ++k)
    name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

bool IsTemporaryNameOf(const std::filesystem::path& target, const std::string& fileName) {
  const std::string prefix = NamePrefix(target);
  if (fileName.size() != prefix.size() + kRandomLength ||
      fileName.compare(0, prefix.size(), prefix) != 0)
    return false;
  for (std::size_t k = prefix.size(); k < fileName.size(); ++k)
    if (!std::isalnum(static_cast<unsigned char>(fileName[k]))) return false;
  return true;
}

void RemoveLeftoverTemporaryFiles(const std::filesystem::path& target,
                                  std::string_view leadingBytes) {
  if (leadingBytes.empty()) return;
  const auto now = std::chrono::system_clock::now();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), error)) {
    if (!IsTemporaryNameOf(target, entry.path().filename().string())) continue;
    struct stat info {};
    if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid() || info.st_nlink != 1)
      continue;
    if (now - std::chrono::system_clock::from_time_t(info.st_mtime) < std::chrono::minutes(1))
      continue;
    if (BeginsWith(entry.path(), info, leadingBytes)) ::unlink(entry.path().c_str());
  }
}

}  // namespace bv
