#pragma once
// What the browser protocol needs from the program: the open profile, the options, and the
// questions only the user answers. The program implements it in its window layer; tests
// implement it with scripted answers. Texts of the profile are Windows-1252; connection names
// and addresses UTF-8.

#include <optional>
#include <string>
#include <vector>

#include "extension/AddressMatch.h"
#include "profile/ProfileTree.h"

namespace bv {

// A login the browser offers to keep: a new account, or a new password for an existing one.
struct LoginOffer {
  std::string address;   // the page's address without query and fragment (Windows-1252)
  std::string userName;  // Windows-1252, each within its field's length
  std::string password;
  // Node identifiers (NodeIdentity.h), checked when the offer was made; the program finds
  // the nodes again after asking, since the profile may change while the user answers.
  std::string account;  // the account to update; empty for a new one
  std::string place;    // the category or group the browser named; empty for none
};

enum class LockOutcome {
  Closed,
  Unsaved,  // unsaved changes: the profile stays open, as with the idle lock
  NotOpen,
};

class BrowserHost {
 public:
  virtual ~BrowserHost() = default;

  [[nodiscard]] virtual bool IsProfileOpen() const = 0;
  // The open profile's canonical path, the key of what is kept for it outside the profile.
  [[nodiscard]] virtual std::string ProfileKey() const = 0;
  [[nodiscard]] virtual ProfileTree* Tree() = 0;
  [[nodiscard]] virtual MatchOptions Options() const = 0;

  // Whether the user allows a new connection; its name (UTF-8) when so.
  [[nodiscard]] virtual std::optional<std::string> AskConnection(const std::string& idKey) = 0;
  struct SiteAnswer {
    bool allow = false;
    bool remember = false;
  };
  // Whether account may be given to pages of host.
  [[nodiscard]] virtual SiteAnswer AskSite(const TreeNode& account, const std::string& host) = 0;
  // Asks the user and keeps the login as an unsaved change of the profile; false when refused.
  [[nodiscard]] virtual bool SaveLogin(const LoginOffer& offer) = 0;
  // Makes the groups of a path (categories first, as the tree allows), keeping those that
  // exist; the last one, or null when the path cannot be made.
  [[nodiscard]] virtual TreeNode* MakeGroups(const std::vector<std::string>& names) = 0;
  [[nodiscard]] virtual LockOutcome Lock() = 0;
  // Brings the login box of the last profile to the front.
  virtual void ShowUnlock() = 0;
};

}  // namespace bv
