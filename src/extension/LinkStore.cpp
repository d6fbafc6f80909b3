#include "extension/LinkStore.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "config/ProgramPaths.h"

namespace bv {
namespace {

std::string RandomHex(std::size_t bytes) {
  std::vector<unsigned char> raw(bytes);
  randombytes_buf(raw.data(), raw.size());
  std::string hex(bytes * 2 + 1, '\0');
  sodium_bin2hex(hex.data(), hex.size(), raw.data(), raw.size());
  hex.pop_back();
  return hex;
}

}  // namespace

LinkStore::LinkStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path LinkStore::DefaultPath() {
  const std::filesystem::path base = UserConfigDir();
  return base.empty() ? base : base / "brindlevault" / "browser-links.json";
}

bool LinkStore::Load() {
  profiles_.clear();
  std::ifstream in(file_, std::ios::binary);
  if (!in) return true;
  std::ostringstream text;
  text << in.rdbuf();
  const auto json = nlohmann::json::parse(text.str(), nullptr, false);
  if (json.is_discarded() || !json.is_object()) return false;
  try {
    const nlohmann::json profiles = json.value("profiles", nlohmann::json::object());
    for (const auto& [path, entry] : profiles.items()) {
      Profile profile;
      profile.hash = entry.value("hash", "");
      const nlohmann::json connections = entry.value("connections", nlohmann::json::array());
      const nlohmann::json sites = entry.value("sites", nlohmann::json::array());
      for (const auto& connection : connections) {
        profile.connections.push_back(
            {connection.at("name").get<std::string>(), connection.at("key").get<std::string>()});
      }
      for (const auto& site : sites) {
        profile.sites[{site.at("account").get<std::string>(), site.at("host").get<std::string>()}] =
            site.at("allow").get<bool>();
      }
      profiles_[path] = std::move(profile);
    }
  } catch (const nlohmann::json::exception&) {
    profiles_.clear();
    return false;
  }
  return true;
}

bool LinkStore::Save() const {
  nlohmann::json profiles = nlohmann::json::object();
  for (const auto& [path, profile] : profiles_) {
    nlohmann::json connections = nlohmann::json::array();
    for (const auto& connection : profile.connections) {
      connections.push_back({{"name", connection.name}, {"key", connection.idKey}});
    }
    nlohmann::json sites = nlohmann::json::array();
    for (const auto& [key, allow] : profile.sites) {
      sites.push_back({{"account", key.first}, {"host", key.second}, {"allow", allow}});
    }
    profiles[path] = {{"hash", profile.hash}, {"connections", connections}, {"sites", sites}};
  }
  const std::string text = nlohmann::json{{"profiles", profiles}}.dump(1);
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  const std::filesystem::path temporary = file_.string() + ".new";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::fchmod(fd, 0600);
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool complete = written == text.size() && ::fsync(fd) == 0;
  ::close(fd);
  if (!complete || ::rename(temporary.c_str(), file_.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::string LinkStore::ProfileHash(const std::string& profile) {
  auto& entry = profiles_[profile];
  if (entry.hash.empty()) entry.hash = RandomHex(32);
  return entry.hash;
}

std::vector<BrowserConnection> LinkStore::Connections(const std::string& profile) const {
  const auto it = profiles_.find(profile);
  return it == profiles_.end() ? std::vector<BrowserConnection>{} : it->second.connections;
}

std::string LinkStore::AddConnection(const std::string& profile, BrowserConnection connection) {
  auto& connections = profiles_[profile].connections;
  const auto taken = [&](const std::string& name) {
    return std::any_of(connections.begin(), connections.end(), [&](const auto& c) {
      return c.name == name && c.idKey != connection.idKey;
    });
  };
  const std::string base = connection.name;
  for (int n = 2; taken(connection.name); ++n) connection.name = base + ' ' + std::to_string(n);
  std::erase_if(connections, [&](const auto& c) { return c.name == connection.name; });
  connections.push_back(connection);
  return connection.name;
}

bool LinkStore::RemoveConnection(const std::string& profile, const std::string& name) {
  const auto it = profiles_.find(profile);
  if (it == profiles_.end()) return false;
  return std::erase_if(it->second.connections, [&](const auto& c) { return c.name == name; }) > 0;
}

bool LinkStore::IsConnection(const std::string& profile, const std::string& name,
                             const std::string& idKey) const {
  const auto it = profiles_.find(profile);
  if (it == profiles_.end() || idKey.empty()) return false;
  for (const auto& connection : it->second.connections) {
    if (connection.name == name && connection.idKey == idKey) return true;
  }
  return false;
}

std::optional<bool> LinkStore::SiteDecision(const std::string& profile, const std::string& account,
                                            const std::string& host) const {
  const auto it = profiles_.find(profile);
  if (it == profiles_.end()) return std::nullopt;
  const auto site = it->second.sites.find({account, host});
  if (site == it->second.sites.end()) return std::nullopt;
  return site->second;
}

void LinkStore::RememberSite(const std::string& profile, const std::string& account,
                             const std::string& host, bool allow) {
  profiles_[profile].sites[{account, host}] = allow;
}

void LinkStore::ForgetSites(const std::string& profile) {
  if (const auto it = profiles_.find(profile); it != profiles_.end()) it->second.sites.clear();
}

std::size_t LinkStore::SiteCount(const std::string& profile) const {
  const auto it = profiles_.find(profile);
  return it == profiles_.end() ? 0 : it->second.sites.size();
}

}  // namespace bv
