#pragma once
// The native-messaging manifests that tell each browser where brindlevault-proxy is, under
// the extension's host name. A manifest of that name may belong to another program
// (KeePassXC uses the same name): it is replaced only when the caller says so, kept beside
// as a copy, and put back when ours is removed.

#include <filesystem>
#include <string>
#include <vector>

namespace bv {

inline constexpr const char* kHostName = "org.keepassxc.keepassxc_browser";

struct BrowserTarget {
  std::string key;  // the settings key: Firefox, Chromium, Chrome, Brave, Vivaldi, Edge
  bool firefox = false;
  std::filesystem::path manifest;       // where the browser reads the manifest
  std::vector<std::string> programs;    // any of them on the PATH means it is installed
  std::filesystem::path profileFolder;  // or this folder of the user's exists
};

// The browsers the program writes manifests for, under home.
[[nodiscard]] std::vector<BrowserTarget> KnownBrowsers(const std::filesystem::path& home);
// Whether target seems installed: one of its programs on path (a PATH value), or its folder.
[[nodiscard]] bool IsInstalled(const BrowserTarget& target, const std::string& path);

[[nodiscard]] std::string ManifestText(const BrowserTarget& target,
                                       const std::filesystem::path& proxy);

enum class ManifestState {
  Absent,
  Ours,     // points to proxy
  Foreign,  // another program's, or not readable as a manifest
};
[[nodiscard]] ManifestState InspectManifest(const std::filesystem::path& manifest,
                                            const std::filesystem::path& proxy);
// The copy a replaced manifest is kept in.
[[nodiscard]] std::filesystem::path KeptCopy(const std::filesystem::path& manifest);

// Writes our manifest; a foreign one is moved to KeptCopy first, and only with
// replaceForeign. False when nothing was written.
bool WriteManifest(const BrowserTarget& target, const std::filesystem::path& proxy,
                   bool replaceForeign);
// Removes our manifest (never another's) and puts back a kept copy. False on failure.
bool RemoveManifest(const BrowserTarget& target, const std::filesystem::path& proxy);

}  // namespace bv
