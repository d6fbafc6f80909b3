#include "extension/HostManifests.h"

#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace bv {
namespace {

// The extension's identifiers in the Firefox add-ons site and in the Chrome and Edge stores.
constexpr const char* kFirefoxExtension = "keepassxc-browser@keepassxc.org";
constexpr const char* kChromeOrigin = "chrome-extension://oboonakemofpalcgghocfoadofidjkkk/";
constexpr const char* kEdgeOrigin = "chrome-extension://pdffhmnngciaglkoonimfcmckehcpafo/";

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteAll(const std::filesystem::path& path, const std::string& text) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  const std::filesystem::path temporary = path.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) return false;
  }
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace

std::vector<BrowserTarget> KnownBrowsers(const std::filesystem::path& home) {
  const auto config = home / ".config";
  const std::string file = std::string(kHostName) + ".json";
  return {
      {"Firefox",
       true,
       home / ".mozilla/native-messaging-hosts" / file,
       {"firefox", "firefox-esr"},
       home / ".mozilla"},
      {"Chromium",
       false,
       config / "chromium/NativeMessagingHosts" / file,
       {"chromium"},
       config / "chromium"},
      {"Chrome",
       false,
       config / "google-chrome/NativeMessagingHosts" / file,
       {"google-chrome", "google-chrome-stable"},
       config / "google-chrome"},
      {"Brave",
       false,
       config / "BraveSoftware/Brave-Browser/NativeMessagingHosts" / file,
       {"brave-browser", "brave"},
       config / "BraveSoftware/Brave-Browser"},
      {"Vivaldi",
       false,
       config / "vivaldi/NativeMessagingHosts" / file,
       {"vivaldi", "vivaldi-stable"},
       config / "vivaldi"},
      {"Edge",
       false,
       config / "microsoft-edge/NativeMessagingHosts" / file,
       {"microsoft-edge", "microsoft-edge-stable"},
       config / "microsoft-edge"},
  };
}

bool IsInstalled(const BrowserTarget& target, const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(target.profileFolder, error)) return true;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t colon = std::min(path.find(':', start), path.size());
    const std::filesystem::path folder = path.substr(start, colon - start);
    start = colon + 1;
    if (folder.empty()) continue;
    for (const auto& program : target.programs) {
      if (::access((folder / program).c_str(), X_OK) == 0) return true;
    }
  }
  return false;
}

std::string ManifestText(const BrowserTarget& target, const std::filesystem::path& proxy) {
  nlohmann::json manifest = {{"name", kHostName},
                             {"description", "Brindlevault answering KeePassXC-Browser"},
                             {"path", proxy.string()},
                             {"type", "stdio"}};
  if (target.firefox) {
    manifest["allowed_extensions"] = {kFirefoxExtension};
  } else {
    manifest["allowed_origins"] = {kChromeOrigin, kEdgeOrigin};
  }
  return manifest.dump(4) + "\n";
}

ManifestState InspectManifest(const std::filesystem::path& manifest,
                              const std::filesystem::path& proxy) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(manifest, error))) {
    return ManifestState::Absent;
  }
  const auto json = nlohmann::json::parse(ReadAll(manifest), nullptr, false);
  if (json.is_object() && json.contains("path") && json["path"].is_string() &&
      json["path"].get<std::string>() == proxy.string()) {
    return ManifestState::Ours;
  }
  return ManifestState::Foreign;
}

std::filesystem::path KeptCopy(const std::filesystem::path& manifest) {
  return manifest.string() + ".brindlevault-kept";
}

bool WriteManifest(const BrowserTarget& target, const std::filesystem::path& proxy,
                   bool replaceForeign) {
  if (InspectManifest(target.manifest, proxy) == ManifestState::Foreign) {
    if (!replaceForeign) return false;
    std::error_code error;
    std::filesystem::rename(target.manifest, KeptCopy(target.manifest), error);
    if (error) return false;
  }
  return WriteAll(target.manifest, ManifestText(target, proxy));
}

bool RemoveManifest(const BrowserTarget& target, const std::filesystem::path& proxy) {
  std::error_code error;
  if (InspectManifest(target.manifest, proxy) == ManifestState::Ours) {
    std::filesystem::remove(target.manifest, error);
    if (error) return false;
  }
  const auto kept = KeptCopy(target.manifest);
  if (std::filesystem::exists(kept, error) &&
      InspectManifest(target.manifest, proxy) == ManifestState::Absent) {
    std::filesystem::rename(kept, target.manifest, error);
  }
  return !error;
}

}  // namespace bv
