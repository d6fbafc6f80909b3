#include "tools/BreachList.h"

#include <botan/hash.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
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
// Every search reads the same lines first: those of the first ten steps are kept (a thousand
// lines, whatever the size of the file).
constexpr std::size_t kKeptProbes = std::size_t{1} << 10;
// How much of the start and of the end of the file opening checks.
constexpr std::uint64_t kCheckedAtOpen = 4096;

using Hash = std::array<char, kHashLength>;

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::string SystemText(int error) { return std::strerror(error); }

std::string ErrorText(EBreachListError::Reason reason, std::uint64_t offset, int systemError) {
  using Reason = EBreachListError::Reason;
  switch (reason) {
    case Reason::Unreadable: return "cannot be read: " + SystemText(systemError);
    case Reason::NotRegular: return "is not a regular file (a device, FIFO or socket)";
    case Reason::Empty: return "is empty";
    case Reason::Malformed:
      return "is not a list of SHA-1 hashes in upper-case hex with counts (HASH:COUNT): "
             "byte " +
             std::to_string(offset);
    case Reason::Unsorted: return "is not sorted by hash: byte " + std::to_string(offset);
  }
  return {};
}

}  // namespace

Sha1Digest PasswordSha1(std::string_view password) {
  std::string utf8 = Cp1252ToUtf8(password);
  const WipeOnExit wipe(utf8);
  // One hash object per thread: final() leaves it cleared and ready for the next password.
  thread_local const std::unique_ptr<Botan::HashFunction> sha1 =
      Botan::HashFunction::create_or_throw("SHA-1");
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

EBreachListError::EBreachListError(Reason reason, std::uint64_t offset, int systemError)
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
  if (fd_ < 0) throw EBreachListError(EBreachListError::Reason::Unreadable, 0, errno);
  struct stat info {};
  int error = 0;
  if (::fstat(fd_, &info) != 0)
    error = errno;
  else if (S_ISDIR(info.st_mode))
    error = EISDIR;
  if (error != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd_);
    if (error == 0) throw EBreachListError(EBreachListError::Reason::NotRegular, 0);
    throw EBreachListError(EBreachListError::Reason::Unreadable, 0, error);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  probes_ = std::make_unique<std::optional<Line>[]>(kKeptProbes);
  try {
    DropFinalEmptyLine();
    if (size_ == 0) throw EBreachListError(EBreachListError::Reason::Empty, 0);
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

void BreachList::DropFinalEmptyLine() {
  char tail[3] = {};
  if (size_ < 2) return;
  const std::size_t got = ReadAt(size_ - std::min<std::uint64_t>(size_, 3), tail, sizeof tail);
  const std::string_view end(tail, got);
  if (end.ends_with("\n\r\n"))
    size_ -= 2;
  else if (end.ends_with("\n\n"))
    size_ -= 1;
}

std::size_t BreachList::ReadAt(std::uint64_t offset, char* buffer, std::size_t count) const {
  std::size_t done = 0;
  while (done < count && offset + done < size_) {
    const ssize_t got =
        ::pread(fd_, buffer + done, count - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EBreachListError(EBreachListError::Reason::Unreadable, offset, errno);
    if (got == 0) break;  // the file shrank under us: what is there is what we have
    done += static_cast<std::size_t>(got);
  }
  return done;
}

BreachList::Line BreachList::ParseLine(const char* text, std::size_t available,
                                       std::uint64_t start) const {
  const auto malformed = [start] {
    return EBreachListError(EBreachListError::Reason::Malformed, start);
  };
  Line line;
  line.start = start;
  if (available < kHashLength + 2 || text[kHashLength] != ':') throw malformed();
  for (std::size_t i = 0; i < kHashLength; ++i) {
    if (!IsUpperHex(text[i])) throw malformed();
    line.hash[i] = text[i];
  }
  std::size_t i = kHashLength + 1;
  for (; i < available && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (i - kHashLength > kMaxCountDigits) throw malformed();
    line.count = line.count * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  if (i == kHashLength + 1) throw malformed();
  if (i < available && text[i] == '\r') ++i;
  if (i < available && text[i] == '\n') {
    ++i;
  } else if (start + i != size_) {  // only the last line may end without a line break
    throw malformed();
  }
  line.end = start + i;
  return line;
}

BreachList::Line BreachList::LineAfter(std::uint64_t pos) const {
  // One read holds the end of the line pos falls in and the whole line after it.
  char buffer[2 * kMaxLineLength + 1];
  const std::size_t got = ReadAt(pos - 1, buffer, sizeof buffer);
  const char* newline =
      static_cast<const char*>(std::memchr(buffer, '\n', std::min(got, kMaxLineLength + 1)));
  if (!newline) throw EBreachListError(EBreachListError::Reason::Malformed, pos);
  const auto skip = static_cast<std::size_t>(newline - buffer) + 1;
  return ParseLine(buffer + skip, got - skip, pos - 1 + skip);
}

std::uint64_t BreachList::NextLineStart(std::uint64_t pos) const {
  char buffer[kMaxLineLength + 1];
  const std::size_t got = ReadAt(pos - 1, buffer, sizeof buffer);
  const char* newline = static_cast<const char*>(std::memchr(buffer, '\n', got));
  if (newline) return pos + static_cast<std::uint64_t>(newline - buffer);
  if (pos - 1 + got >= size_) return size_;
  throw EBreachListError(EBreachListError::Reason::Malformed, pos);
}

BreachList::Line BreachList::Probe(std::size_t probe, std::uint64_t pos) const {
  if (probe >= kKeptProbes) return LineAfter(pos);
  std::optional<Line>& kept = probes_[probe];
  if (!kept) kept = LineAfter(pos);
  return *kept;
}

void BreachList::ForEachLine(std::uint64_t start, std::uint64_t end,
                             const std::function<bool(const Line&)>& visit) const {
  // A search's last span fits on the stack; the longer runs checked at opening do not.
  char small[kScanSpan + kMaxLineLength];
  std::string large;
  const std::size_t wanted = end - start + kMaxLineLength;
  char* block = small;
  if (wanted > sizeof small) {
    large.resize(wanted);
    block = large.data();
  }
  const std::size_t got = ReadAt(start, block, wanted);
  for (std::uint64_t pos = start; pos < end;) {
    const auto skip = static_cast<std::size_t>(pos - start);
    const Line line = ParseLine(block + skip, got - skip, pos);
    if (!visit(line)) return;
    pos = line.end;
  }
}

void BreachList::CheckRun(std::uint64_t start, std::uint64_t end) const {
  std::optional<Hash> previous;
  ForEachLine(start, end, [&previous](const Line& line) {
    if (previous && !(*previous < line.hash))
      throw EBreachListError(EBreachListError::Reason::Unsorted, line.start);
    previous = line.hash;
    return true;
  });
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
  std::size_t probe = 1;  // the probe's place in the search's tree: 1, then 2 or 3...
  const auto checkOrder = [&](const Line& line) {
    if ((below && !(*below < line.hash)) || (above && !(line.hash < *above)))
      throw EBreachListError(EBreachListError::Reason::Unsorted, line.start);
  };
  while (hi - lo > kScanSpan) {
    const Line line = Probe(probe, lo + (hi - lo) / 2);
    checkOrder(line);
    if (line.hash == target) return line.count;
    const bool right = line.hash < target;
    if (right) {
      lo = line.end;
      below = line.hash;
    } else {
      hi = line.start;
      above = line.hash;
    }
    probe = 2 * probe + (right ? 1 : 0);
  }
  std::uint64_t seen = 0;
  ForEachLine(lo, hi, [&](const Line& line) {
    checkOrder(line);
    if (line.hash == target) seen = line.count;
    below = line.hash;
    return line.hash < target;
  });
  return seen;
}

}  // namespace bv
