// The window's side of the browser extension: its options group and the browsers'
// manifests, the connections of the open profile, a login the browser saves, the lock, the
// questions' default answer, and requests that wait for a dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QLocalSocket>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <nlohmann/json.hpp>

#include "app/BrowserIntegration.h"
#include "app/BrowserLink.h"
#include "app/BrowserOptionsGroup.h"
#include "app/BrowserTexts.h"
#include "config/QtText.h"
#include "extension/MessageFrames.h"
#include "extension/NodeIdentity.h"
#include "support/gui/SessionBackDoor.h"
#include "support/gui/WindowHarness.h"

namespace bv {
namespace {

using test::Inside;
using test::ScratchFolder;
using test::WindowHarness;

// Points the user's configuration and PATH at scratch folders while it lives.
class ScratchUser {
 public:
  ScratchUser() : oldPath_(qgetenv("PATH")), oldConfig_(qgetenv("XDG_CONFIG_HOME")) {
    std::filesystem::create_directories(scratch_ / "bin");
    qputenv("PATH", QByteArray::fromStdString((scratch_ / "bin").string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((scratch_ / "config").string()));
  }
  ~ScratchUser() {
    qputenv("PATH", oldPath_);
    qputenv("XDG_CONFIG_HOME", oldConfig_);
  }
  std::filesystem::path Home() const { return scratch_ / "home"; }

 private:
  ScratchFolder scratch_;
  QByteArray oldPath_, oldConfig_;
};

// A control of the group by the text the user reads.
template <typename Control>
Control* Shown(const QWidget& group, const QString& text) {
  for (Control* control : group.findChildren<Control*>()) {
    if (control->text() == text) return control;
  }
  return nullptr;
}

class ScriptedQuestions final : public BrowserQuestions {
 public:
  std::optional<QString> AllowConnection(const QString&, const QString&) override {
    return QStringLiteral("Mine");
  }
  SiteAnswer AllowSite(const QString&) override { return {true, false}; }
  bool SaveLogin(const QString& text) override {
    asked.push_back(text);
    return save;
  }
  bool save = true;
  QStringList asked;
};

TEST(BrowserOptions, ManifestsOfInstalledBrowsersAnotherProgramsOneKeptAndPutBack) {
  ScratchUser user;
  WindowHarness harness;
  harness.Start();
  const auto home = user.Home();
  std::filesystem::create_directories(home / ".mozilla");  // Firefox is there, Chromium not
  const auto manifest =
      home / ".mozilla/native-messaging-hosts" / "org.keepassxc.keepassxc_browser.json";
  std::filesystem::create_directories(manifest.parent_path());
  const std::string foreign = R"({"name": "org.keepassxc.keepassxc_browser",
    "path": "/usr/bin/keepassxc-proxy", "type": "stdio"})";
  test::WriteFile(manifest, foreign);
  const std::filesystem::path proxy = "/opt/bv/bin/brindlevault-proxy";

  BrowserOptionsGroup group(Inside(harness.window()).Browser(), *harness.fakes.boxes, home, proxy);
  EXPECT_NE(Shown<QCheckBox>(group, QStringLiteral("Firefox")), nullptr);
  EXPECT_EQ(Shown<QCheckBox>(group, QStringLiteral("Chromium")), nullptr);
  auto* on = Shown<QCheckBox>(group, Msg(kMsgBrowserOn));
  ASSERT_NE(on, nullptr);
  ASSERT_FALSE(on->isChecked());  // off at first

  // "No": the other program's manifest stays as it was.
  harness.fakes.boxes->answers = {false};
  on->click();
  EXPECT_EQ(test::ReadFile(manifest), foreign);
  ASSERT_EQ(harness.fakes.boxes->shown.size(), 1u);
  EXPECT_TRUE(harness.fakes.boxes->shown[0].text.contains(QString::fromStdString(manifest)));

  // Off and on again, "Yes": ours is written and theirs kept beside it.
  on->click();
  EXPECT_EQ(test::ReadFile(manifest), foreign);
  harness.fakes.boxes->answers = {true};
  on->click();
  const auto written = nlohmann::json::parse(test::ReadFile(manifest));
  EXPECT_EQ(written["path"], proxy.string());
  EXPECT_EQ(written["allowed_extensions"][0], "keepassxc-browser@keepassxc.org");
  EXPECT_EQ(test::ReadFile(KeptCopy(manifest)), foreign);

  // Off: theirs is back, nothing of ours is left.
  on->click();
  EXPECT_EQ(test::ReadFile(manifest), foreign);
  EXPECT_FALSE(std::filesystem::exists(KeptCopy(manifest)));
}

TEST(BrowserOptions, ConnectionsOfTheOpenProfileOnlyAndRemovable) {
  ScratchUser user;
  WindowHarness harness;
  harness.Start();
  BrowserIntegration& integration = Inside(harness.window()).Browser();
  {
    BrowserOptionsGroup group(integration, *harness.fakes.boxes, user.Home(), "/p");
    EXPECT_EQ(group.findChild<QLabel*>("notraConexiones")->text(), Msg(kMsgNoProfileOpen));
    EXPECT_FALSE(group.findChild<QListWidget*>("ListaConexiones")->isEnabled());
  }
  harness.LoadSample();
  test::SessionOf(harness.window()).ProfilePath = user.Home() / "p.bv3";
  integration.Store().AddConnection(integration.ProfileKey(), {"Firefox de Ana", "S0VZ"});
  integration.Store().AddConnection("/another/profile.bv3", {"Otro", "S0VZ"});
  BrowserOptionsGroup group(integration, *harness.fakes.boxes, user.Home(), "/p");
  auto* list = group.findChild<QListWidget*>("ListaConexiones");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("Firefox de Ana"));
  list->setCurrentRow(0);
  Shown<QPushButton>(group, Msg(kMsgRemove))->click();
  EXPECT_EQ(list->count(), 0);
  EXPECT_FALSE(
      integration.Store().IsConnection(integration.ProfileKey(), "Firefox de Ana", "S0VZ"));
  EXPECT_EQ(integration.Store().Connections("/another/profile.bv3").size(), 1u);
}

TEST(BrowserAnswers, ASavedLoginIsAnUnsavedChangeInTheBrowserCategoryAndLockWaitsForIt) {
  ScratchUser user;
  WindowHarness harness;
  harness.Start();
  harness.LoadSample();
  BrowserIntegration& integration = Inside(harness.window()).Browser();
  auto questions = std::make_unique<ScriptedQuestions>();
  ScriptedQuestions* asked = questions.get();
  integration.SetQuestions(std::move(questions));

  LoginOffer offer{"https://shop.example.org/", "ana", "pw", "", ""};
  asked->save = false;
  EXPECT_FALSE(integration.SaveLogin(offer));
  EXPECT_FALSE(Inside(harness.window()).Session().Modified);
  asked->save = true;
  ASSERT_TRUE(integration.SaveLogin(offer));
  EXPECT_TRUE(asked->asked.back().contains(Msg(kMsgBrowserPlace)));
  EXPECT_TRUE(Inside(harness.window()).Session().Modified);
  EXPECT_EQ(harness.Shape(), "C1(G1(A1 G2(A2)) A3 G4) C2(G3(A4)) " +
                                 Msg(kMsgBrowserPlace).toStdString() + "(shop.example.org)");

  // A new password for an account named by its identifier; a stale one changes nothing.
  const std::string a3 = NodeIdentifier(Inside(harness.window()).Tree(), *harness.Node("A3"));
  ASSERT_TRUE(integration.SaveLogin({"https://a3.example/", "u3", "p3", a3, ""}));
  EXPECT_EQ(harness.Node("A3")->data.Password, "p3");
  EXPECT_FALSE(integration.SaveLogin({"https://a3.example/", "u3", "p4", "0123", ""}));

  // Unsaved changes: the browser's lock is refused and the profile stays open.
  EXPECT_EQ(integration.Lock(), LockOutcome::Unsaved);
  QTest::qWait(50);
  EXPECT_TRUE(Inside(harness.window()).Session().ProfileOpen);
}

TEST(BrowserQuestionsDialog, EnterDeniesTheSite) {
  QWidget window;
  QtBrowserQuestions questions(&window);
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QCheckBox* remember = dialog->findChild<QCheckBox*>("CB_Recordar");
    ASSERT_NE(remember, nullptr);
    EXPECT_EQ(remember->text(), Msg(kMsgRemember));
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  const auto answer = questions.AllowSite(QStringLiteral("?"));
  EXPECT_FALSE(answer.allow);
}

TEST(BrowserLinkQueue, RequestsWaitForTheDialogAndAreAnsweredOnceInOrder) {
  ScratchUser user;
  WindowHarness harness;
  harness.Start();
  ScratchFolder run;
  LinkStore store(run / "links.json");
  SystemRandom random;
  PublicSuffixes suffixes;
  BrowserProtocol protocol(Inside(harness.window()).Browser(), store, random, suffixes);
  bool wait = true;
  BrowserLink link(protocol, QString::fromStdString((run / "b.sock").string()),
                   [&wait] { return wait; });
  ASSERT_TRUE(link.Start());

  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString((run / "b.sock").string()));
  ASSERT_TRUE(socket.waitForConnected(2000));
  const std::string key = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=";
  std::string frames;
  for (const char* nonce :
       {"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", "AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"}) {
    frames += EncodeFrame(nlohmann::json{
        {"action", "change-public-keys"},
        {"publicKey", key},
        {"nonce", nonce}}.dump());
  }
  socket.write(frames.data(), static_cast<qint64>(frames.size()));
  socket.flush();
  QTest::qWait(600);
  EXPECT_EQ(socket.bytesAvailable(), 0);  // a dialog is open: nothing answered yet

  wait = false;
  FrameReader reader;
  std::vector<std::string> nonces;
  for (int i = 0; i < 40 && nonces.size() < 2; ++i) {
    QTest::qWait(50);
    const QByteArray bytes = socket.readAll();
    reader.Feed({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    while (auto frame = reader.Next()) {
      nonces.push_back(nlohmann::json::parse(frame->message)["nonce"].get<std::string>());
    }
  }
  QTest::qWait(300);
  EXPECT_EQ(socket.bytesAvailable(), 0);  // and nothing twice
  EXPECT_EQ(nonces, (std::vector<std::string>{"AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
                                              "AgAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"}));
}

}  // namespace
}  // namespace bv
