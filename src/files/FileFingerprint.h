#pragma once
// Which version of a file we hold: its identity and times as the file system gives them, and
// a SHA-256 of its bytes. A file read whole from one descriptor comes with the cheap part of
// its fingerprint (device, inode, size, modification and change time); the digest is worked
// out only when a later look finds that cheap part changed, so a load costs no hashing.
//
// Times are in nanoseconds. The change time is part of it because sync tools set the
// modification time back and profiles with the same number of nodes have the same size. A
// writer that changes the bytes in place within one tick of the file system's clock and keeps
// the size leaves every cheap part equal: such a change goes unseen until the next one.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "files/FileHandle.h"
#include "files/InOutError.h"
#include "files/LargeBuffer.h"

namespace bv {

// The part of a fingerprint that fstat gives.
struct FileStat {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  std::uint64_t links = 0;  // a rename over the file unlinks it: that changes ctime, not bytes

  bool operator==(const FileStat&) const = default;
};

using Sha256 = std::array<std::uint8_t, 32>;

struct FileFingerprint {
  FileStat stat;
  std::optional<Sha256> digest;  // none until a comparison needed it

  bool operator==(const FileFingerprint&) const = default;
};

// A file's bytes as one read from one descriptor saw them, with their fingerprint.
struct WholeFile {
  LargeBytes bytes;
  FileFingerprint fingerprint;
};

// The file changed (size, times or identity) while it was being read: the bytes may mix two
// versions. Try again a little later, or refuse. Its code is the read-beyond-end failure.
class EChangedWhileRead : public EInOutError {
 public:
  EChangedWhileRead();
};

[[nodiscard]] Sha256 Sha256Of(std::span<const std::uint8_t> bytes);

// fstat of an open file.
[[nodiscard]] FileStat StatOf(const FileHandle& file);
// stat of path (through symbolic links); nothing when there is no file there (or a folder
// on the way is missing). Other failures throw EInOutError.
[[nodiscard]] std::optional<FileStat> StatOf(const std::filesystem::path& path);

// Whether the bytes of a file may have changed between two stats of one descriptor: other
// size or times; a new change time alone counts unless the number of links changed with it
// (renamed over or deleted while open, which leaves the bytes as they were).
[[nodiscard]] bool WrittenBetween(const FileStat& before, const FileStat& after);

// The fingerprint (without digest) of bytes just read whole from file, given its stat taken
// before the read: throws EChangedWhileRead when fstat now tells of a write (other size or
// times; a new change time alone counts unless the number of links changed with it: the file
// was renamed over or deleted while we read it, which leaves its bytes as they were) or the
// file no longer holds as many bytes as were read.
[[nodiscard]] FileFingerprint FingerprintOfRead(const FileHandle& file, const FileStat& before,
                                                std::span<const std::uint8_t> bytes);
// The largest file read whole: 512 MiB, some 280,000 records of a profile. A larger one (a
// sparse file claiming gigabytes, say) is refused (EFBIG) before anything is allocated for it.
inline constexpr std::uint64_t kMaxWholeFileSize = std::uint64_t{512} << 20;

// What a reader does with each block of a file as soon as it is read, while the block is
// still in the processor's cache: offset is a multiple of the block size.
using BlockVisitor = std::function<void(std::uint64_t offset, std::span<const std::uint8_t> block)>;
// Blocks of this many bytes; visited blocks are a multiple of this (the last may be shorter).
inline constexpr std::size_t kReadBlockBytes = std::size_t{1} << 17;

// Reads the whole file from one descriptor, with its fingerprint as above; visit, when given,
// sees each block in order (blockBytes: a multiple of the caller's record size).
[[nodiscard]] WholeFile ReadWhole(const FileHandle& file, const BlockVisitor& visit = {},
                                  std::size_t blockBytes = kReadBlockBytes);
// The same without keeping the bytes: each block is read into one buffer of blockBytes that
// the next one overwrites, so a file of any size costs no more memory than a block.
[[nodiscard]] FileFingerprint VisitWhole(const FileHandle& file, const BlockVisitor& visit,
                                         std::size_t blockBytes = kReadBlockBytes);
// Opens path for reading whole: a device, FIFO, socket or folder is refused with the
// access-denied failure; a missing file gives the file-not-found one.
[[nodiscard]] FileHandle OpenWholeFile(const std::filesystem::path& path);
// Opens path for reading and reads it whole. A device, FIFO, socket or folder is refused
// with the access-denied failure; a missing file gives the file-not-found one.
[[nodiscard]] WholeFile ReadWholeFile(const std::filesystem::path& path);
// The same, opening the path again when a writer changed the file during the read (a sync
// tool replacing it, a program writing it in place); a file still changing after a few tries
// throws EChangedWhileRead: the bytes of two versions are never mixed. With a visitor, start
// runs before every try (what the blocks of a spoiled try gave is dropped there).
[[nodiscard]] WholeFile ReadSettledFile(const std::filesystem::path& path);
[[nodiscard]] WholeFile ReadSettledFile(const std::filesystem::path& path,
                                        const std::function<void()>& start,
                                        const BlockVisitor& visit, std::size_t blockBytes);
// Runs read again while a writer spoils it (EChangedWhileRead), a few tries at most.
template <typename Read>
auto RetryWhileChanging(const Read& read) {
  constexpr int kReadTries = 3;  // a writer at work usually finishes within a few reads
  for (int attempt = 1;; ++attempt) {
    try {
      return read();
    } catch (const EChangedWhileRead&) {
      if (attempt == kReadTries) throw;
    }
  }
}

enum class DiskState {
  Unchanged,    // the same file, untouched since: nothing was read
  SameContent,  // touched or rewritten with the same bytes: only the cheap part moved on
  Changed,      // other bytes
  Missing,      // no file at the path: deleted or moved away
};

struct DiskCheck {
  DiskState state = DiskState::Unchanged;
  // SameContent: the fingerprint to hold from now on. Changed: the bytes read and their
  // fingerprint, so that whoever reloads uses exactly what was compared. Both with digest.
  std::optional<WholeFile> read;
};

// The digest of the version held, asked for only when the cheap part of the file on disk
// differs from the held one (its holder works it out from the bytes it keeps, then).
using HeldDigest = std::function<Sha256()>;

// How the file at path compares with the version held. A file that keeps changing while it
// is read (a writer at work) throws EChangedWhileRead after a few tries; other failures to
// read throw EInOutError.
[[nodiscard]] DiskCheck CompareWithDisk(const std::filesystem::path& path, const FileStat& held,
                                        const HeldDigest& heldDigest);
// The same with a fingerprint whose digest is known (std::bad_optional_access otherwise).
[[nodiscard]] DiskCheck CompareWithDisk(const std::filesystem::path& path,
                                        const FileFingerprint& held);

}  // namespace bv
