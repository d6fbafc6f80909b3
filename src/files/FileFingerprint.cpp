#include "files/FileFingerprint.h"

#include <sys/stat.h>

#include <botan/hash.h>
#include <cerrno>

#include "files/LargeBuffer.h"

namespace bv {
namespace {

// A writer at work usually finishes within a few reads; beyond that the caller decides.
constexpr int kReadTries = 3;

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

WholeFile ReadWhole(const FileHandle& file) {
  const struct stat info = FstatOf(file);
  // A FIFO or device has no fixed bytes to fingerprint.
  if (!S_ISREG(info.st_mode)) throw EInOutError(kAccessDenied);
  const FileStat before = FromStat(info);
  if (before.size > kMaxWholeFileSize) throw EInOutError::FromErrno(EFBIG);
  WholeFile whole;
  ResizeLargeBuffer(whole.bytes, before.size);
  if (file.ReadSomeAt(0, whole.bytes) != whole.bytes.size()) throw EChangedWhileRead();
  whole.fingerprint = FingerprintOfRead(file, before, whole.bytes);
  return whole;
}

FileFingerprint FingerprintOfRead(const FileHandle& file, const FileStat& before,
                                  std::span<const std::uint8_t> bytes) {
  // A byte beyond the end tells of a writer that appended within the same clock tick.
  std::uint8_t beyond = 0;
  if (bytes.size() != before.size || file.ReadSomeAt(before.size, {&beyond, 1}) != 0 ||
      WrittenBetween(before, StatOf(file)))
    throw EChangedWhileRead();
  return {before, Sha256Of(bytes)};
}

WholeFile ReadWholeFile(const std::filesystem::path& path) {
  // Looked at before opening: opening a socket fails and opening a device may act on it.
  if (IsSpecialFile(path)) throw EInOutError(kAccessDenied);
  const FileHandle file = FileHandle::OpenForReading(path);
  return ReadWhole(file);
}

WholeFile ReadSettledFile(const std::filesystem::path& path) {
  for (int attempt = 1;; ++attempt) {
    try {
      return ReadWholeFile(path);
    } catch (const EChangedWhileRead&) {
      if (attempt == kReadTries) throw;
    }
  }
}

DiskCheck CompareWithDisk(const std::filesystem::path& path, const FileFingerprint& held) {
  const std::optional<FileStat> now = StatOf(path);
  if (!now) return {DiskState::Missing, std::nullopt};
  if (*now == held.stat) return {DiskState::Unchanged, std::nullopt};
  WholeFile read;
  try {
    read = ReadSettledFile(path);
  } catch (const EInOutError& error) {
    // Gone between the stat and the open: a rename in progress left nothing there.
    if (error.SystemError() == ENOENT) return {DiskState::Missing, std::nullopt};
    throw;
  }
  const DiskState state =
      read.fingerprint.digest == held.digest ? DiskState::SameContent : DiskState::Changed;
  return {state, std::move(read)};
}

}  // namespace bv
