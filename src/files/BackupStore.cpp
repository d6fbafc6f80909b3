#include "files/BackupStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "files/FileHandle.h"
#include "files/InOutError.h"

namespace bv {
namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;
constexpr std::size_t kStampLength = 15;  // YYYYMMDD-HHMMSS

// The folder itself, not what a link there points to, must be the user's own.
void RefuseUnsafeFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP || errno == ENOTDIR)
      throw EUnsafeFolder(EUnsafeFolder::Reason::Link, folder);
    ThrowLastError();
  }
  struct stat info {};
  const bool known = ::fstat(fd, &info) == 0;
  ::close(fd);
  if (!known) ThrowLastError();
  if (info.st_uid != ::geteuid()) throw EUnsafeFolder(EUnsafeFolder::Reason::OtherOwner, folder);
}

// Creates folder with its missing parents, each 0700 as the data folders of a user should
// be. The folder itself is made 0700 when it exists with more (and is ours).
void MakePrivateFolder(const std::filesystem::path& folder, bool tighten) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    if (errno != ENOENT) ThrowLastError();
    const std::filesystem::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder) MakePrivateFolder(parent, false);
    if (::mkdir(folder.c_str(), kPrivateFolder) != 0 && errno != EEXIST) ThrowLastError();
    if (::stat(folder.c_str(), &info) != 0) ThrowLastError();
  }
  if (!S_ISDIR(info.st_mode)) throw EInOutError::FromErrno(ENOTDIR);
  if (tighten) RefuseUnsafeFolder(folder);
  if (tighten && (info.st_mode & 07777) != kPrivateFolder && info.st_uid == ::geteuid() &&
      ::chmod(folder.c_str(), kPrivateFolder) != 0)
    ThrowLastError();
}

// "NAME.EXT" as its two parts; the extension begins at the last dot, unless that dot
// starts the name.
std::pair<std::string, std::string> SplitName(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  const std::size_t stem = dot == std::string::npos || dot == 0 ? name.size() : dot;
  return {name.substr(0, stem), name.substr(stem)};
}

// The full path a file is reached by once every link is followed.
std::filesystem::path FullPath(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(file, error);
  if (!error) full = std::filesystem::weakly_canonical(full, error);
  return error ? file.lexically_normal() : full;
}

// 48 bits of FNV-1a over the full path.
std::string PathHash(const std::filesystem::path& full) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : full.native()) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(12, '0');
  for (std::size_t k = 0; k < text.size(); ++k) text[k] = kHex[(hash >> (44 - 4 * k)) & 0xF];
  return text;
}

// The names of one profile's copies: prefix, stamp, an optional "-N", suffix.
class CopyNames {
 public:
  explicit CopyNames(const std::filesystem::path& profile) {
    const std::filesystem::path full = FullPath(profile);
    auto [stem, extension] = SplitName(full.filename().string());
    prefix_ = stem + "." + PathHash(full) + ".";
    suffix_ = std::move(extension);
  }

  std::string Name(const std::string& stamp, long n) const {
    return prefix_ + stamp + (n > 1 ? "-" + std::to_string(n) : std::string()) + suffix_;
  }

  // The stamp and number of a copy's name; n is 0 for another name.
  std::pair<std::string, long> Parse(const std::string& name) const {
    if (name.size() < prefix_.size() + kStampLength + suffix_.size() ||
        !name.starts_with(prefix_) || !name.ends_with(suffix_))
      return {{}, 0};
    const std::string middle =
        name.substr(prefix_.size(), name.size() - prefix_.size() - suffix_.size());
    const auto digits = [](std::string_view text) {
      return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
      });
    };
    const std::string stamp = middle.substr(0, kStampLength);
    if (!digits(stamp.substr(0, 8)) || stamp[8] != '-' || !digits(stamp.substr(9))) return {{}, 0};
    const std::string rest = middle.substr(kStampLength);
    if (rest.empty()) return {stamp, 1};
    if (rest[0] != '-' || !digits(rest.substr(1)) || rest.size() > 10) return {{}, 0};
    return {stamp, std::stol(rest.substr(1))};
  }

 private:
  std::string prefix_;
  std::string suffix_;
};

using CopyKey = std::pair<std::string, long>;  // stamp, number

// The copies that names describes in folder, oldest first.
std::vector<std::pair<CopyKey, std::filesystem::path>> ListCopies(
    const std::filesystem::path& folder, const CopyNames& names) {
  std::vector<std::pair<CopyKey, std::filesystem::path>> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    CopyKey key = names.Parse(it->path().filename().string());
    std::error_code ignored;
    if (key.second > 0 && it->is_regular_file(ignored) && !it->is_symlink(ignored))
      found.emplace_back(std::move(key), it->path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string LocalStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y%m%d-%H%M%S", &local);
  return text.data();
}

void CopyContent(const FileHandle& from, FileHandle& to) {
  std::vector<std::uint8_t> block(1 << 16);
  for (std::uint64_t offset = 0;;) {
    const std::size_t got = from.ReadSomeAt(offset, block);
    if (got == 0) return;
    to.WriteAll(std::span(block.data(), got));
    offset += got;
  }
}

// Gives the unnamed file fd the name path; returns errno, 0 on success.
int LinkUnnamed(int fd, const std::filesystem::path& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

// Writes a copy of source into folder under the first free name of nameOf(1), nameOf(2)...
// A copy appears under its name only when complete, where the file system allows it.
template <class NameOf>
std::filesystem::path WriteCopy(const FileHandle& source, const std::filesystem::path& folder,
                                NameOf nameOf) {
  const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kPrivateFile);
  if (unnamed >= 0) {
    FileHandle copy(unnamed);
    CopyContent(source, copy);
    copy.Sync();
    for (int n = 1;; ++n) {
      const std::filesystem::path target = folder / nameOf(n);
      const int error = LinkUnnamed(copy.Fd(), target);
      if (error == 0) return target;
      if (error != EEXIST) throw EInOutError::FromErrno(error);
    }
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) ThrowLastError();
  for (int n = 1;; ++n) {
    const std::filesystem::path target = folder / nameOf(n);
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) ThrowLastError();
    FileHandle copy(fd);
    try {
      CopyContent(source, copy);
      copy.Sync();
      copy.Close();
    } catch (...) {
      ::unlink(target.c_str());
      throw;
    }
    return target;
  }
}

}  // namespace

EUnsafeFolder::EUnsafeFolder(Reason reason, const std::filesystem::path& folder)
    : EInOutError(kAccessDenied, folder.string() + (reason == Reason::Link
                                                        ? ": is a symbolic link; not used"
                                                        : ": belongs to another user; not used")),
      reason_(reason),
      folder_(folder) {}

std::filesystem::path UserDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
    return std::filesystem::path(xdg) / "brindlevault";
  if (const char* home = std::getenv("HOME"); home && *home == '/')
    return std::filesystem::path(home) / ".local" / "share" / "brindlevault";
  return {};
}

BackupStore::BackupStore(const std::filesystem::path& dataFolder, int keep)
    : backups_(dataFolder.empty() ? dataFolder : dataFolder / "backups"),
      conflicts_(dataFolder.empty() ? dataFolder : dataFolder / "conflict-copies"),
      keep_(std::max(keep, 0)) {}

BackupStore BackupStore::ForUser(int keep) { return BackupStore(UserDataFolder(), keep); }

void BackupStore::MakeBackupFolder() const {
  if (backups_.empty()) throw EInOutError::FromErrno(ENOENT);
  MakePrivateFolder(backups_, true);
}

std::filesystem::path BackupStore::Keep(const std::filesystem::path& profile) const {
  if (keep_ == 0) return {};
  const int fd = ::open(profile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0 && errno == ENOENT) return {};  // a new file replaces nothing
  if (fd < 0) ThrowLastError();
  const FileHandle source(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) ThrowLastError();
  if (!S_ISREG(info.st_mode) || info.st_size == 0) return {};

  MakeBackupFolder();
  const CopyNames names(profile);
  const std::string stamp = LocalStamp();
  // Copies made within one second are numbered after the last one, even when older ones
  // of that second have been removed.
  long after = 0;
  for (const auto& [key, path] : ListCopies(backups_, names))
    if (key.first == stamp) after = std::max(after, key.second);
  const std::filesystem::path kept =
      WriteCopy(source, backups_, [&](int n) { return names.Name(stamp, after + n); });
  // The oldest beyond the number kept go, never the copy just made (a clock put back may
  // name it older); one that cannot be removed stays.
  auto copies = ListCopies(backups_, names);
  std::erase_if(copies, [&](const auto& copy) { return copy.second == kept; });
  for (std::size_t k = 0; k + static_cast<std::size_t>(keep_) < copies.size() + 1; ++k)
    ::unlink(copies[k].second.c_str());
  return kept;
}

std::vector<std::filesystem::path> BackupStore::BackupsOf(
    const std::filesystem::path& profile) const {
  std::vector<std::filesystem::path> copies;
  for (auto& [key, path] : ListCopies(backups_, CopyNames(profile)))
    copies.push_back(std::move(path));
  return copies;
}

std::filesystem::path BackupStore::SetAsideConflictCopy(const std::filesystem::path& copy) const {
  if (conflicts_.empty()) throw EInOutError::FromErrno(ENOENT);
  MakePrivateFolder(conflicts_, true);
  // Named copies, not structured bindings: clang 14 cannot capture those in a lambda.
  const auto parts = SplitName(copy.filename().string());
  const std::string& stem = parts.first;
  const std::string& extension = parts.second;
  const auto nameOf = [&](int n) {
    return n == 1 ? stem + extension : stem + " (" + std::to_string(n) + ")" + extension;
  };
  // A second name for the same file, then the old name goes: nothing is replaced on the way.
  for (int n = 1;; ++n) {
    const std::filesystem::path target = conflicts_ / nameOf(n);
    if (::link(copy.c_str(), target.c_str()) == 0) {
      if (::unlink(copy.c_str()) != 0) {
        const int error = errno;
        ::unlink(target.c_str());
        throw EInOutError::FromErrno(error);
      }
      (void)::chmod(target.c_str(), kPrivateFile);  // another owner's file keeps its mode
      return target;
    }
    if (errno == EEXIST) continue;
    if (errno != EXDEV && errno != EPERM && errno != EOPNOTSUPP) ThrowLastError();
    break;  // another file system, or one without links: copied, then removed
  }
  const FileHandle source = FileHandle::OpenForReading(copy);
  const std::filesystem::path target = WriteCopy(source, conflicts_, nameOf);
  if (::unlink(copy.c_str()) != 0) {
    const int error = errno;
    ::unlink(target.c_str());
    throw EInOutError::FromErrno(error);
  }
  return target;
}

}  // namespace bv
