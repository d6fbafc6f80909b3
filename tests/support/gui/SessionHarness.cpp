#include "support/gui/SessionHarness.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "config/Messages.h"
#include "crypto/FieldCipher.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileWriter.h"
#include "support/ProfileFixtures.h"

namespace bv::test {

SessionHarness::SessionHarness() {
  std::filesystem::create_directories(folder.path() / "perfiles");
}

SessionHarness::~SessionHarness() = default;

TFPrincipal& SessionHarness::Create() {
  if (!window_) window_ = std::make_unique<TFPrincipal>(fakes.Take());
  return *window_;
}

TFPrincipal& SessionHarness::Start(const QStringList& commandLine) {
  Create();
  session().SetCommandLine(commandLine);
  window_->show();
  window_->activateWindow();
  // A prompt at the first activation may keep the window from becoming active: no failure.
  (void)QTest::qWaitForWindowActive(window_.get(), 2000);
  QApplication::processEvents();  // the first activation is queued behind the showing
  return *window_;
}

SessionController& SessionHarness::session() { return window_->Sessions(); }

QAction* SessionHarness::Act(const char* name) const {
  // By the name translation finds it by, which the tests thereby hold fixed.
  auto* action = window_->findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  if (!action) ADD_FAILURE() << "no action " << name;
  return action;
}

void SessionHarness::Trigger(const char* name) const { Act(name)->trigger(); }

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

void SessionHarness::OpenWithDialog(const std::filesystem::path& path) {
  fakes.files->answers = {PathText(path)};
  Trigger("ActAbrir");
}

std::filesystem::path SessionHarness::Path(const std::string& name) const {
  return folder.path() / "perfiles" / name;
}

std::filesystem::path SessionHarness::MakeProfile(const std::string& name,
                                                  const ProfileSetup& setup) const {
  const std::string password =
      setup.password.empty() ? std::string(kEmptyPasswordSentinel) : setup.password;
  TProfileHeader header;
  header.Owner = setup.owner;
  header.Title = setup.title;
  header.Verifier = EncipherField(password, password).substr(0, TProfileHeader::kVerifierMax);
  ProfileTree tree;
  if (setup.sample) FillSampleTree(tree);
  const auto path = Path(name);
  WriteProfile(path, header, tree, password, "Perfil de Brindlevault 3.5");
  return path;
}

std::string SessionHarness::ShapeOf(const ProfileTree& tree) { return test::Shape(tree); }

QString SessionHarness::Caption() const { return window_->windowTitle(); }

QStringList SessionHarness::Boxes() const {
  QStringList texts;
  for (const FakeBoxes::Shown& box : fakes.boxes->shown) texts.append(box.text);
  return texts;
}

// --- modal windows ---------------------------------------------------------------------

ModalScript* ModalScript::current_ = nullptr;

ModalScript::ModalScript() : outer_(current_) {
  current_ = this;
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

ModalScript::~ModalScript() {
  timer_.stop();
  current_ = outer_;
}

ModalScript& ModalScript::Then(const QString& windowName, Act act) {
  steps_.push_back({windowName, std::move(act)});
  return *this;
}

void ModalScript::Poll() {
  if (current_ != this) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || modal == last_) return;
  last_ = modal;
  if (!steps_.empty() && modal->objectName() == steps_.front().name) {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step.act(modal);
    return;
  }
  unexpected.append(modal->objectName());
  if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
}

QLineEdit* Box(QWidget* dialog, const char* name) {
  auto* box = dialog->findChild<QLineEdit*>(QLatin1String(name));
  if (!box) ADD_FAILURE() << "no box " << name << " in " << dialog->objectName().toStdString();
  return box;
}

void Type(QWidget* dialog, const char* box, const QString& text) {
  QLineEdit* edit = Box(dialog, box);
  edit->setFocus();
  // keyClicks stops at characters beyond ASCII: each goes as a key event of its own.
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void Click(QWidget* dialog, const char* button) {
  auto* target = dialog->findChild<QPushButton*>(QLatin1String(button));
  if (!target) {
    ADD_FAILURE() << "no button " << button;
    return;
  }
  QTest::mouseClick(target, Qt::LeftButton);
}

ModalScript::Act Login(const QString& password) {
  return [password](QWidget* dialog) {
    Type(dialog, "Ed_Pass", password);
    Click(dialog, "BtnOk");
  };
}

}  // namespace bv::test
