#include "app/BrowserIntegration.h"

#include <QApplication>
#include <QTimer>

#include "app/BrowserLink.h"
#include "app/BrowserTexts.h"
#include "app/ProfileSession.h"
#include "app/SessionController.h"
#include "app/TFPrincipal.h"
#include "browser/NodeEditing.h"
#include "browser/TreeModel.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "extension/BrowserProtocol.h"
#include "extension/NodeIdentity.h"

namespace bv {
namespace {

constexpr std::string_view kSection = "Navegador";
constexpr std::string_view kOn = "Activo";
constexpr std::string_view kHttpToo = "HttpTambien";
constexpr std::string_view kExactPath = "RutaExacta";

QString Shown(const std::string& cp1252) { return FromCp1252(cp1252); }

TreeNode* ChildNamed(ProfileTree& tree, TreeNode* parent, const std::string& name) {
  for (const auto& child : tree.ChildrenOf(parent)) {
    if (!child->data.IsAccount && child->data.Name == name) return child.get();
  }
  return nullptr;
}

}  // namespace

BrowserOptions BrowserOptions::Read() {
  return {ReadBool(kSection, kOn, false), ReadBool(kSection, kHttpToo, false),
          ReadBool(kSection, kExactPath, false)};
}

void BrowserOptions::Write() const {
  WriteBool(kSection, kOn, on);
  WriteBool(kSection, kHttpToo, httpToo);
  WriteBool(kSection, kExactPath, exactPath);
}

BrowserIntegration::BrowserIntegration(TFPrincipal& window)
    : QObject(&window),
      window_(window),
      store_(LinkStore::DefaultPath()),
      suffixes_(PublicSuffixes::FromFile()),
      questions_(std::make_unique<QtBrowserQuestions>(&window)),
      protocol_(std::make_unique<BrowserProtocol>(*this, store_, random_, suffixes_)) {
  store_.Load();
  // A dialog over an open profile may be changing it: requests wait until it closes.
  const auto mustWait = [this] {
    return IsProfileOpen() &&
           (QApplication::activeModalWidget() || QApplication::activePopupWidget());
  };
  link_ = new BrowserLink(*protocol_, BrowserLink::SocketPathFromEnvironment(), mustWait, this);
  ProfileSession& session = window.Profile();
  connect(&session, &ProfileSession::opened, this,
          [this] { link_->Notify(BrowserProtocol::UnlockedNotice()); });
  connect(&session, &ProfileSession::closed, this,
          [this] { link_->Notify(BrowserProtocol::LockedNotice()); });
  ApplyOptions();
}

BrowserIntegration::~BrowserIntegration() = default;

void BrowserIntegration::ApplyOptions() {
  if (BrowserOptions::Read().on) {
    link_->Start();
  } else {
    link_->Stop();
  }
}

bool BrowserIntegration::Listening() const { return link_->Listening(); }

void BrowserIntegration::SetQuestions(std::unique_ptr<BrowserQuestions> questions) {
  questions_ = std::move(questions);
}

bool BrowserIntegration::IsProfileOpen() const { return window_.Session().ProfileOpen; }

std::string BrowserIntegration::ProfileKey() const {
  std::error_code error;
  const auto path = std::filesystem::weakly_canonical(window_.Session().ProfilePath, error);
  return (error ? window_.Session().ProfilePath : path).string();
}

ProfileTree* BrowserIntegration::Tree() { return &window_.Tree(); }

MatchOptions BrowserIntegration::Options() const {
  const BrowserOptions options = BrowserOptions::Read();
  return {options.httpToo, options.exactPath};
}

void BrowserIntegration::ComeForward() {
  if (window_.isMinimized()) window_.showNormal();
  window_.raise();
  window_.activateWindow();
}

std::optional<std::string> BrowserIntegration::AskConnection(const std::string& idKey) {
  ComeForward();
  const QString key = QString::fromStdString(idKey.substr(0, 8));
  const auto name =
      questions_->AllowConnection(Msg(kMsgAskConnection).arg(key), Msg(kMsgBrowserPlace));
  if (!name) return std::nullopt;
  return name->toStdString();
}

BrowserHost::SiteAnswer BrowserIntegration::AskSite(const TreeNode& account,
                                                    const std::string& host) {
  ComeForward();
  const auto answer = questions_->AllowSite(
      Msg(kMsgAskSite).arg(Shown(account.data.Name), QString::fromStdString(host)));
  return {answer.allow, answer.remember};
}

TreeNode* BrowserIntegration::BrowserPlace() {
  const std::string name = ToCp1252(Msg(kMsgBrowserPlace)).value_or(std::string());
  if (TreeNode* place = ChildNamed(window_.Tree(), nullptr, name)) return place;
  TNodeData data = TNodeData::Create(NodeKind::Category, kNewCategoryPicture);
  data.Name = name;
  return window_.TreeModel().Append(nullptr, std::move(data));
}

bool BrowserIntegration::SaveLogin(const LoginOffer& offer) {
  ComeForward();
  const ProfileTree& tree = window_.Tree();
  QString text;
  if (!offer.account.empty()) {
    const TreeNode* account = FindByIdentifier(tree, offer.account);
    if (!account) return false;
    text = Msg(kMsgAskNewPassword).arg(Shown(account->data.Name));
  } else {
    const TreeNode* place = offer.place.empty() ? nullptr : FindByIdentifier(tree, offer.place);
    const QString where = place ? Shown(place->data.Name) : Msg(kMsgBrowserPlace);
    text = Msg(kMsgAskNewLogin).arg(Shown(offer.userName), Shown(offer.address), where);
  }
  if (!questions_->SaveLogin(text) || !IsProfileOpen()) return false;
  // The tree may have changed while the user answered: find the nodes again.
  if (!offer.account.empty()) {
    TreeNode* account = FindByIdentifier(window_.Tree(), offer.account);
    if (!account) return false;
    account->data.UserName = offer.userName;
    account->data.Password = offer.password;
    window_.TreeModel().NodeChanged(account);
  } else {
    TreeNode* place = offer.place.empty() ? nullptr : FindByIdentifier(window_.Tree(), offer.place);
    if (!offer.place.empty() && !place) return false;
    if (!place) place = BrowserPlace();
    TNodeData data = TNodeData::Create(NodeKind::Account, kNewAccountPicture);
    const auto address = ParseSiteAddress(Shown(offer.address).toStdString());
    data.Name = address ? address->host : offer.address;
    data.Name.resize(std::min<std::size_t>(data.Name.size(), 87));
    data.UserName = offer.userName;
    data.Password = offer.password;
    data.Url = offer.address;
    window_.TreeModel().Append(place, std::move(data));
  }
  // An unsaved change, as every edit: the user saves it with the rest, or not.
  window_.SetModified();
  window_.RefreshDetailPage();
  window_.ShowNote(Msg(kMsgLoginAdded));
  return true;
}

TreeNode* BrowserIntegration::MakeGroups(const std::vector<std::string>& names) {
  TreeNode* parent = nullptr;
  bool made = false;
  for (const auto& name : names) {
    TreeNode* child = ChildNamed(window_.Tree(), parent, name);
    if (!child) {
      TNodeData data =
          TNodeData::Create(parent ? NodeKind::Group : NodeKind::Category, kNewCategoryPicture);
      data.Name = name;
      child = window_.TreeModel().Append(parent, std::move(data));
      made = true;
    }
    parent = child;
  }
  if (made) window_.SetModified();
  return parent;
}

LockOutcome BrowserIntegration::Lock() {
  const SessionState& session = window_.Session();
  if (!session.ProfileOpen) return LockOutcome::NotOpen;
  if (session.Modified) return LockOutcome::Unsaved;
  // Closed once the answer has gone: the idle lock then offers the login box again.
  QTimer::singleShot(0, &window_, [window = &window_] { window->Sessions().CloseIdleProfile(); });
  return LockOutcome::Closed;
}

void BrowserIntegration::ShowUnlock() {
  ComeForward();
  if (QApplication::activeModalWidget()) return;  // the login box is open already
  QTimer::singleShot(0, &window_, [window = &window_] {
    if (!window->Session().ProfileOpen && !QApplication::activeModalWidget()) {
      window->Sessions().OpenRecent(1);
    }
  });
}

}  // namespace bv
