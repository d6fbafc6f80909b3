#pragma once
// Plain POSIX file access; every failure throws EInOutError.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace bv {

// An open file descriptor, closed when it goes.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Opens for reading only: a profile that cannot be written can still be read.
  static FileHandle OpenForReading(const std::filesystem::path& path);

  int Fd() const { return fd_; }
  // A character or block device, a FIFO or a socket.
  [[nodiscard]] bool IsSpecial() const;
  [[nodiscard]] std::uint64_t Size() const;
  // Reads exactly out.size() bytes at offset; a file that ends first gives the
  // read-beyond-end failure.
  void ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  // Reads up to out.size() bytes at offset; returns how many the file had.
  [[nodiscard]] std::size_t ReadSomeAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  void WriteAll(std::span<const std::uint8_t> bytes);
  void Sync();
  // Closes now and reports a failing close (which can be the first sign of a lost write).
  void Close();

 private:
  int fd_ = -1;
};

// True when path names (through symbolic links) a character or block device, a FIFO or a
// socket: never a profile, and never a place to save one. False for a missing file.
[[nodiscard]] bool IsSpecialFile(const std::filesystem::path& path);

}  // namespace bv
