#pragma once
// The browser extension wired to the main window: the kept connections, the protocol, the
// socket, and the window's answers to the protocol's questions (the open profile, adding a
// login as an unsaved change, closing as the idle lock does). Listening follows the option.

#include <QObject>
#include <functional>
#include <memory>

#include "app/BrowserQuestions.h"
#include "extension/BrowserHost.h"
#include "extension/LinkStore.h"
#include "extension/PublicSuffixes.h"
#include "tools/RandomSource.h"

class QWidget;

namespace bv {

class BrowserLink;
class BrowserProtocol;
class ProfileSession;
class ProfileTreeModel;
class SessionController;

// The options of the browser integration (section [Navegador] of brindlevault.ini).
struct BrowserOptions {
  bool on = false;
  bool httpToo = false;
  bool exactPath = false;
  static BrowserOptions Read();
  void Write() const;  // throws ESettingsWriteError
};

class BrowserIntegration final : public QObject, public BrowserHost {
  Q_OBJECT

 public:
  // What the answers work on and how the window shows them; every part must outlive this
  // object.
  struct Parts {
    QWidget& window;  // comes forward for a question; the questions' parent
    ProfileSession& profile;
    ProfileTreeModel& model;
    SessionController& sessions;
    std::function<void()> redrawPage;
    std::function<void(const QString&)> showNote;
  };
  explicit BrowserIntegration(Parts parts);
  ~BrowserIntegration() override;

  // Listens while the option is on (and a private runtime folder exists).
  void ApplyOptions();
  [[nodiscard]] bool Listening() const;
  LinkStore& Store() { return store_; }
  // Tests answer the questions themselves.
  void SetQuestions(std::unique_ptr<BrowserQuestions> questions);

  // BrowserHost
  bool IsProfileOpen() const override;
  std::string ProfileKey() const override;
  ProfileTree* Tree() override;
  MatchOptions Options() const override;
  std::optional<std::string> AskConnection(const std::string& idKey) override;
  SiteAnswer AskSite(const TreeNode& account, const std::string& host) override;
  bool SaveLogin(const LoginOffer& offer) override;
  TreeNode* MakeGroups(const std::vector<std::string>& names) override;
  LockOutcome Lock() override;
  void ShowUnlock() override;

 private:
  TreeNode* BrowserPlace();
  void ComeForward();

  Parts parts_;
  LinkStore store_;
  PublicSuffixes suffixes_;
  SystemRandom random_;
  std::unique_ptr<BrowserQuestions> questions_;
  std::unique_ptr<BrowserProtocol> protocol_;
  BrowserLink* link_ = nullptr;
};

}  // namespace bv
