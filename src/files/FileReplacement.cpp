#include "files/FileReplacement.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

#include "files/InOutError.h"
#include "files/SaveSignals.h"

namespace bv {
namespace {

constexpr int kMaxLinks = 40;
bool unnamedAllowed = true;

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

// A hidden name beside the target: same file system, so the rename cannot fail half-way.
std::string HiddenPrefix(const std::filesystem::path& target) {
  // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside the library's
  // operator+ for a literal plus a temporary string.
  std::string name(1, '.');
  name.append(target.filename().string(), 0, 200);
  name.push_back('.');
  return (FolderOf(target) / name).string();
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

// Nothing a process killed with SIGKILL could still do removes the hidden name of a file
// linked in but not yet renamed over its target. A small child process stands guard over
// that instant instead: it waits on a pipe and removes the name should this process end
// before saying that the rename is over. Without a guard (fork failed) the save goes on.
class LinkGuard {
 public:
  explicit LinkGuard(const std::string& name) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    const pid_t pid = ::fork();
    if (pid == 0) {
      // Only async-signal-safe calls from here on: the parent may have other threads.
      ::close(ends[1]);
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &ignore, nullptr);
      char word;
      ssize_t got;
      do got = ::read(ends[0], &word, 1);
      while (got < 0 && errno == EINTR);
      if (got == 0) ::unlink(name.c_str());  // the parent ended without a word
      ::_exit(0);
    }
    ::close(ends[0]);
    if (pid < 0) {
      ::close(ends[1]);
      return;
    }
    pid_ = pid;
    pipe_ = ends[1];
  }
  ~LinkGuard() {
    if (pid_ < 0) return;
    const char word = 'k';
    while (::write(pipe_, &word, 1) < 0 && errno == EINTR) {
    }
    ::close(pipe_);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  LinkGuard(const LinkGuard&) = delete;
  LinkGuard& operator=(const LinkGuard&) = delete;

 private:
  pid_t pid_ = -1;
  int pipe_ = -1;
};

// A save killed outright (SIGKILL, power loss) may have left its temporary file beside the
// target: a hidden name made of the target's prefix and six letters or digits, a regular file
// of ours. A later save of the same target removes those; one younger than a minute is left,
// as it may belong to a save still running in another process.
void RemoveStrayTemporaries(const std::filesystem::path& target) {
  const std::string prefix = HiddenPrefix(target);
  const std::string namePrefix = std::filesystem::path(prefix).filename().string();
  const auto now = std::chrono::system_clock::now();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() != namePrefix.size() + 6 || name.compare(0, namePrefix.size(), namePrefix) != 0)
      continue;
    bool letters = true;
    for (std::size_t k = namePrefix.size(); k < name.size(); ++k)
      letters = letters && std::isalnum(static_cast<unsigned char>(name[k]));
    struct stat info {};
    if (!letters || ::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid())
      continue;
    const auto modified = std::chrono::system_clock::from_time_t(info.st_mtime);
    if (now - modified < std::chrono::minutes(1)) continue;
    ::unlink(entry.path().c_str());
  }
}

}  // namespace

void AllowUnnamedTemporaryFiles(bool allow) { unnamedAllowed = allow; }

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

FileReplacement::FileReplacement(const std::filesystem::path& path, std::size_t keepPrefix)
    : target_(ResolveFileLinks(path)) {
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
  std::string pattern = HiddenPrefix(target_) + "XXXXXX";
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
}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  temp_ = FileHandle();  // an unnamed file is gone with its descriptor
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    ClearPendingSaveFile();
  }
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

void FileReplacement::LinkUnnamed() {
  // A new file takes its name at once: nothing to rename, nothing that could stay behind.
  if (!targetExists_) {
    const int error = LinkDescriptor(temp_.Fd(), target_);
    if (error == 0) return;
    if (error != EEXIST) throw EInOutError::FromErrno(error);
  }
  // A name cannot be linked over an existing file: link to a fresh hidden name, then rename
  // that over the target at once. A SIGKILL between the two calls leaves it to the guard.
  std::random_device random;
  const std::string prefix = HiddenPrefix(target_);
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int k = 0; k < 6; ++k) name += kLetters[random() % (sizeof kLetters - 1)];
    MarkPendingSaveFile(name);
    const LinkGuard guard(name);
    const int error = LinkDescriptor(temp_.Fd(), name);
    if (error == EEXIST) continue;
    if (error != 0) {
      ClearPendingSaveFile();
      throw EInOutError::FromErrno(error);
    }
    if (::rename(name.c_str(), target_.c_str()) != 0) {
      const int renameError = errno;
      ::unlink(name.c_str());
      ClearPendingSaveFile();
      throw EInOutError::FromErrno(renameError);
    }
    ClearPendingSaveFile();
    return;
  }
  ClearPendingSaveFile();
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
    ClearPendingSaveFile();
  }
  SyncFolder(FolderOf(target_));
  RemoveStrayTemporaries(target_);
}

}  // namespace bv
