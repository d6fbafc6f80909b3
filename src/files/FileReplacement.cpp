#include "files/FileReplacement.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "files/InOutError.h"
#include "files/LinkGuard.h"
#include "files/SaveSignals.h"
#include "files/TemporaryFileNames.h"

namespace bv {
namespace {

constexpr int kMaxLinks = 40;
constexpr int kMaxNameAttempts = 100;  // a name taken already is drawn again
bool unnamedAllowed = true;
SealedFileStep& AfterSeal() {
  static SealedFileStep step;
  return step;
}

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

// Gives the unnamed file fd the name path; returns errno, 0 on success.
int LinkDescriptor(int fd, const std::filesystem::path& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  const int viaProc = errno;
  if (viaProc != ENOENT) return viaProc;
  // Without /proc: the direct way, which older kernels allow only to privileged callers.
  if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return 0;
  return errno == EPERM ? viaProc : errno;
}

// A temporary name of target that the guard and the signal cleanup know, from the moment
// before the file takes it until the name is gone again.
class PendingName {
 public:
  explicit PendingName(const std::filesystem::path& target)
      : path_(std::filesystem::absolute(NewTemporaryName(target)).string()) {
    MarkPendingSaveFile(path_);
    GuardLinkName(path_);
  }
  ~PendingName() {
    ReleaseLinkName();
    ClearPendingSaveFile();
  }
  PendingName(const PendingName&) = delete;
  PendingName& operator=(const PendingName&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

void AllowUnnamedTemporaryFiles(bool allow) { unnamedAllowed = allow; }

void SetSealedFileStep(SealedFileStep step) { AfterSeal() = std::move(step); }

bool ClaimNewFile(const std::filesystem::path& path) {
  if (IsSpecialFile(path)) throw ENotRegularFile();
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  if (errno != EEXIST) ThrowLastError();
  // Non-blocking, so that a named pipe refuses instead of waiting for a reader.
  fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowLastError();
  ::close(fd);
  return false;
}

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

FileReplacement::FileReplacement(const std::filesystem::path& path, std::size_t keepPrefix,
                                 std::string_view leadingBytes)
    : target_(ResolveFileLinks(path)), leadingBytes_(leadingBytes) {
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw EInOutError::FromErrno(EISDIR);
    // A device, FIFO or socket is never opened, let alone replaced by a regular file.
    if (!S_ISREG(info.st_mode)) throw ENotRegularFile();
    // Opening for writing is the test of a read-only profile; nothing is written here.
    const int fd = ::open(target_.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) ThrowLastError();
    FileHandle old(fd);
    if (old.IsSpecial()) throw ENotRegularFile();  // swapped for one since the look above
    oldPrefix_.resize(keepPrefix);
    oldPrefix_.resize(old.ReadSomeAt(0, oldPrefix_));
    old.Close();
    targetExists_ = true;
    // An empty file holds no profile yet (the new-profile dialog makes one before its first
    // save): the profile written into it gets a new file's owner-only permissions.
    existed_ = info.st_size > 0;
    if (existed_) mode_ = info.st_mode & 07777;
    owner_ = info.st_uid;
    group_ = info.st_gid;
  } else if (errno != ENOENT) {
    ThrowLastError();
  }

  if (unnamedAllowed) {
    const int fd = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
      temp_ = FileHandle(fd);
      unnamed_ = true;
      return;
    }
    // The file system (or an old kernel) has no unnamed files: the named one serves.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) ThrowLastError();
  }
  CreateNamed();
}

void FileReplacement::CreateNamed() {
  StartLinkGuard();  // before the name exists, so that it is guarded from the first moment on
  std::string pattern = TemporaryNamePrefix(target_) + "XXXXXX";
  // The termination signals wait while the file is created and its name recorded: one that
  // came in between would end the program before the clean-up knew the name.
  sigset_t termination, previous;
  sigemptyset(&termination);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&termination, signal);
  ::pthread_sigmask(SIG_BLOCK, &termination, &previous);
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);  // created with mode 0600
  const int error = errno;
  if (fd >= 0) MarkPendingSaveFile(pattern);
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  if (fd < 0) {
    errno = error;
    ThrowLastError();
  }
  temp_ = FileHandle(fd);
  tempPath_ = pattern;
  GuardLinkName(std::filesystem::absolute(tempPath_).string());
}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  temp_ = FileHandle();  // an unnamed file is gone with its descriptor
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    ReleaseLinkName();
    ClearPendingSaveFile();
  }
}

void FileReplacement::Seal(Access access) {
  if (existed_) {
    // Keep the owner where we may (as root); a refusal leaves the file ours, which is safe.
    struct stat info {};
    if (::fstat(temp_.Fd(), &info) == 0 && (info.st_uid != owner_ || info.st_gid != group_))
      (void)!::fchown(temp_.Fd(), owner_, group_);
  }
  if (::fchmod(temp_.Fd(), access == Access::OwnerOnly ? 0600 : mode_) != 0) ThrowLastError();
  temp_.Sync();
  if (AfterSeal()) AfterSeal()(temp_);
}

void FileReplacement::LinkUnnamed() {
  // A new file takes its name at once: nothing to rename, nothing that could stay behind.
  if (!targetExists_) {
    const int error = LinkDescriptor(temp_.Fd(), target_);
    if (error == 0) return;
    if (error != EEXIST) throw EInOutError::FromErrno(error);
  }
  // A name cannot be linked over an existing file: link to a temporary name, then rename
  // that over the target at once. The name is guarded (and recorded for the signal cleanup)
  // from before the link until the rename.
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const PendingName name(target_);
    const int error = LinkDescriptor(temp_.Fd(), name.Path());
    if (error == EEXIST) continue;
    if (error != 0) throw EInOutError::FromErrno(error);
    if (::rename(name.Path().c_str(), target_.c_str()) != 0) {
      const int renameError = errno;
      ::unlink(name.Path().c_str());
      throw EInOutError::FromErrno(renameError);
    }
    return;
  }
  throw EInOutError::FromErrno(EEXIST);
}

void FileReplacement::Commit() {
  if (unnamed_) {
    LinkUnnamed();
    committed_ = true;
    temp_ = FileHandle();  // on disk already (Seal); the name holds the file now
  } else {
    temp_.Close();
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) ThrowLastError();
    committed_ = true;
    ReleaseLinkName();
    ClearPendingSaveFile();
  }
  SyncFolder(FolderOf(target_));
  RemoveLeftoverTemporaryFiles(target_, leadingBytes_);
}

}  // namespace bv
