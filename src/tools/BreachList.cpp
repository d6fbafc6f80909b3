#include "tools/BreachList.h"

#include <botan/hash.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "config/Cp1252.h"
#include "crypto/WipedText.h"

namespace bv {
namespace {

constexpr std::size_t kHashLength = 40;
constexpr std::size_t kMaxCountDigits = 19;  // every such number fits in 64 bits
// "HASH:COUNT\r\n" at its longest.
constexpr std::size_t kMaxLineLength = kHashLength + 1 + kMaxCountDigits + 2;
// Below this span a search reads the lines one after another.
constexpr std::uint64_t kScanSpan = 512;
// How much of the start and of the end of the file opening checks.
constexpr std::uint64_t kCheckedAtOpen = 4096;

using Hash = std::array<char, kHashLength>;

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::string SystemText(int error) { return std::strerror(error); }

std::string ErrorText(BreachListError::Reason reason, std::uint64_t offset, int systemError) {
  using Reason = BreachListError::Reason;
  switch (reason) {
    case Reason::Unreadable: return "cannot be read: " + SystemText(systemError);
    case Reason::Empty: return "is empty";
    case Reason::Malformed:
      return "is not a list of SHA-1 hashes in upper-case hex with counts (HASH:COUNT): "
             "byte " + std::to_string(offset);
    case Reason::Unsorted:
      return "is not sorted by hash: byte " + std::to_string(offset);
  }
  return {};
}

}  // namespace

Sha1Digest PasswordSha1(std::string_view password) {
  std::string utf8 = Cp1252ToUtf8(password);
  const WipeOnExit wipe(utf8);
  const auto sha1 = Botan::HashFunction::create_or_throw("SHA-1");
  sha1->update(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size());
  Sha1Digest digest{};
  sha1->final(digest.data());
  return digest;
}

std::string Sha1Hex(const Sha1Digest& digest) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(kHashLength);
  for (const std::uint8_t byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

BreachListError::BreachListError(Reason reason, std::uint64_t offset, int systemError)
    : std::runtime_error(ErrorText(reason, offset, systemError)),
      reason_(reason),
      offset_(offset),
      systemError_(systemError) {}

struct BreachList::Line {
  std::uint64_t start = 0;
  std::uint64_t end = 0;  // where the next line begins
  Hash hash{};
  std::uint64_t count = 0;
};

BreachList::BreachList(const std::filesystem::path& path) {
  // Non-blocking, so that naming a FIFO does not wait for a writer; a regular file ignores it.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw BreachListError(BreachListError::Reason::Unreadable, 0, errno);
  struct stat info {};
  int error = 0;
  if (::fstat(fd_, &info) != 0)
    error = errno;
  else if (!S_ISREG(info.st_mode))
    error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
  if (error != 0) {
    ::close(fd_);
    throw BreachListError(BreachListError::Reason::Unreadable, 0, error);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  try {
    if (size_ == 0) throw BreachListError(BreachListError::Reason::Empty, 0);
    if (size_ <= 2 * kCheckedAtOpen) {
      CheckRun(0, size_);
    } else {
      CheckRun(0, NextLineStart(kCheckedAtOpen));
      CheckRun(NextLineStart(size_ - kCheckedAtOpen), size_);
    }
  } catch (...) {
    ::close(fd_);
    throw;
  }
}

BreachList::~BreachList() { ::close(fd_); }

std::size_t BreachList::ReadAt(std::uint64_t offset, char* buffer, std::size_t count) const {
  std::size_t done = 0;
  while (done < count && offset + done < size_) {
    const ssize_t got = ::pread(fd_, buffer + done, count - done,
                                static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw BreachListError(BreachListError::Reason::Unreadable, offset, errno);
    if (got == 0) break;  // the file shrank under us: what is there is what we have
    done += static_cast<std::size_t>(got);
  }
  return done;
}

BreachList::Line BreachList::LineAt(std::uint64_t start) const {
  char buffer[kMaxLineLength];
  const std::size_t got = ReadAt(start, buffer, sizeof buffer);
  const auto malformed = [start] {
    return BreachListError(BreachListError::Reason::Malformed, start);
  };
  Line line;
  line.start = start;
  if (got < kHashLength + 2 || buffer[kHashLength] != ':') throw malformed();
  for (std::size_t i = 0; i < kHashLength; ++i) {
    if (!IsUpperHex(buffer[i])) throw malformed();
    line.hash[i] = buffer[i];
  }
  std::size_t i = kHashLength + 1;
  for (; i < got && buffer[i] >= '0' && buffer[i] <= '9'; ++i) {
    if (i - kHashLength > kMaxCountDigits) throw malformed();
    line.count = line.count * 10 + static_cast<std::uint64_t>(buffer[i] - '0');
  }
  if (i == kHashLength + 1) throw malformed();
  if (i < got && buffer[i] == '\r') ++i;
  if (i < got && buffer[i] == '\n') {
    ++i;
  } else if (start + i != size_) {  // only the last line may end without a line break
    throw malformed();
  }
  line.end = start + i;
  return line;
}

std::uint64_t BreachList::NextLineStart(std::uint64_t pos) const {
  char buffer[kMaxLineLength + 1];
  const std::size_t got = ReadAt(pos - 1, buffer, sizeof buffer);
  const char* newline = static_cast<const char*>(std::memchr(buffer, '\n', got));
  if (newline) return pos + static_cast<std::uint64_t>(newline - buffer);
  if (pos - 1 + got >= size_) return size_;
  throw BreachListError(BreachListError::Reason::Malformed, pos);
}

void BreachList::CheckRun(std::uint64_t start, std::uint64_t end) const {
  Hash previous{};
  bool first = true;
  for (std::uint64_t pos = start; pos < end;) {
    const Line line = LineAt(pos);
    if (!first && !(previous < line.hash))
      throw BreachListError(BreachListError::Reason::Unsorted, pos);
    previous = line.hash;
    first = false;
    pos = line.end;
  }
}

std::uint64_t BreachList::TimesSeen(const Sha1Digest& digest) const {
  const std::string hex = Sha1Hex(digest);
  Hash target{};
  std::copy(hex.begin(), hex.end(), target.begin());

  // lo and hi are line starts: every line before lo sorts below the target, the line at hi
  // (when hi is not the end) above it. below and above are those lines' hashes, which every
  // line read between them must lie between in a sorted file.
  std::uint64_t lo = 0;
  std::uint64_t hi = size_;
  std::optional<Hash> below;
  std::optional<Hash> above;
  const auto checkOrder = [&](const Line& line) {
    if ((below && !(*below < line.hash)) || (above && !(line.hash < *above)))
      throw BreachListError(BreachListError::Reason::Unsorted, line.start);
  };
  while (hi - lo > kScanSpan) {
    const Line line = LineAt(NextLineStart(lo + (hi - lo) / 2));
    checkOrder(line);
    if (line.hash == target) return line.count;
    if (line.hash < target) {
      lo = line.end;
      below = line.hash;
    } else {
      hi = line.start;
      above = line.hash;
    }
  }
  for (std::uint64_t pos = lo; pos < hi;) {
    const Line line = LineAt(pos);
    checkOrder(line);
    if (line.hash == target) return line.count;
    if (target < line.hash) break;
    below = line.hash;
    pos = line.end;
  }
  return 0;
}

}  // namespace bv
