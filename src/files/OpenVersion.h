#pragma once
// A version of a file kept as the descriptor it was read from instead of as its bytes: a
// profile of 200 MB held this way costs no memory, and its bytes can be read again for as long
// as nobody writes to that file in place. A rename over the file, or its deletion, leaves what
// the descriptor reads as it was; a write in place changes it. The descriptor's fstat tells
// them apart (WrittenBetween): other size or times and the version is lost, even when the file
// was only touched or renamed, since nothing kept could show its bytes to be the same.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>

#include "files/FileFingerprint.h"
#include "files/FileHandle.h"

namespace bv {

class OpenVersion {
 public:
  OpenVersion() = default;
  OpenVersion(FileHandle file, const FileStat& read) : file_(std::move(file)), read_(read) {}

  [[nodiscard]] bool IsOpen() const { return file_.Fd() >= 0; }
  // The file's stat when its bytes were read.
  [[nodiscard]] const FileStat& Stat() const { return read_; }
  // The bytes as they were read; nothing once the file shows a write, before or during this
  // read. Other failures to read throw EInOutError.
  [[nodiscard]] std::optional<WholeFile> ReadAgain() const;
  // Their SHA-256, read a block at a time without keeping them; nothing as above.
  [[nodiscard]] std::optional<Sha256> DigestAgain() const;
  // The file shows stat now with the same bytes (their digest was compared): later reads
  // compare with it. The stat of another file (the path now names a new one) changes nothing.
  void Retime(const FileStat& now);

 private:
  [[nodiscard]] bool WrittenSince(const FileStat& now) const { return WrittenBetween(read_, now); }

  FileHandle file_;
  FileStat read_;
};

// Opens path and reads it whole a block at a time, as ReadSettledFile does but keeping no
// bytes: visit sees each block, start runs before each try, and the descriptor stays open.
[[nodiscard]] OpenVersion ReadSettledVersion(const std::filesystem::path& path,
                                             const std::function<void()>& start,
                                             const BlockVisitor& visit, std::size_t blockBytes);

}  // namespace bv
