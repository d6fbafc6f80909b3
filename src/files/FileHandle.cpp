#include "files/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "files/InOutError.h"

namespace bv {

namespace {

bool IsSpecialMode(mode_t mode) {
  return S_ISCHR(mode) || S_ISBLK(mode) || S_ISFIFO(mode) || S_ISSOCK(mode);
}

}  // namespace

bool IsSpecialFile(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && IsSpecialMode(info.st_mode);
}

bool FileHandle::IsSpecial() const {
  struct stat info {};
  return ::fstat(fd_, &info) == 0 && IsSpecialMode(info.st_mode);
}

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileHandle FileHandle::OpenForReading(const std::filesystem::path& path) {
  // O_NONBLOCK keeps a FIFO given as a profile from hanging the open; regular files ignore it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) ThrowLastError();
  FileHandle file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) ThrowLastError();
  if (S_ISDIR(info.st_mode)) throw EInOutError::FromErrno(EISDIR);
  return file;
}

std::uint64_t FileHandle::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) ThrowLastError();
  return info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

std::size_t FileHandle::ReadSomeAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t got =
        ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowLastError();
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

void FileHandle::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (ReadSomeAt(offset, out) != out.size()) throw EInOutError(kReadBeyondEnd);
}

void FileHandle::WriteAll(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      ThrowLastError();
    }
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
}

void FileHandle::Sync() {
  if (::fsync(fd_) != 0) ThrowLastError();
}

void FileHandle::Close() {
  const int fd = std::exchange(fd_, -1);
  if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) ThrowLastError();
}

}  // namespace bv
