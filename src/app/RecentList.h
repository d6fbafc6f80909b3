#pragma once
// The recent profiles list: section "Reciente" of brindlevault.ini, keys "1" (the most
// recent) to "6", each the path of a profile as it was given when it was loaded. Also the
// shortened form of a path that the recent menus show.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/Settings.h"

namespace bv {

inline constexpr int kRecentCount = settings::kRecentCount;

// Entries 1..6 as the settings file holds them: nothing for a key it lacks.
using StoredRecent = std::array<std::optional<std::string>, kRecentCount>;
// Entries 1..6 as the menus show them: a missing key reads as an empty entry.
using RecentEntries = std::array<std::string, kRecentCount>;

// --- the add rule, without the settings file

// The six entries after path is added, or nothing when the list stays as it is (path is
// entry 1 already). Only entry 1 is compared, byte for byte: file names on Linux tell letter
// case apart, so "/x/DEL.bv3" and "/x/del.bv3" are two profiles. Every entry moves one place
// down, and an entry the file lacks is replaced by path, so the first profile fills all six.
[[nodiscard]] std::optional<RecentEntries> AddedToRecent(const StoredRecent& stored,
                                                         std::string_view path);

// --- the list in the settings file

[[nodiscard]] StoredRecent ReadStoredRecent();
[[nodiscard]] RecentEntries ReadRecentEntries();
// Entry k (1..6); empty when missing.
[[nodiscard]] std::string ReadRecentEntry(int k);
// Applies the add rule to the stored list. Throws ESettingsWriteError.
void AddToRecentList(std::string_view path);

// --- the display form

inline constexpr int kRecentCaptionWidth = 320;  // pixels, in the main window's font

// Width of a text (UTF-8 or Windows-1252 bytes, as the caller stores them) in pixels.
using TextWidth = std::function<int(std::string_view)>;

// A path that is wider than maxWidth keeps its head (the first folder after the root,
// "/home" of "/home/ana/perfiles/mio.bv3"; the first folder of a relative path), then
// "/..." and as many trailing folders and the file name as fit. When even the file name
// alone does not fit the result is head + "/.../" + name + "/...", wider than maxWidth.
// A path that is its head alone ("/mio.bv3", "mio.bv3") is shown as it is.
[[nodiscard]] std::string ShortenedPath(std::string_view path, int maxWidth,
                                        const TextWidth& width);

}  // namespace bv
