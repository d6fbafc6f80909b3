#pragma once
// What the program keeps about browsers, per profile (by its canonical path), outside the
// profile: the profile's random identifier for the browser, the allowed connections (a name
// and the browser's public identification key) and the remembered decisions on sites. One
// JSON file of its own, readable and writable by its owner only.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bv {

struct BrowserConnection {
  std::string name;
  std::string idKey;  // base64 of the browser's identification public key
};

class LinkStore {
 public:
  explicit LinkStore(std::filesystem::path file);
  // $XDG_CONFIG_HOME/brindlevault/browser-links.json (~/.config when the variable is unset).
  static std::filesystem::path DefaultPath();

  // Reads the file; a missing file is an empty store, a damaged one too (false).
  bool Load();
  // Writes it whole, mode 0600, through a temporary file renamed over it.
  bool Save() const;

  // The profile's identifier for the browser: 64 random hex digits made on first use.
  std::string ProfileHash(const std::string& profile);

  [[nodiscard]] std::vector<BrowserConnection> Connections(const std::string& profile) const;
  // Keeps a connection; a name another key holds already gets " 2", " 3"... The name kept.
  std::string AddConnection(const std::string& profile, BrowserConnection connection);
  bool RemoveConnection(const std::string& profile, const std::string& name);
  [[nodiscard]] bool IsConnection(const std::string& profile, const std::string& name,
                                  const std::string& idKey) const;

  // The remembered answer for an account (its identifier) on a host, if any.
  [[nodiscard]] std::optional<bool> SiteDecision(const std::string& profile,
                                                 const std::string& account,
                                                 const std::string& host) const;
  void RememberSite(const std::string& profile, const std::string& account, const std::string& host,
                    bool allow);
  // Forgets every remembered site of a profile.
  void ForgetSites(const std::string& profile);
  [[nodiscard]] std::size_t SiteCount(const std::string& profile) const;

 private:
  struct Profile {
    std::string hash;
    std::vector<BrowserConnection> connections;
    std::map<std::pair<std::string, std::string>, bool> sites;  // (account, host)
  };

  std::filesystem::path file_;
  std::map<std::string, Profile> profiles_;
};

}  // namespace bv
