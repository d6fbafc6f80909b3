#include "app/RecentList.h"

#include <algorithm>

#include "config/IniFile.h"
#include "config/ProgramPaths.h"

namespace bv {
namespace {

std::string KeyOf(int k) { return std::to_string(k); }

}  // namespace

std::optional<RecentEntries> AddedToRecent(const StoredRecent& stored, std::string_view path) {
  if (path == stored[0].value_or("")) return std::nullopt;
  RecentEntries entries;
  for (int k = kRecentCount - 1; k > 0; --k) entries[k] = stored[k - 1].value_or(std::string(path));
  entries[0] = path;
  return entries;
}

StoredRecent ReadStoredRecent() {
  const IniFile file(SettingsFilePath());
  StoredRecent stored;
  for (int k = 1; k <= kRecentCount; ++k) stored[k - 1] = file.Read(settings::kReciente, KeyOf(k));
  return stored;
}

RecentEntries ReadRecentEntries() {
  const StoredRecent stored = ReadStoredRecent();
  RecentEntries entries;
  for (int k = 0; k < kRecentCount; ++k) entries[k] = stored[k].value_or("");
  return entries;
}

std::string ReadRecentEntry(int k) {
  if (k < 1 || k > kRecentCount) return {};
  return ReadString(settings::kReciente, KeyOf(k), "");
}

void AddToRecentList(std::string_view path) {
  const auto entries = AddedToRecent(ReadStoredRecent(), path);
  if (!entries) return;
  // From the bottom up, as the entries move down.
  for (int k = kRecentCount; k >= 1; --k)
    WriteString(settings::kReciente, KeyOf(k), (*entries)[k - 1]);
}

std::string ShortenedPath(std::string_view path, int maxWidth, const TextWidth& width) {
  if (width(path) <= maxWidth) return std::string(path);
  // The head ends at the separator that follows the first folder.
  const std::size_t head = path.find('/', path.starts_with('/') ? 1 : 0);
  if (head == std::string_view::npos) return std::string(path);

  constexpr std::string_view kElided = "/...";
  std::string t = std::string(path) + std::string(kElided);
  while (width(t) > maxWidth) {
    // Drop the separator after the head, then the folder that followed it.
    t.erase(head, 1);
    const std::size_t next = t.find('/', head);
    if (next == t.size() - kElided.size()) {
      // Only the file name is left: it is shown whole, between the two marks.
      t.insert(head, "/");
      t.insert(head, kElided);
      return t;
    }
    t.erase(head, next - head);
  }
  t.resize(t.size() - kElided.size());
  t.insert(head, kElided);
  return t;
}

}  // namespace bv
