#pragma once
// The program's side of the KeePassXC-Browser protocol: one JSON request in, one JSON reply
// out, for one connection at a time. After change-public-keys every request is boxed (see
// BoxChannel); a request that is too long, not JSON, not boxed right, under a used nonce or
// for an action not offered gets an error reply and changes nothing.

#include <optional>
#include <string>
#include <string_view>

#include "extension/BoxChannel.h"
#include "extension/BrowserHost.h"
#include "extension/LinkStore.h"
#include "extension/PublicSuffixes.h"
#include "tools/RandomSource.h"

namespace bv {

// The KeePassXC version the program answers as: the extension turns its features on by it.
// 2.6.1 offers group names with the logins and two-step codes, and no more (2.7.0 would ask
// for icons of new logins and the program's own generator window).
inline constexpr const char* kAnsweredVersion = "2.6.1";

// The protocol's error codes.
enum class BrowserError {
  Unknown = 0,
  ProfileClosed = 1,
  NoClientKey = 3,
  CannotDecrypt = 4,
  Denied = 6,
  AssociationFailed = 8,
  KeyChangeFailed = 9,
  IncorrectAction = 12,
  EmptyMessage = 13,
  NoUrl = 14,
  NoLogins = 15,
  NoGroups = 16,
  CannotCreateGroup = 17,
  NoValidIdentifier = 18,
};

// One browser on the other end of one connection.
class BrowserConnectionState {
 public:
  BoxChannel box;
  // The profile this connection proved a kept key for, and that key's connection.
  std::string associatedProfile;
  std::string associatedName;
  std::string associatedKey;
};

class BrowserProtocol {
 public:
  BrowserProtocol(BrowserHost& host, LinkStore& store, RandomSource& random,
                  const PublicSuffixes& suffixes);

  // The reply to one request (a frame's text).
  [[nodiscard]] std::string Answer(BrowserConnectionState& connection, std::string_view request);
  [[nodiscard]] std::string AnswerTooLarge() const;

  // The reply to a frame that was too long and skipped unread.
  // The notices pushed to every connection when the profile closes or opens.
  [[nodiscard]] static std::string LockedNotice();
  [[nodiscard]] static std::string UnlockedNotice();

 private:
  struct Request;
  std::string Handle(BrowserConnectionState& connection, Request& request);
  std::string Dispatch(BrowserConnectionState& connection, const Request& request);
  std::string ChangePublicKeys(BrowserConnectionState& connection, const Request& request);
  std::string DatabaseHash(BrowserConnectionState& connection, const Request& request);
  std::string Associate(BrowserConnectionState& connection, const Request& request);
  std::string TestAssociate(BrowserConnectionState& connection, const Request& request);
  std::string Logins(BrowserConnectionState& connection, const Request& request);
  std::string SetLogin(BrowserConnectionState& connection, const Request& request);
  std::string GeneratePassword(BrowserConnectionState& connection, const Request& request);
  std::string Groups(BrowserConnectionState& connection, const Request& request);
  std::string CreateGroup(BrowserConnectionState& connection, const Request& request);
  std::string LockProfile(BrowserConnectionState& connection, const Request& request);
  std::string Totp(BrowserConnectionState& connection, const Request& request);

  bool IsAssociated(const BrowserConnectionState& connection) const;

  BrowserHost& host_;
  LinkStore& store_;
  RandomSource& random_;
  const PublicSuffixes& suffixes_;
};

}  // namespace bv
