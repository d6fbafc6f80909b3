#pragma once
// Plain POSIX file access for profile files; every failure throws EInOutError.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "profile/RecordLayout.h"

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
  bool IsSpecial() const;
  std::uint64_t Size() const;
  // Reads exactly out.size() bytes at offset; a file that ends first gives the
  // read-beyond-end failure.
  void ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  // Reads up to out.size() bytes at offset; returns how many the file had.
  std::size_t ReadSomeAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  void WriteAll(std::span<const std::uint8_t> bytes);
  void Sync();
  // Closes now and reports a failing close (which can be the first sign of a lost write).
  void Close();

 private:
  int fd_ = -1;
};

// Reads records [first, end) in order, a block of records at a time: one pass over the file
// with a small fixed buffer, however large the profile.
class RecordReader {
 public:
  RecordReader(const FileHandle& file, std::uint64_t first, std::uint64_t end);
  // The next record, valid until the following call; empty after the last one.
  std::optional<RecordBytes> Next();

 private:
  static constexpr std::size_t kRecordsPerBlock = 64;
  const FileHandle& file_;
  std::uint64_t nextToRead_;
  std::uint64_t end_;
  std::vector<std::uint8_t> block_;
  std::size_t inBlock_ = 0;
  std::size_t used_ = 0;
};

// True when path names (through symbolic links) a character or block device, a FIFO or a
// socket: never a profile, and never a place to save one. False for a missing file.
bool IsSpecialFile(const std::filesystem::path& path);

// Number of whole records in a file of the given size (a trailing part is ignored).
inline std::uint64_t WholeRecords(std::uint64_t fileSize) { return fileSize / kRecordSize; }

}  // namespace bv
