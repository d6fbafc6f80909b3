#include "files/FileFingerprint.h"

#include <sys/stat.h>

#include <botan/hash.h>
#include <algorithm>
#include <cerrno>

#include "files/LargeBuffer.h"

namespace bv {
namespace {

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStat FromStat(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev),
          static_cast<std::uint64_t>(info.st_ino),
          info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0,
          Nanoseconds(info.st_mtim),
          Nanoseconds(info.st_ctim),
          static_cast<std::uint64_t>(info.st_nlink)};
}

struct stat FstatOf(const FileHandle& file) {
  struct stat info {};
  if (::fstat(file.Fd(), &info) != 0) ThrowLastError();
  return info;
}

}  // namespace

bool WrittenBetween(const FileStat& before, const FileStat& after) {
  return after.device != before.device || after.inode != before.inode ||
         after.size != before.size || after.modifiedNs != before.modifiedNs ||
         (after.changedNs != before.changedNs && after.links == before.links);
}

EChangedWhileRead::EChangedWhileRead()
    : EInOutError(kReadBeyondEnd, "the file changed while it was being read") {}

Sha256 Sha256Of(std::span<const std::uint8_t> bytes) {
  // Created per call: the object is cheap next to reading a file, and shares no state.
  const auto hash = Botan::HashFunction::create_or_throw("SHA-256");
  hash->update(bytes.data(), bytes.size());
  Sha256 digest{};
  hash->final(digest.data());
  return digest;
}

FileStat StatOf(const FileHandle& file) { return FromStat(FstatOf(file)); }

std::optional<FileStat> StatOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return FromStat(info);
  if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
  ThrowLastError();
}

namespace {

// The stat of a regular file about to be read whole, refusing one too large to hold.
FileStat StatBeforeWholeRead(const FileHandle& file) {
  const struct stat info = FstatOf(file);
  // A FIFO or device has no fixed bytes to fingerprint.
  if (!S_ISREG(info.st_mode)) throw EInOutError(kAccessDenied);
  const FileStat before = FromStat(info);
  if (before.size > kMaxWholeFileSize) throw EInOutError::FromErrno(EFBIG);
  return before;
}

// Reads size bytes a block at a time into the span blockAt(offset, length) gives for each,
// and shows it to visit.
template <typename BlockAt>
void ReadBlocks(const FileHandle& file, std::uint64_t size, std::size_t blockBytes,
                const BlockAt& blockAt, const BlockVisitor& visit) {
  for (std::uint64_t offset = 0; offset < size;) {
    const std::size_t length =
        static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes, size - offset));
    const std::span<std::uint8_t> block = blockAt(offset, length);
    if (file.ReadSomeAt(offset, block) != length) throw EChangedWhileRead();
    if (visit) visit(offset, block);
    offset += length;
  }
}

// The checks of FingerprintOfRead on a read of that many bytes.
FileFingerprint CheckedFingerprint(const FileHandle& file, const FileStat& before,
                                   std::uint64_t read) {
  // A byte beyond the end tells of a writer that appended within the same clock tick.
  std::uint8_t beyond = 0;
  if (read != before.size || file.ReadSomeAt(before.size, {&beyond, 1}) != 0 ||
      WrittenBetween(before, StatOf(file)))
    throw EChangedWhileRead();
  return {before, std::nullopt};
}

}  // namespace

WholeFile ReadWhole(const FileHandle& file, const BlockVisitor& visit, std::size_t blockBytes) {
  const FileStat before = StatBeforeWholeRead(file);
  WholeFile whole;
  // Filled a block at a time: each block is fresh in the cache for the visitor, and the
  // buffer is never cleared whole before the read overwrites it.
  ReserveLargeBuffer(whole.bytes, before.size);
  ReadBlocks(
      file, before.size, blockBytes,
      [&](std::uint64_t offset, std::size_t length) {
        whole.bytes.resize(offset + length);
        return std::span<std::uint8_t>(whole.bytes.data() + offset, length);
      },
      visit);
  whole.fingerprint = CheckedFingerprint(file, before, whole.bytes.size());
  return whole;
}

FileFingerprint VisitWhole(const FileHandle& file, const BlockVisitor& visit,
                           std::size_t blockBytes) {
  const FileStat before = StatBeforeWholeRead(file);
  std::vector<std::uint8_t> buffer(
      static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes, before.size)));
  ReadBlocks(
      file, before.size, blockBytes,
      [&](std::uint64_t, std::size_t length) { return std::span(buffer.data(), length); }, visit);
  return CheckedFingerprint(file, before, before.size);
}

FileFingerprint FingerprintOfRead(const FileHandle& file, const FileStat& before,
                                  std::span<const std::uint8_t> bytes) {
  return CheckedFingerprint(file, before, bytes.size());
}

FileHandle OpenWholeFile(const std::filesystem::path& path) {
  // Looked at before opening: opening a socket fails and opening a device may act on it.
  if (IsSpecialFile(path)) throw EInOutError(kAccessDenied);
  return FileHandle::OpenForReading(path);
}

WholeFile ReadWholeFile(const std::filesystem::path& path) {
  return ReadWhole(OpenWholeFile(path));
}

WholeFile ReadSettledFile(const std::filesystem::path& path) {
  return ReadSettledFile(path, {}, {}, kReadBlockBytes);
}

WholeFile ReadSettledFile(const std::filesystem::path& path, const std::function<void()>& start,
                          const BlockVisitor& visit, std::size_t blockBytes) {
  return RetryWhileChanging([&] {
    if (start) start();
    return ReadWhole(OpenWholeFile(path), visit, blockBytes);
  });
}

DiskCheck CompareWithDisk(const std::filesystem::path& path, const FileStat& held,
                          const HeldDigest& heldDigest) {
  const std::optional<FileStat> now = StatOf(path);
  if (!now) return {DiskState::Missing, std::nullopt};
  if (*now == held) return {DiskState::Unchanged, std::nullopt};
  WholeFile read;
  try {
    read = ReadSettledFile(path);
  } catch (const EInOutError& error) {
    // Gone between the stat and the open: a rename in progress left nothing there.
    if (error.SystemError() == ENOENT) return {DiskState::Missing, std::nullopt};
    throw;
  }
  read.fingerprint.digest = Sha256Of(read.bytes);
  const DiskState state =
      read.fingerprint.digest == heldDigest() ? DiskState::SameContent : DiskState::Changed;
  return {state, std::move(read)};
}

DiskCheck CompareWithDisk(const std::filesystem::path& path, const FileFingerprint& held) {
  return CompareWithDisk(path, held.stat, [&held] { return held.digest.value(); });
}

}  // namespace bv
