// The protocol layer over standard input and output with a scripted program behind it: a
// small profile, every question answered yes. protocol_rules.py drives it with PyNaCl.

#include <unistd.h>

#include <iostream>

#include "extension/BrowserProtocol.h"
#include "extension/MessageFrames.h"
#include "extension/NodeIdentity.h"

namespace bv {
namespace {

class ScriptedProgram final : public BrowserHost {
 public:
  ScriptedProgram() {
    TNodeData web = TNodeData::Create(NodeKind::Category, 0);
    web.Name = "Web";
    TreeNode* category = tree_.Append(nullptr, web);
    AddAccount(category, "Parent", "https://example.com");
    AddAccount(category, "Exact", "www.example.com");
    AddAccount(category, "Elsewhere", "https://example.com.evil.net");
    AddAccount(category, "Coded", "https://coded.example")->data.Notes =
        "Backup codes elsewhere\r\nTOTP: JBSWY3DPEHPK3PXP";
  }

  bool IsProfileOpen() const override { return true; }
  std::string ProfileKey() const override { return "/scripted/profile.bv3"; }
  ProfileTree* Tree() override { return &tree_; }
  MatchOptions Options() const override { return {}; }
  std::optional<std::string> AskConnection(const std::string&) override { return "peer"; }
  SiteAnswer AskSite(const TreeNode&, const std::string&) override { return {true, true}; }
  bool SaveLogin(const LoginOffer& offer) override {
    TNodeData data = TNodeData::Create(NodeKind::Account, 0);
    data.Name = offer.address;
    data.UserName = offer.userName;
    data.Password = offer.password;
    data.Url = offer.address;
    tree_.Append(nullptr, data);
    modified_ = true;
    return true;
  }
  TreeNode* MakeGroups(const std::vector<std::string>& names) override {
    TreeNode* parent = nullptr;
    for (const auto& name : names) {
      TNodeData data = TNodeData::Create(NodeKind::Group, 0);
      data.Name = name;
      parent = tree_.Append(parent, data);
    }
    return parent;
  }
  LockOutcome Lock() override { return modified_ ? LockOutcome::Unsaved : LockOutcome::Closed; }
  void ShowUnlock() override {}

 private:
  TreeNode* AddAccount(TreeNode* parent, const char* name, const char* url) {
    TNodeData data = TNodeData::Create(NodeKind::Account, 0);
    data.Name = name;
    data.UserName = "user";
    data.Password =
        "s\xe9"
        "cret";
    data.Url = url;
    return tree_.Append(parent, data);
  }

  ProfileTree tree_;
  bool modified_ = false;
};

}  // namespace
}  // namespace bv

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: protocol_peer LINKS.json\n";
    return 2;
  }
  bv::ScriptedProgram program;
  bv::LinkStore store(argv[1]);
  bv::SystemRandom random;
  const bv::PublicSuffixes suffixes = bv::PublicSuffixes::FromFile();
  bv::BrowserProtocol protocol(program, store, random, suffixes);
  bv::BrowserConnectionState connection;
  bv::FrameReader reader;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(0, buffer, sizeof buffer);
    if (n <= 0) return 0;
    reader.Feed({buffer, static_cast<std::size_t>(n)});
    while (auto frame = reader.Next()) {
      const std::string reply =
          frame->tooLarge ? protocol.AnswerTooLarge() : protocol.Answer(connection, frame->message);
      std::cout << bv::EncodeFrame(reply) << std::flush;
    }
  }
}
