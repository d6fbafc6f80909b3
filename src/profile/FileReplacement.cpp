#include "profile/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "profile/InOutError.h"

namespace bv {
namespace {

constexpr int kMaxLinks = 40;

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const auto folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

void SyncFolder(const std::filesystem::path& folder) {
  // Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::filesystem::path ResolveFileLinks(const std::filesystem::path& path) {
  std::filesystem::path current = path;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size());
    if (length < 0) ThrowLastError();
    const std::filesystem::path link(std::string(buffer.data(), static_cast<std::size_t>(length)));
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  throw EInOutError::FromErrno(ELOOP);
}

FileReplacement::FileReplacement(const std::filesystem::path& path, std::size_t keepPrefix)
    : target_(ResolveFileLinks(path)) {
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw EInOutError::FromErrno(EISDIR);
    // Opening for writing is the test of a read-only profile; nothing is written here.
    const int fd = ::open(target_.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) ThrowLastError();
    FileHandle old(fd);
    oldPrefix_.resize(keepPrefix);
    oldPrefix_.resize(old.ReadSomeAt(0, oldPrefix_));
    old.Close();
    // An empty file holds no profile yet (the new-profile dialog makes one before its first
    // save): the profile written into it gets a new file's owner-only permissions.
    existed_ = info.st_size > 0;
    if (existed_) mode_ = info.st_mode & 07777;
    owner_ = info.st_uid;
    group_ = info.st_gid;
  } else if (errno != ENOENT) {
    ThrowLastError();
  }

  // A hidden name beside the target: same file system, so the rename cannot fail half-way.
  // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside the library's
  // operator+ for a literal plus a temporary string.
  std::string name(1, '.');
  name.append(target_.filename().string(), 0, 200);
  name.append(".XXXXXX");
  std::string pattern = (FolderOf(target_) / name).string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);  // created with mode 0600
  if (fd < 0) ThrowLastError();
  temp_ = FileHandle(fd);
  tempPath_ = pattern;
}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  temp_ = FileHandle();
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
}

void FileReplacement::Seal() {
  if (existed_) {
    // Keep the owner where we may (as root); a refusal leaves the file ours, which is safe.
    struct stat info {};
    if (::fstat(temp_.Fd(), &info) == 0 && (info.st_uid != owner_ || info.st_gid != group_))
      (void)!::fchown(temp_.Fd(), owner_, group_);
  }
  if (::fchmod(temp_.Fd(), mode_) != 0) ThrowLastError();
  temp_.Sync();
}

void FileReplacement::Commit() {
  temp_.Close();
  if (::rename(tempPath_.c_str(), target_.c_str()) != 0) ThrowLastError();
  committed_ = true;
  SyncFolder(FolderOf(target_));
}

}  // namespace bv
