#pragma once
// An offline list of breached passwords ("Pwned Passwords"): the SHA-1 of each password's
// UTF-8 form in upper-case hex, a colon and the number of times it was seen, one per line,
// sorted by hash. The file is never loaded: each look-up is a binary search that reads a few
// bytes at a time, so memory stays the same whatever the file's size (tens of gigabytes).
//
// A file not in that form is refused (one empty line after the last is allowed, as editors
// and downloads leave it): the start and the end of the file are checked when it is opened, and every line a search reads is checked for its form and for its order against
// the lines read before it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bv {

using Sha1Digest = std::array<std::uint8_t, 20>;

// The SHA-1 of the password's UTF-8 form (the password is Windows-1252 bytes); the UTF-8 copy
// is wiped.
[[nodiscard]] Sha1Digest PasswordSha1(std::string_view password);
// The digest in upper-case hexadecimal, as the list writes it.
[[nodiscard]] std::string Sha1Hex(const Sha1Digest& digest);

class EBreachListError : public std::runtime_error {
 public:
  enum class Reason {
    Unreadable,  // cannot be opened or read (systemError tells why), or is a folder
    NotRegular,  // a device, FIFO or socket
    Empty,
    Malformed,  // a line that is not "HASH:COUNT" (offset: where the line begins)
    Unsorted,   // a line out of order (offset: where the line begins)
  };
  EBreachListError(Reason reason, std::uint64_t offset, int systemError = 0);

  [[nodiscard]] Reason reason() const { return reason_; }
  [[nodiscard]] std::uint64_t offset() const { return offset_; }
  [[nodiscard]] int systemError() const { return systemError_; }

 private:
  Reason reason_;
  std::uint64_t offset_;
  int systemError_;
};

class BreachList {
 public:
  // Opens the file and checks its first and last lines; throws EBreachListError.
  explicit BreachList(const std::filesystem::path& path);
  ~BreachList();
  BreachList(const BreachList&) = delete;
  BreachList& operator=(const BreachList&) = delete;

  // The times the hash was seen, 0 when it is not listed. Throws EBreachListError when a
  // line the search reads is malformed or out of order.
  [[nodiscard]] std::uint64_t TimesSeen(const Sha1Digest& digest) const;

  [[nodiscard]] std::uint64_t Size() const { return size_; }

 private:
  struct Line;
  // The line that begins at start, from the available bytes read there.
  [[nodiscard]] Line ParseLine(const char* text, std::size_t available, std::uint64_t start) const;
  // The first line that begins after pos - 1 (pos > 0), in one read.
  [[nodiscard]] Line LineAfter(std::uint64_t pos) const;
  // LineAfter for the search step numbered probe (1, then 2 or 3, ...), kept for the first
  // steps, which every search takes through the same lines.
  [[nodiscard]] Line Probe(std::size_t probe, std::uint64_t pos) const;
  // The start of the first line that begins at pos or after it (pos > 0), or the size.
  [[nodiscard]] std::uint64_t NextLineStart(std::uint64_t pos) const;
  // Visits the lines that begin from start (a line start) up to end, read in one go, until
  // visit returns false.
  void ForEachLine(std::uint64_t start, std::uint64_t end,
                   const std::function<bool(const Line&)>& visit) const;
  // Checks that the lines from start to end (line starts) are well formed and ascending.
  void CheckRun(std::uint64_t start, std::uint64_t end) const;
  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) const;
  // Leaves out one empty line after the last line.
  void DropFinalEmptyLine();

  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::unique_ptr<std::optional<Line>[]> probes_;  // the lines of the first search steps
};

}  // namespace bv
