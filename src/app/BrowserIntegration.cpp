#include "app/BrowserIntegration.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "app/BrowserLink.h"
#include "app/BrowserTexts.h"
#include "app/ProfileSession.h"
#include "app/SessionController.h"
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

BrowserIntegration::BrowserIntegration(Parts parts)
    : QObject(&parts.window),
      parts_(std::move(parts)),
      store_(LinkStore::DefaultPath()),
      suffixes_(PublicSuffixes::FromFile()),
      questions_(std::make_unique<QtBrowserQuestions>(&parts_.window)),
      protocol_(std::make_unique<BrowserProtocol>(*this, store_, random_, suffixes_)) {
  store_.Load();
  // A dialog over an open profile may be changing it: requests wait until it closes.
  const auto mustWait = [this] {
    return IsProfileOpen() &&
           (QApplication::activeModalWidget() || QApplication::activePopupWidget());
  };
  link_ = new BrowserLink(*protocol_, BrowserLink::SocketPathFromEnvironment(), mustWait, this);
  ProfileSession& session = parts_.profile;
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

bool BrowserIntegration::IsProfileOpen() const { return parts_.profile.State().ProfileOpen; }

std::string BrowserIntegration::ProfileKey() const {
  std::error_code error;
  const auto path = std::filesystem::weakly_canonical(parts_.profile.State().ProfilePath, error);
  return (error ? parts_.profile.State().ProfilePath : path).string();
}

ProfileTree* BrowserIntegration::Tree() { return &parts_.profile.Tree(); }

MatchOptions BrowserIntegration::Options() const {
  const BrowserOptions options = BrowserOptions::Read();
  return {options.httpToo, options.exactPath};
}

void BrowserIntegration::ComeForward() {
  QWidget& window = parts_.window;
  if (window.isMinimized()) window.showNormal();
  window.raise();
  window.activateWindow();
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
  if (TreeNode* place = ChildNamed(parts_.profile.Tree(), nullptr, name)) return place;
  TNodeData data = TNodeData::Create(NodeKind::Category, kNewCategoryPicture);
  data.Name = name;
  return parts_.model.Append(nullptr, std::move(data));
}

bool BrowserIntegration::SaveLogin(const LoginOffer& offer) {
  ComeForward();
  const ProfileTree& tree = parts_.profile.Tree();
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
    TreeNode* account = FindByIdentifier(parts_.profile.Tree(), offer.account);
    if (!account) return false;
    account->data.UserName = offer.userName;
    account->data.Password = offer.password;
    parts_.model.NodeChanged(account);
  } else {
    TreeNode* place =
        offer.place.empty() ? nullptr : FindByIdentifier(parts_.profile.Tree(), offer.place);
    if (!offer.place.empty() && !place) return false;
    if (!place) place = BrowserPlace();
    TNodeData data = TNodeData::Create(NodeKind::Account, kNewAccountPicture);
    const auto address = ParseSiteAddress(Shown(offer.address).toStdString());
    data.Name = address ? address->host : offer.address;
    data.Name.resize(std::min<std::size_t>(data.Name.size(), 87));
    data.UserName = offer.userName;
    data.Password = offer.password;
    data.Url = offer.address;
    parts_.model.Append(place, std::move(data));
  }
  // An unsaved change, as every edit: the user saves it with the rest, or not.
  parts_.profile.MarkModified();
  parts_.redrawPage();
  parts_.showNote(Msg(kMsgLoginAdded));
  return true;
}

TreeNode* BrowserIntegration::MakeGroups(const std::vector<std::string>& names) {
  TreeNode* parent = nullptr;
  bool made = false;
  for (const auto& name : names) {
    TreeNode* child = ChildNamed(parts_.profile.Tree(), parent, name);
    if (!child) {
      TNodeData data =
          TNodeData::Create(parent ? NodeKind::Group : NodeKind::Category, kNewCategoryPicture);
      data.Name = name;
      child = parts_.model.Append(parent, std::move(data));
      made = true;
    }
    parent = child;
  }
  if (made) parts_.profile.MarkModified();
  return parent;
}

LockOutcome BrowserIntegration::Lock() {
  const SessionState& session = parts_.profile.State();
  if (!session.ProfileOpen) return LockOutcome::NotOpen;
  if (session.Modified) return LockOutcome::Unsaved;
  // Closed once the answer has gone: the idle lock then offers the login box again.
  QTimer::singleShot(0, &parts_.window,
                     [sessions = &parts_.sessions] { sessions->CloseIdleProfile(); });
  return LockOutcome::Closed;
}

void BrowserIntegration::ShowUnlock() {
  ComeForward();
  if (QApplication::activeModalWidget()) return;  // the login box is open already
  QTimer::singleShot(0, &parts_.window, [this] {
    if (!IsProfileOpen() && !QApplication::activeModalWidget()) parts_.sessions.OpenRecent(1);
  });
}

}  // namespace bv
