#include "extension/BrowserProtocol.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

#include "config/Cp1252.h"
#include "extension/MessageFrames.h"
#include "extension/NodeIdentity.h"
#include "tools/OneTimeCode.h"
#include "tools/PasswordPool.h"

namespace bv {

using Json = nlohmann::json;

struct BrowserProtocol::Request {
  std::string action;
  Json outer;
  Json inner;  // the opened message
  BoxNonce nonce{};
};

namespace {

constexpr std::size_t kGeneratedLength = 20;
// The identifier the browser is given for the top of the tree.
constexpr const char* kTopIdentifier = "00000000000000000000000000000000";

std::string Dump(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Text(const Json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

const char* ErrorText(BrowserError error) {
  switch (error) {
    case BrowserError::ProfileClosed: return "Database not opened";
    case BrowserError::NoClientKey: return "Client public key not received";
    case BrowserError::CannotDecrypt: return "Cannot decrypt message";
    case BrowserError::Denied: return "Action cancelled or denied";
    case BrowserError::AssociationFailed: return "KeePassXC association failed, try again";
    case BrowserError::KeyChangeFailed: return "Key change was not successful";
    case BrowserError::IncorrectAction: return "Incorrect action";
    case BrowserError::EmptyMessage: return "Empty message received";
    case BrowserError::NoUrl: return "No URL provided";
    case BrowserError::NoLogins: return "No logins found";
    case BrowserError::NoGroups: return "No groups found";
    case BrowserError::CannotCreateGroup: return "Cannot create new group";
    case BrowserError::NoValidIdentifier: return "No valid UUID provided";
    case BrowserError::Unknown: break;
  }
  return "Unknown error";
}

// An error goes in plain, without a nonce; the browser pairs it with its request by action
// and request id.
std::string ErrorReply(std::string_view action, BrowserError error, const Json& outer = {}) {
  Json reply = {{"action", action},
                {"errorCode", std::to_string(static_cast<int>(error))},
                {"error", ErrorText(error)}};
  if (outer.is_object() && outer.contains("requestID")) reply["requestID"] = outer["requestID"];
  return Dump(reply);
}

std::string NonceText(const BoxNonce& nonce) {
  return ToBase64({reinterpret_cast<const char*>(nonce.data()), nonce.size()});
}

// Windows-1252 within limit, or nothing.
std::optional<std::string> StoredForm(const std::string& utf8, std::size_t limit) {
  auto text = Utf8ToCp1252(utf8);
  if (!text || text->size() > limit) return std::nullopt;
  return text;
}

std::size_t Surviving(std::string TNodeData::*member) {
  for (const auto& field : kTextFields) {
    if (field.member == member) return field.survivingLength;
  }
  return 0;
}

Json GroupsBelow(const ProfileTree& tree, const TreeNode* parent) {
  Json list = Json::array();
  for (const auto& child : tree.ChildrenOf(parent)) {
    if (child->data.IsAccount) continue;
    list.push_back({{"name", Cp1252ToUtf8(child->data.Name)},
                    {"uuid", NodeIdentifier(tree, *child)},
                    {"children", GroupsBelow(tree, child.get())}});
  }
  return list;
}

}  // namespace

BrowserProtocol::BrowserProtocol(BrowserHost& host, LinkStore& store, RandomSource& random,
                                 const PublicSuffixes& suffixes)
    : host_(host), store_(store), random_(random), suffixes_(suffixes) {}

std::string BrowserProtocol::AnswerTooLarge() const {
  return ErrorReply("", BrowserError::EmptyMessage);
}

std::string BrowserProtocol::LockedNotice() { return Dump({{"action", "database-locked"}}); }
std::string BrowserProtocol::UnlockedNotice() { return Dump({{"action", "database-unlocked"}}); }

std::string BrowserProtocol::Answer(BrowserConnectionState& connection, std::string_view text) {
  if (text.size() > kMaxMessageBytes) return AnswerTooLarge();
  Request request;
  request.outer = Json::parse(text, nullptr, false);
  if (request.outer.is_discarded() || !request.outer.is_object()) {
    return ErrorReply("", BrowserError::EmptyMessage);
  }
  request.action = Text(request.outer, "action");
  if (request.action.empty()) return ErrorReply("", BrowserError::IncorrectAction, request.outer);
  return Handle(connection, request);
}

std::string BrowserProtocol::Handle(BrowserConnectionState& connection, Request& request) {
  const Json& outer = request.outer;
  if (request.action == "change-public-keys") return ChangePublicKeys(connection, request);
  if (!connection.box.HasClientKey()) {
    return ErrorReply(request.action, BrowserError::NoClientKey, outer);
  }
  const auto nonce = NonceFromBase64(Text(outer, "nonce"));
  const std::string message = Text(outer, "message");
  if (!nonce || message.empty()) {
    return ErrorReply(request.action, BrowserError::CannotDecrypt, outer);
  }
  // A nonce serves once in each direction: neither a request's nor the one its reply uses
  // may come again.
  request.nonce = *nonce;
  const BoxNonce replyNonce = Incremented(*nonce);
  auto plain = connection.box.Open(message, *nonce);
  if (!plain || !connection.box.TakeNonce(*nonce) || !connection.box.TakeNonce(replyNonce)) {
    return ErrorReply(request.action, BrowserError::CannotDecrypt, outer);
  }
  request.inner = Json::parse(*plain, nullptr, false);
  if (request.inner.is_discarded() || !request.inner.is_object()) {
    return ErrorReply(request.action, BrowserError::CannotDecrypt, outer);
  }
  if (Text(request.inner, "action") != request.action) {
    return ErrorReply(request.action, BrowserError::IncorrectAction, outer);
  }
  if (!host_.IsProfileOpen()) {
    if (Text(outer, "triggerUnlock") == "true") host_.ShowUnlock();
    return ErrorReply(request.action, BrowserError::ProfileClosed, outer);
  }
  return Dispatch(connection, request);
}

std::string BrowserProtocol::Dispatch(BrowserConnectionState& connection, const Request& request) {
  const std::string& action = request.action;
  if (action == "get-databasehash") return DatabaseHash(connection, request);
  if (action == "associate") return Associate(connection, request);
  if (action == "test-associate") return TestAssociate(connection, request);
  // Every other action is for an associated connection only.
  if (!IsAssociated(connection)) {
    return ErrorReply(action, BrowserError::AssociationFailed, request.outer);
  }
  if (action == "get-logins") return Logins(connection, request);
  if (action == "set-login") return SetLogin(connection, request);
  if (action == "generate-password") return GeneratePassword(connection, request);
  if (action == "get-database-groups") return Groups(connection, request);
  if (action == "create-new-group") return CreateGroup(connection, request);
  if (action == "lock-database") return LockProfile(connection, request);
  if (action == "get-totp") return Totp(connection, request);
  // Passkeys, typing into other windows and the rest are not offered.
  return ErrorReply(action, BrowserError::IncorrectAction, request.outer);
}

namespace {

std::string Sealed(BoxChannel& box, const std::string& action, const Json& outer,
                   const BoxNonce& requestNonce, Json inner) {
  const BoxNonce nonce = Incremented(requestNonce);
  inner["nonce"] = NonceText(nonce);
  inner["version"] = kAnsweredVersion;
  if (!inner.contains("success")) inner["success"] = "true";
  std::string plain = Dump(inner);
  Json reply = {
      {"action", action}, {"message", box.Seal(plain, nonce)}, {"nonce", NonceText(nonce)}};
  std::fill(plain.begin(), plain.end(), '\0');
  if (outer.contains("requestID")) reply["requestID"] = outer["requestID"];
  return Dump(reply);
}

}  // namespace

std::string BrowserProtocol::ChangePublicKeys(BrowserConnectionState& connection,
                                              const Request& request) {
  const auto nonce = NonceFromBase64(Text(request.outer, "nonce"));
  if (!nonce || !connection.box.ChangeClientKey(Text(request.outer, "publicKey"))) {
    return ErrorReply(request.action, BrowserError::KeyChangeFailed, request.outer);
  }
  connection.associatedProfile.clear();
  Json reply = {{"action", request.action},
                {"version", kAnsweredVersion},
                {"publicKey", connection.box.OurPublicKeyBase64()},
                {"nonce", NonceText(Incremented(*nonce))},
                {"success", "true"}};
  if (request.outer.contains("requestID")) reply["requestID"] = request.outer["requestID"];
  return Dump(reply);
}

std::string BrowserProtocol::DatabaseHash(BrowserConnectionState& connection,
                                          const Request& request) {
  const std::string hash = store_.ProfileHash(host_.ProfileKey());
  store_.Save();
  return Sealed(connection.box, request.action, request.outer, request.nonce,
                {{"action", "hash"}, {"hash", hash}});
}

std::string BrowserProtocol::Associate(BrowserConnectionState& connection, const Request& request) {
  const std::string idKey = Text(request.inner, "idKey");
  const auto idKeyBytes = FromBase64(idKey);
  if (!connection.box.IsClientKey(Text(request.inner, "key")) || !idKeyBytes ||
      idKeyBytes->size() != kBoxKeyBytes) {
    return ErrorReply(request.action, BrowserError::AssociationFailed, request.outer);
  }
  const std::string profile = host_.ProfileKey();
  const auto name = host_.AskConnection(idKey);
  // The profile may have closed or changed while the user answered.
  if (!name || name->empty() || !host_.IsProfileOpen() || host_.ProfileKey() != profile) {
    return ErrorReply(request.action, BrowserError::AssociationFailed, request.outer);
  }
  const std::string kept = store_.AddConnection(profile, {*name, idKey});
  const std::string hash = store_.ProfileHash(profile);
  store_.Save();
  connection.associatedProfile = profile;
  connection.associatedName = kept;
  connection.associatedKey = idKey;
  return Sealed(connection.box, request.action, request.outer, request.nonce,
                {{"hash", hash}, {"id", kept}});
}

std::string BrowserProtocol::TestAssociate(BrowserConnectionState& connection,
                                           const Request& request) {
  const std::string profile = host_.ProfileKey();
  const std::string name = Text(request.inner, "id");
  const std::string key = Text(request.inner, "key");
  if (!store_.IsConnection(profile, name, key)) {
    return ErrorReply(request.action, BrowserError::AssociationFailed, request.outer);
  }
  connection.associatedProfile = profile;
  connection.associatedName = name;
  connection.associatedKey = key;
  return Sealed(connection.box, request.action, request.outer, request.nonce,
                {{"hash", store_.ProfileHash(profile)}, {"id", name}});
}

bool BrowserProtocol::IsAssociated(const BrowserConnectionState& connection) const {
  const std::string profile = host_.ProfileKey();
  return !connection.associatedProfile.empty() && connection.associatedProfile == profile &&
         store_.IsConnection(profile, connection.associatedName, connection.associatedKey);
}

std::string BrowserProtocol::Logins(BrowserConnectionState& connection, const Request& request) {
  const std::string profile = host_.ProfileKey();
  bool keyKept = false;
  if (const auto keys = request.inner.find("keys");
      keys != request.inner.end() && keys->is_array()) {
    for (const auto& key : *keys) {
      if (key.is_object() && store_.IsConnection(profile, Text(key, "id"), Text(key, "key"))) {
        keyKept = true;
      }
    }
  }
  if (!keyKept) return ErrorReply(request.action, BrowserError::AssociationFailed, request.outer);
  const std::string url = Text(request.inner, "url");
  const auto page = ParseSiteAddress(url);
  if (!page) return ErrorReply(request.action, BrowserError::NoUrl, request.outer);

  struct Candidate {
    MatchCloseness closeness;
    std::string identifier;
  };
  std::vector<Candidate> candidates;
  {
    const ProfileTree& tree = *host_.Tree();
    const MatchOptions options = host_.Options();
    tree.ForEachPreOrder([&](TreeNode& node, int) {
      if (!node.data.IsAccount || node.data.Url.empty()) return;
      const auto account = ParseSiteAddress(Cp1252ToUtf8(node.data.Url));
      if (!account) return;
      const MatchCloseness closeness = MatchAddress(*account, *page, options, suffixes_);
      if (closeness != MatchCloseness::None) {
        candidates.push_back({closeness, NodeIdentifier(tree, node)});
      }
    });
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const auto& a, const auto& b) { return a.closeness > b.closeness; });

  Json entries = Json::array();
  for (const auto& candidate : candidates) {
    // Asking the user runs the event loop: the profile may close or change meanwhile, so
    // every account is found again by its identifier.
    if (!host_.IsProfileOpen() || host_.ProfileKey() != profile) {
      return ErrorReply(request.action, BrowserError::ProfileClosed, request.outer);
    }
    const TreeNode* account = FindByIdentifier(*host_.Tree(), candidate.identifier);
    if (!account) continue;
    auto allowed = store_.SiteDecision(profile, candidate.identifier, page->host);
    if (!allowed) {
      const auto answer = host_.AskSite(*account, page->host);
      if (!host_.IsProfileOpen() || host_.ProfileKey() != profile) {
        return ErrorReply(request.action, BrowserError::ProfileClosed, request.outer);
      }
      account = FindByIdentifier(*host_.Tree(), candidate.identifier);
      if (!account) continue;
      if (answer.remember) {
        store_.RememberSite(profile, candidate.identifier, page->host, answer.allow);
        store_.Save();
      }
      allowed = answer.allow;
    }
    if (!*allowed) continue;
    Json entry = {{"login", Cp1252ToUtf8(account->data.UserName)},
                  {"name", Cp1252ToUtf8(account->data.Name)},
                  {"password", Cp1252ToUtf8(account->data.Password)},
                  {"uuid", candidate.identifier},
                  {"group", account->parent ? Cp1252ToUtf8(account->parent->data.Name) : ""},
                  {"expired", "false"},
                  {"skipAutoSubmit", "false"},
                  {"stringFields", Json::array()}};
    // An account with a seed says so with its current code; the extension asks for a fresh
    // one (get-totp) when it fills.
    if (const auto seed = SeedOfNotes(account->data.Notes)) {
      entry["totp"] = CurrentCode(*seed).digits;
    }
    entries.push_back(std::move(entry));
  }
  if (entries.empty()) return ErrorReply(request.action, BrowserError::NoLogins, request.outer);
  const std::string count = std::to_string(entries.size());
  std::string reply = Sealed(connection.box, request.action, request.outer, request.nonce,
                             {{"count", count},
                              {"entries", std::move(entries)},
                              {"hash", store_.ProfileHash(profile)},
                              {"id", connection.associatedName}});
  return reply;
}

std::string BrowserProtocol::SetLogin(BrowserConnectionState& connection, const Request& request) {
  const Json& inner = request.inner;
  const auto page = ParseSiteAddress(Text(inner, "url"));
  if (!page) return ErrorReply(request.action, BrowserError::NoUrl, request.outer);
  std::string address = Text(inner, "url");
  address = address.substr(0, std::min(address.find_first_of("?#"), address.size()));
  LoginOffer offer;
  const auto url = StoredForm(address, Surviving(&TNodeData::Url));
  const auto userName = StoredForm(Text(inner, "login"), Surviving(&TNodeData::UserName));
  const auto password = StoredForm(Text(inner, "password"), Surviving(&TNodeData::Password));
  // A value the profile cannot keep whole is refused, never cut.
  if (!url || !userName || !password) {
    return ErrorReply(request.action, BrowserError::Denied, request.outer);
  }
  offer.address = *url;
  offer.userName = *userName;
  offer.password = *password;
  const ProfileTree& tree = *host_.Tree();
  if (const std::string id = Text(inner, "uuid"); !id.empty()) {
    const TreeNode* account = FindByIdentifier(tree, id);
    if (!account || !account->data.IsAccount) {
      return ErrorReply(request.action, BrowserError::NoValidIdentifier, request.outer);
    }
    offer.account = id;
  }
  if (const std::string id = Text(inner, "groupUuid"); !id.empty() && id != kTopIdentifier) {
    const TreeNode* place = FindByIdentifier(tree, id);
    if (!place || place->data.IsAccount) {
      return ErrorReply(request.action, BrowserError::NoValidIdentifier, request.outer);
    }
    offer.place = id;
  }
  const bool saved = host_.SaveLogin(offer);
  std::fill(offer.password.begin(), offer.password.end(), '\0');
  if (!saved) return ErrorReply(request.action, BrowserError::Denied, request.outer);
  return Sealed(connection.box, request.action, request.outer, request.nonce,
                {{"count", nullptr},
                 {"entries", nullptr},
                 {"error", "success"},
                 {"hash", store_.ProfileHash(host_.ProfileKey())}});
}

std::string BrowserProtocol::GeneratePassword(BrowserConnectionState& connection,
                                              const Request& request) {
  PoolOptions options;
  options.specials = true;
  options.specialChars = std::string(kDefaultSpecials);
  const std::string pool = *ComposePool(options);
  std::string password = bv::GeneratePassword(pool, kGeneratedLength, random_);
  const auto bits =
      static_cast<int>(kGeneratedLength * std::log2(static_cast<double>(pool.size())));
  std::string reply = Sealed(connection.box, request.action, request.outer, request.nonce,
                             {{"entries", Json::array({{{"login", bits}, {"password", password}}})},
                              {"password", password}});
  std::fill(password.begin(), password.end(), '\0');
  return reply;
}

std::string BrowserProtocol::Groups(BrowserConnectionState& connection, const Request& request) {
  const ProfileTree& tree = *host_.Tree();
  Json top = {{"name", "/"}, {"uuid", kTopIdentifier}, {"children", GroupsBelow(tree, nullptr)}};
  return Sealed(
      connection.box, request.action, request.outer, request.nonce,
      {{"defaultGroup", ""}, {"defaultGroupAlwaysAllow", false}, {"groups", Json::array({top})}});
}

std::string BrowserProtocol::CreateGroup(BrowserConnectionState& connection,
                                         const Request& request) {
  const std::string path = Text(request.inner, "groupName");
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    if (slash > start) {
      auto name = StoredForm(path.substr(start, slash - start), Surviving(&TNodeData::Name));
      if (!name) return ErrorReply(request.action, BrowserError::CannotCreateGroup, request.outer);
      names.push_back(std::move(*name));
    }
    start = slash + 1;
  }
  if (names.empty())
    return ErrorReply(request.action, BrowserError::CannotCreateGroup, request.outer);
  const TreeNode* group = host_.MakeGroups(names);
  if (!group || !host_.IsProfileOpen()) {
    return ErrorReply(request.action, BrowserError::CannotCreateGroup, request.outer);
  }
  return Sealed(
      connection.box, request.action, request.outer, request.nonce,
      {{"name", Cp1252ToUtf8(group->data.Name)}, {"uuid", NodeIdentifier(*host_.Tree(), *group)}});
}

std::string BrowserProtocol::Totp(BrowserConnectionState& connection, const Request& request) {
  const TreeNode* account = FindByIdentifier(*host_.Tree(), Text(request.inner, "uuid"));
  if (!account || !account->data.IsAccount) {
    return ErrorReply(request.action, BrowserError::NoValidIdentifier, request.outer);
  }
  // An account without a seed has no code: an empty one, as the protocol has it.
  const auto seed = SeedOfNotes(account->data.Notes);
  return Sealed(connection.box, request.action, request.outer, request.nonce,
                {{"totp", seed ? CurrentCode(*seed).digits : std::string()}});
}

std::string BrowserProtocol::LockProfile(BrowserConnectionState&, const Request& request) {
  switch (host_.Lock()) {
    case LockOutcome::Unsaved:
      return ErrorReply(request.action, BrowserError::Denied, request.outer);
    case LockOutcome::Closed:
    case LockOutcome::NotOpen: break;
  }
  // A closed profile answers as the protocol has it: "not opened".
  return ErrorReply(request.action, BrowserError::ProfileClosed, request.outer);
}

}  // namespace bv
