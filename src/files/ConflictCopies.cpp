#include "files/ConflictCopies.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace bv {
namespace {

// Reads a name from the front, one piece at a time.
class NameReader {
 public:
  explicit NameReader(std::string_view text) : rest_(text) {}

  bool Literal(std::string_view piece) {
    if (!rest_.starts_with(piece)) return false;
    rest_.remove_prefix(piece.size());
    return true;
  }
  bool Digits(std::size_t count) {
    if (rest_.size() < count) return false;
    for (std::size_t k = 0; k < count; ++k)
      if (!std::isdigit(static_cast<unsigned char>(rest_[k]))) return false;
    rest_.remove_prefix(count);
    return true;
  }
  // "YYYY-MM-DD"
  bool Date() { return Digits(4) && Literal("-") && Digits(2) && Literal("-") && Digits(2); }
  bool AtEnd() const { return rest_.empty(); }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// ".sync-conflict-YYYYMMDD-HHMMSS-DEVICE": the device is the short form of its identifier,
// upper-case letters and digits.
bool IsSyncthingMark(std::string_view mark) {
  NameReader read(mark);
  if (!(read.Literal(".sync-conflict-") && read.Digits(8) && read.Literal("-") && read.Digits(6) &&
        read.Literal("-") && !read.AtEnd()))
    return false;
  const std::string_view device = read.Rest();
  return std::all_of(device.begin(), device.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isupper(byte) || std::isdigit(byte);
  });
}

// What follows "conflicted copy ": the date, Nextcloud's time, and a number that Dropbox adds
// when the name was taken. Nothing for another text.
std::optional<SyncTool> ConflictedCopyTail(std::string_view tail) {
  NameReader read(tail);
  if (!read.Date()) return std::nullopt;
  const bool timed = !read.Rest().starts_with(" (") && read.Literal(" ");
  if (timed && !read.Digits(6)) return std::nullopt;
  if (read.Literal(" (")) {
    if (!read.Digits(1)) return std::nullopt;
    while (read.Digits(1)) {}
    if (!read.Literal(")")) return std::nullopt;
  }
  if (!read.AtEnd()) return std::nullopt;
  return timed ? SyncTool::Nextcloud : SyncTool::Dropbox;
}

// " (...)" after the name: Nextcloud's, Dropbox's or Seafile's mark.
std::optional<SyncTool> BracketedMark(std::string_view mark) {
  if (!mark.starts_with(" (") || !mark.ends_with(")") || mark.size() < 3) return std::nullopt;
  const std::string_view inside = mark.substr(2, mark.size() - 3);
  if (inside.starts_with("SFConflict ") && inside.size() > 11) return SyncTool::Seafile;
  constexpr std::string_view kCopy = "conflicted copy ";
  const std::size_t at = inside.rfind(kCopy);
  if (at == std::string_view::npos) return std::nullopt;
  // Text before it (the owner) ends with a blank; words between it and the date (a user)
  // are passed over.
  if (at > 0 && inside[at - 1] != ' ') return std::nullopt;
  const std::string_view tail = inside.substr(at + kCopy.size());
  for (std::size_t from = 0; from < tail.size(); ++from)
    if (from == 0 || tail[from - 1] == ' ')
      if (const auto tool = ConflictedCopyTail(tail.substr(from))) return tool;
  return std::nullopt;
}

}  // namespace

std::optional<SyncTool> ConflictCopyTool(std::string_view fileName, std::string_view candidate) {
  // "NAME.EXT": the extension begins at the last dot, unless that dot starts the name.
  const std::size_t dot = fileName.rfind('.');
  const std::size_t stemLength = dot == std::string_view::npos || dot == 0 ? fileName.size() : dot;
  const std::string_view stem = fileName.substr(0, stemLength);
  const std::string_view extension = fileName.substr(stemLength);
  if (stem.empty() || candidate.size() <= fileName.size() || !candidate.starts_with(stem) ||
      !candidate.ends_with(extension))
    return std::nullopt;
  const std::string_view mark =
      candidate.substr(stem.size(), candidate.size() - stem.size() - extension.size());
  if (IsSyncthingMark(mark)) return SyncTool::Syncthing;
  return BracketedMark(mark);
}

std::vector<std::filesystem::path> ConflictCopiesOf(const std::filesystem::path& file) {
  std::vector<std::filesystem::path> copies;
  const std::string name = file.filename().string();
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (ConflictCopyTool(name, it->path().filename().string()) && it->is_regular_file(ignored))
      copies.push_back(it->path());
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

}  // namespace bv
