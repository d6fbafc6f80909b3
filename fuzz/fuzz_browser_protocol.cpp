// Arbitrary bytes from the browser through the frames and the protocol. The first byte picks
// the layer: odd bytes go in as they are (frames of outer messages), even ones as the inner
// message of a well-made box from an associated connection, so that every action's handling
// is reached. Every request must get exactly one reply, valid JSON; a crash or a sanitizer
// report is a fault.
#include <sodium.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "extension/BrowserProtocol.h"
#include "extension/MessageFrames.h"

namespace {

class FuzzHost final : public bv::BrowserHost {
 public:
  FuzzHost() {
    bv::TNodeData category = bv::TNodeData::Create(bv::NodeKind::Category, 0);
    category.Name = "Web";
    bv::TreeNode* web = tree_.Append(nullptr, category);
    for (const char* url : {"https://example.com", "example.com:8443", "http://[::1]/", ""}) {
      bv::TNodeData account = bv::TNodeData::Create(bv::NodeKind::Account, 0);
      account.Name = "a";
      account.Url = url;
      tree_.Append(web, account);
    }
  }
  bool IsProfileOpen() const override { return true; }
  std::string ProfileKey() const override { return "/fuzz.bv3"; }
  bv::ProfileTree* Tree() override { return &tree_; }
  bv::MatchOptions Options() const override { return {true, false}; }
  std::optional<std::string> AskConnection(const std::string&) override { return "fuzz"; }
  SiteAnswer AskSite(const bv::TreeNode&, const std::string&) override { return {true, false}; }
  bool SaveLogin(const bv::LoginOffer&) override { return true; }
  bv::TreeNode* MakeGroups(const std::vector<std::string>&) override { return nullptr; }
  bv::LockOutcome Lock() override { return bv::LockOutcome::Unsaved; }
  void ShowUnlock() override {}

 private:
  bv::ProfileTree tree_;
};

struct SeededRandom final : bv::RandomSource {
  std::uint32_t Below(std::uint32_t bound) override { return (next_ += 7) % bound; }
  std::uint32_t next_ = 0;
};

void CheckReply(const std::string& reply) {
  if (!nlohmann::json::accept(reply)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static FuzzHost host;
  static SeededRandom random;
  static const bv::PublicSuffixes suffixes = bv::PublicSuffixes::FromText("com\nco.uk\n*.ck\n");
  bv::LinkStore store("/nonexistent/fuzz-links.json");  // never saved: the folder is missing
  bv::BrowserProtocol protocol(host, store, random, suffixes);
  bv::BrowserConnectionState connection;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

  if (data[0] % 2 == 1) {
    bv::FrameReader reader;
    reader.Feed(input);
    while (auto frame = reader.Next()) {
      CheckReply(frame->tooLarge ? protocol.AnswerTooLarge()
                                 : protocol.Answer(connection, frame->message));
    }
    return 0;
  }
  // A client with fixed keys exchanges keys, associates, then sends the input boxed.
  unsigned char clientPublic[crypto_box_PUBLICKEYBYTES], clientSecret[crypto_box_SECRETKEYBYTES];
  unsigned char seed[crypto_box_SEEDBYTES] = {1};
  crypto_box_seed_keypair(clientPublic, clientSecret, seed);
  const std::string clientKey =
      bv::ToBase64({reinterpret_cast<const char*>(clientPublic), sizeof clientPublic});
  bv::BoxNonce nonce{};
  const auto exchange = nlohmann::json::parse(
      protocol.Answer(connection, nlohmann::json{{"action", "change-public-keys"},
                                                 {"publicKey", clientKey},
                                                 {"nonce", bv::ToBase64(std::string(24, '\0'))}}
                                      .dump()));
  const auto hostKey = bv::FromBase64(exchange.at("publicKey").get<std::string>());
  const auto send = [&](const std::string& action, const std::string& plain) {
    nonce = bv::Incremented(bv::Incremented(nonce));
    std::string box(plain.size() + crypto_box_MACBYTES, '\0');
    if (crypto_box_easy(reinterpret_cast<unsigned char*>(box.data()),
                        reinterpret_cast<const unsigned char*>(plain.data()), plain.size(),
                        nonce.data(), reinterpret_cast<const unsigned char*>(hostKey->data()),
                        clientSecret) != 0) {
      std::abort();
    }
    CheckReply(protocol.Answer(
        connection,
        nlohmann::json{
            {"action", action},
            {"message", bv::ToBase64(box)},
            {"nonce", bv::ToBase64({reinterpret_cast<const char*>(nonce.data()), nonce.size()})}}
            .dump()));
  };
  send("associate",
       nlohmann::json{{"action", "associate"}, {"key", clientKey}, {"idKey", clientKey}}.dump());
  const auto inner = nlohmann::json::parse(input, nullptr, false);
  const std::string action =
      inner.is_object() && inner.contains("action") && inner["action"].is_string()
          ? inner["action"].get<std::string>()
          : std::string("get-logins");
  send(action, input);
  return 0;
}
