// Another writer changes the open profile's file: a second window on it, a sync tool that
// replaces it by rename or deletes it, a conflict copy left beside it. Nothing either side
// saved may be lost, and the window follows what is on disk.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <functional>

#include <unistd.h>

#include "app/DiskFollower.h"
#include "app/ProfileWatcher.h"
#include "app/TFResumenCombinacion.h"
#include "browser/AccountTreeView.h"
#include "browser/TreeModel.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "files/BackupStore.h"
#include "files/FileReplacement.h"
#include "profile/DepthLimit.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"
#include "support/ProfileFixtures.h"
#include "support/ScratchFolder.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::Inside;
namespace fs = std::filesystem;
using test::FakeBoxes;
using test::ModalScript;
using test::SessionHarness;

const std::string kSentinel(kEmptyPasswordSentinel);
// The watcher notices a rename within two seconds; the rest is the window's own work.
constexpr int kNoticedWithin = 4000;

bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kNoticedWithin); }

// Another program's save: the file read whole, edited, written whole by rename (as every
// save of ours and every sync tool does), under newPassword, with title when one is given.
void SaveAsOther(const fs::path& path, const std::function<void(ProfileTree&)>& edit,
                 const std::string& password = kSentinel, const std::string& newPassword = "",
                 const std::string& title = "") {
  const std::string written = newPassword.empty() ? password : newPassword;
  LoadedProfile other = LoadProfile(ReadProfileFile(path), password);
  ASSERT_EQ(other.outcome, LoadedProfile::Outcome::Loaded);
  edit(other.tree);
  TProfileHeader header = other.header;
  header.Verifier = MakeVerifier(written);
  if (!title.empty()) header.Title = title;
  WriteProfile(path, header, other.tree, written, "Perfil de Brindlevault 3.5");
}

std::function<void(ProfileTree&)> AddAccount(const std::string& name) {
  return [name](ProfileTree& tree) { tree.Append(tree.First(), test::SampleAccount(name)); };
}

// What the user adds in the window.
void AddInWindow(SessionHarness& h, const std::string& name) {
  Inside(h.window())
      .TreeModel()
      .Append(Inside(h.window()).Tree().First(), test::SampleAccount(name));
  Inside(h.window()).SetModified();
}

std::string FileShape(const fs::path& path, const std::string& password = kSentinel) {
  ProfileTree tree;
  LoadProfileNodes(path, password, tree);
  return test::Shape(tree);
}

bool Has(const std::string& shape, const std::string& name) {
  return shape.find(name) != std::string::npos;
}

TreeNode* FindNode(const ProfileTree& tree, const std::string& name) {
  TreeNode* found = nullptr;
  tree.ForEachPreOrder([&](TreeNode& node, int) {
    if (!found && node.data.Name == name) found = &node;
  });
  return found;
}

int SummaryWindows() {
  int shown = 0;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (qobject_cast<TFResumenCombinacion*>(top) && top->isVisible()) ++shown;
  return shown;
}

class DiskChanges : public testing::Test {
 protected:
  fs::path OpenProfile(SessionHarness& with, const std::string& name = "p.bv3") {
    with.Start();
    const fs::path path = h.Path(name);
    if (!fs::exists(path)) h.MakeProfile(name);
    with.OpenWithDialog(path);
    EXPECT_TRUE(with.ProfileOpen());
    return path;
  }
  bool AskedToCombine() const { return h.Boxes().contains(Msg(msg::kCombineWithDisk)); }
  // p.bv3 and a conflict copy of it with an account of its own; the window is made, not shown.
  fs::path ConflictCopyWithAnAccount() {
    const fs::path path = h.MakeProfile("p.bv3");
    const fs::path copy = h.Path("p.sync-conflict-20261209-120000-ABCDEFG.bv3");
    fs::copy_file(path, copy);
    SaveAsOther(copy, AddAccount("Solo en la copia"));
    h.Create();
    return copy;
  }

  SessionHarness h;
};

TEST_F(DiskChanges, TwoWindowsOnOneFileKeepEachOthersNewAccounts) {
  SessionHarness second;
  const fs::path path = OpenProfile(h);
  OpenProfile(second);
  AddInWindow(h, "Nueva de la primera");
  h.Trigger("ActGuardar");
  AddInWindow(second, "Nueva de la segunda");
  second.Trigger("ActGuardar");
  const std::string onDisk = FileShape(path);
  EXPECT_TRUE(Has(onDisk, "Nueva de la primera")) << onDisk;
  EXPECT_TRUE(Has(onDisk, "Nueva de la segunda")) << onDisk;
  EXPECT_FALSE(Inside(second.window()).Session().Modified);
  EXPECT_GE(SummaryWindows(), 1);
  // The first window, with nothing unsaved, takes the second one's save in.
  EXPECT_TRUE(WaitFor([&] { return Has(h.Shape(), "Nueva de la segunda"); })) << h.Shape();
}

TEST_F(DiskChanges, AFieldBothWindowsChangedKeepsBothAndSelectsTheOtherOne) {
  SessionHarness second;
  const fs::path path = OpenProfile(h);
  OpenProfile(second);
  const auto setUser = [](SessionHarness& in, const std::string& user) {
    FindNode(Inside(in.window()).Tree(), "Steam")->data.UserName = user;
    Inside(in.window()).SetModified();
  };
  setUser(h, "primera");
  h.Trigger("ActGuardar");
  setUser(second, "segunda");
  second.fakes.boxes->answers = {false};  // Más tarde, should the watcher be first
  second.Trigger("ActGuardar");
  std::string copyName = MessageText(msg::kConflictCopyName);
  copyName.replace(copyName.find("%1"), 2, "Steam");
  ASSERT_NE(Inside(second.window()).SelectedNode(), nullptr);
  EXPECT_EQ(Inside(second.window()).SelectedNode()->data.Name, copyName);
  EXPECT_EQ(Inside(second.window()).SelectedNode()->data.UserName, "primera");
  EXPECT_EQ(FindNode(Inside(second.window()).Tree(), "Steam")->data.UserName, "segunda");
  EXPECT_TRUE(Has(FileShape(path), copyName));
}

TEST_F(DiskChanges, AReplacementWithNothingUnsavedIsReloadedInPlaceKeepingTheSelection) {
  const fs::path path = OpenProfile(h);
  const QString recent = Inside(h.window()).Menus().recentFile[0]->text();
  AccountTreeView& view = Inside(h.window()).BVTree();
  Inside(h.window()).SelectNode(FindNode(Inside(h.window()).Tree(), "Steam"));
  view.collapse(
      Inside(h.window()).TreeModel().IndexOf(FindNode(Inside(h.window()).Tree(), "Trabajo")));
  SaveAsOther(
      path,
      [](ProfileTree& tree) {
        AddAccount("Sincronizada")(tree);
        FindNode(tree, "Steam")->data.UserName = "cambiado fuera";
      },
      kSentinel, "", "Otro t\355tulo");
  ASSERT_TRUE(WaitFor([&] { return Has(h.Shape(), "Sincronizada"); })) << h.Shape();
  ASSERT_NE(Inside(h.window()).SelectedNode(), nullptr);
  EXPECT_EQ(Inside(h.window()).SelectedNode()->data.UserName, "cambiado fuera");
  const auto expanded = [&](const char* name) {
    return view.isExpanded(
        Inside(h.window()).TreeModel().IndexOf(FindNode(Inside(h.window()).Tree(), name)));
  };
  EXPECT_FALSE(expanded("Trabajo"));
  EXPECT_TRUE(expanded("Correo") && expanded("Juegos"));
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  EXPECT_FALSE(h.Act("ActGuardar")->isEnabled());
  EXPECT_EQ(Inside(h.window()).Note(), Msg(msg::kReloadedFromDisk));
  EXPECT_EQ(h.Caption(), QStringLiteral("Brindlevault 3.5 - [Otro t\u00EDtulo]"));
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[0]->text(), recent);
  EXPECT_TRUE(h.fakes.boxes->shown.empty()) << h.Boxes().join('|').toStdString();
}

// Namesakes are told apart by their place among themselves, not by their name alone.
TEST_F(DiskChanges, AReloadKeepsTheSelectionOnTheSameOfTwoNamesakes) {
  const fs::path path = h.MakeProfile("p.bv3");
  SaveAsOther(path, [](ProfileTree& tree) {
    for (const char* user : {"primera", "segunda"}) {
      TNodeData gmail = test::SampleAccount("Gmail");
      gmail.UserName = user;
      tree.Append(tree.First(), gmail);
    }
  });
  OpenProfile(h);
  TreeNode* second = nullptr;
  Inside(h.window()).Tree().ForEachPreOrder([&](TreeNode& node, int) {
    if (node.data.UserName == "segunda") second = &node;
  });
  Inside(h.window()).SelectNode(second);
  SaveAsOther(
      path, [](ProfileTree& tree) { tree.Insert(tree.First(), 0, test::SampleAccount("Gmail")); });
  ASSERT_TRUE(WaitFor([&] { return Inside(h.window()).Note() == Msg(msg::kReloadedFromDisk); }));
  ASSERT_NE(Inside(h.window()).SelectedNode(), nullptr);
  // A namesake came first: the selection stays on the account it was on.
  EXPECT_EQ(Inside(h.window()).SelectedNode()->data.UserName, "segunda");
}

TEST_F(DiskChanges, UnsavedEditsAreCombinedOnRequestAndWrittenOnlyBySaving) {
  const fs::path path = OpenProfile(h);
  AddInWindow(h, "Nueva en la ventana");
  h.fakes.boxes->answers = {true};  // Combinar
  SaveAsOther(path, AddAccount("Sincronizada"));
  ASSERT_TRUE(WaitFor([&] { return Has(h.Shape(), "Sincronizada"); })) << h.Shape();
  EXPECT_TRUE(AskedToCombine());
  EXPECT_TRUE(Has(h.Shape(), "Nueva en la ventana"));
  EXPECT_TRUE(Inside(h.window()).Session().Modified);
  EXPECT_FALSE(Has(FileShape(path), "Nueva en la ventana"));  // combining wrote nothing
  h.Trigger("ActGuardar");
  const std::string onDisk = FileShape(path);
  EXPECT_TRUE(Has(onDisk, "Nueva en la ventana") && Has(onDisk, "Sincronizada")) << onDisk;
}

TEST_F(DiskChanges, LaterLeavesTheCombiningToTheSave) {
  const fs::path path = OpenProfile(h);
  AddInWindow(h, "Nueva en la ventana");
  h.fakes.boxes->answers = {false};  // Más tarde
  SaveAsOther(path, AddAccount("Sincronizada"));
  ASSERT_TRUE(WaitFor([&] { return AskedToCombine(); }));
  EXPECT_FALSE(Has(h.Shape(), "Sincronizada"));
  h.Trigger("ActGuardar");
  const std::string onDisk = FileShape(path);
  EXPECT_TRUE(Has(onDisk, "Nueva en la ventana") && Has(onDisk, "Sincronizada")) << onDisk;
  EXPECT_TRUE(Has(h.Shape(), "Sincronizada"));
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
}

// The opened version is held as the descriptor it was read from. Another writer's save by
// rename leaves what that descriptor reads as it was: the save's merge starts from it and takes
// their deletion in. A write in place changes it: that version is lost, and the save combines
// two-way (deleting nothing), never taking the other writer's bytes for the base.
TEST_F(DiskChanges, TheOpenedVersionIsTheBaseUntilAWriteInPlaceLosesIt) {
  for (const bool inPlace : {false, true}) {
    SCOPED_TRACE(inPlace ? "written in place" : "replaced by rename");
    SessionHarness w;
    const fs::path path = OpenProfile(w, inPlace ? "in-place.bv3" : "renamed.bv3");
    AddInWindow(w, "Nueva en la ventana");
    const fs::path theirs = h.Path("theirs.bv3");
    fs::copy_file(path, theirs, fs::copy_options::overwrite_existing);
    SaveAsOther(theirs, [](ProfileTree& tree) {
      tree.Remove(FindNode(tree, "Steam"));
      tree.Append(tree.First(), test::SampleAccount("Sincronizada"));
    });
    ASSERT_EQ(fs::file_size(theirs), fs::file_size(path));
    if (inPlace)
      test::WriteInPlace(path, test::ReadFile(theirs));
    else
      fs::rename(theirs, path);
    w.fakes.boxes->answers = {false};  // Más tarde, should the watcher be first
    w.Trigger("ActGuardar");
    const std::string onDisk = FileShape(path);
    // Their bytes as the base would make their new account one that this window deleted.
    EXPECT_TRUE(Has(onDisk, "Sincronizada")) << onDisk;
    EXPECT_EQ(Has(onDisk, "Steam"), inPlace) << onDisk;
    EXPECT_TRUE(Has(onDisk, "Nueva en la ventana")) << onDisk;
  }
}

// A sync tool that sets the file's times leaves the bytes as they were: nothing to reload or
// combine, though the opened version is held as its file.
TEST_F(DiskChanges, ATouchedFileIsNoChange) {
  const fs::path path = OpenProfile(h);
  AddInWindow(h, "Nueva en la ventana");
  QCoreApplication::processEvents();  // the window idle after opening
  fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1));
  EXPECT_EQ(Inside(h.window()).Disk().Watcher().CheckNow(), DiskState::SameContent);
  QTest::qWait(ProfileWatcher::kSettleMilliseconds * 2);
  EXPECT_FALSE(AskedToCombine());
  EXPECT_TRUE(Has(h.Shape(), "Nueva en la ventana"));
  EXPECT_TRUE(Inside(h.window()).Session().Modified);
}

TEST_F(DiskChanges, AChangeWaitsWhileADialogIsOpen) {
  const fs::path path = OpenProfile(h);
  bool reloadedUnderTheDialog = false;
  ModalScript script;
  script.Then("FEditarPerfil", [&](QWidget* dialog) {
    SaveAsOther(path, AddAccount("Sincronizada"));
    QTest::qWait(kNoticedWithin / 2);
    reloadedUnderTheDialog = Has(h.Shape(), "Sincronizada");
    test::Click(dialog, "BtnCancelar");
  });
  h.Trigger("ActEditarPerfil");
  EXPECT_TRUE(script.Done());
  EXPECT_FALSE(reloadedUnderTheDialog);
  EXPECT_TRUE(WaitFor([&] { return Has(h.Shape(), "Sincronizada"); })) << h.Shape();
}

TEST_F(DiskChanges, ADeletedFileStaysOpenModifiedAndTheSaveWritesItAgain) {
  const fs::path path = OpenProfile(h);
  fs::remove(path);
  ASSERT_TRUE(WaitFor([&] { return Inside(h.window()).Session().Modified; }));
  EXPECT_EQ(Inside(h.window()).Note(), Msg(msg::kGoneFromDisk));
  EXPECT_EQ(h.Shape(), test::kSampleShape);
  h.Trigger("ActGuardar");
  EXPECT_EQ(FileShape(path), test::kSampleShape);
  // The watcher sees our own save come in, and says nothing of it.
  QTest::qWait(3 * ProfileWatcher::kSettleMilliseconds);
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  EXPECT_EQ(Inside(h.window()).Note(), Msg(msg::kGoneFromDisk));
  EXPECT_TRUE(h.fakes.boxes->shown.empty()) << h.Boxes().join('|').toStdString();
}

TEST_F(DiskChanges, AVersionThatIsNotAWholeProfileIsNotReloaded) {
  const fs::path path = OpenProfile(h);
  const test::Bytes whole = test::ReadBytes(path);
  test::Bytes cut = whole;
  cut.resize(cut.size() - 100);  // a sync tool half-way through
  test::WriteBytes(h.Path("cut.tmp"), cut);
  fs::rename(h.Path("cut.tmp"), path);
  ASSERT_TRUE(
      WaitFor([&] { return Inside(h.window()).Note() == Msg(msg::kDiskVersionUnreadable); }));
  EXPECT_EQ(h.Shape(), test::kSampleShape);
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  // The sync tool finishes: the whole version is taken in.
  test::WriteBytes(h.Path("whole.tmp"), whole);
  fs::rename(h.Path("whole.tmp"), path);
  SaveAsOther(path, AddAccount("Sincronizada"));
  EXPECT_TRUE(WaitFor([&] { return Has(h.Shape(), "Sincronizada"); })) << h.Shape();
}

// The login box names the file; typed, the new version and its password are the window's;
// cancelled, the window keeps what it shows, marked modified, and the save asks again.
TEST_F(DiskChanges, AnotherPasswordOnDiskIsAskedForNamingTheFile) {
  for (const bool typed : {true, false}) {
    SCOPED_TRACE(typed ? "typed" : "cancelled");
    SessionHarness w;
    const fs::path path = OpenProfile(w, typed ? "typed.bv3" : "cancelled.bv3");
    QString prompt;
    ModalScript script;
    script.Then("FInicioSesion", [&](QWidget* box) {
      prompt = box->findChild<QLabel*>(QStringLiteral("lblPass"))->text();
      if (typed)
        test::Login("Otra")(box);
      else
        test::Click(box, "BtnCancelar");
    });
    SaveAsOther(path, AddAccount("Sincronizada"), kSentinel, "Otra");
    ASSERT_TRUE(WaitFor([&] { return script.Done(); }));
    EXPECT_TRUE(prompt.startsWith(Msg(msg::kOtherVersionPassword))) << prompt.toStdString();
    EXPECT_TRUE(prompt.contains(test::PathText(path)));
    EXPECT_TRUE(WaitFor([&] { return Has(w.Shape(), "Sincronizada") == typed; }));
    EXPECT_EQ(Inside(w.window()).Session().SessionPassword(), typed ? "Otra" : kSentinel);
    EXPECT_EQ(Inside(w.window()).Session().Modified, !typed);
  }
}

// The save stops where it cannot take another writer's version in, and writes nothing: the
// login box cancelled, or the password typed and the file cut short by a writer at work
// meanwhile, which the save's next look finds. What a first merge took in stays, shown and
// unsaved.
TEST_F(DiskChanges, ASaveThatCannotTakeTheOtherVersionInWritesNothing) {
  for (const bool typed : {false, true}) {
    SCOPED_TRACE(typed ? "typed, the file cut meanwhile" : "cancelled");
    SessionHarness w;
    const fs::path path = OpenProfile(w, typed ? "typed.bv3" : "cancelled.bv3");
    AddInWindow(w, "Nueva en la ventana");
    w.fakes.boxes->answers = {false};  // Más tarde
    SaveAsOther(path, AddAccount("Sincronizada"), kSentinel, "Otra");
    ASSERT_TRUE(WaitFor([&] { return w.Boxes().contains(Msg(msg::kCombineWithDisk)); }));
    const int summaries = SummaryWindows();
    test::Bytes onDisk = test::ReadBytes(path);
    if (typed) onDisk.resize(onDisk.size() - 100);
    ModalScript script;
    script.Then("FInicioSesion", [&](QWidget* box) {
      if (!typed) {
        test::Click(box, "BtnCancelar");
        return;
      }
      test::WriteBytes(h.Path("cut.tmp"), onDisk);
      fs::rename(h.Path("cut.tmp"), path);
      test::Login("Otra")(box);
    });
    w.Trigger("ActGuardar");
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(test::ReadBytes(path), onDisk);
    EXPECT_EQ(w.Boxes().back(),
              Msg(typed ? msg::kDiskVersionUnreadable : msg::kSaveWithoutOtherPassword));
    EXPECT_EQ(SummaryWindows(), summaries + (typed ? 1 : 0));
    EXPECT_EQ(Has(w.Shape(), "Sincronizada"), typed);
    EXPECT_TRUE(Inside(w.window()).Session().Modified);
  }
}

// A save that combined another writer's version and then could not write keeps what it took
// in, shown and unsaved: that version is the one held from then on, so the next save writes
// it. A change of password or details that failed goes back, and nothing else does.
TEST_F(DiskChanges, AFailedWriteAfterCombiningKeepsWhatWasTakenIn) {
  const struct {
    const char* command;
    const char* dialog;  // its form, or nullptr
    ModalScript::Act fill;
  } commands[] = {
      {"ActGuardar", nullptr, {}},
      {"ActCambPass", "FCambiarPass",
       [](QWidget* d) {
         test::Type(d, "Nueva", "Nueva");
         test::Type(d, "ReNueva", "Nueva");
       }},
      {"ActEditarPerfil", "FEditarPerfil",
       [](QWidget* d) {
         test::Box(d, "Ed_Nombre")->clear();
         test::Type(d, "Ed_Nombre", "Otro propietario");
       }},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    SessionHarness w;
    const fs::path path = OpenProfile(w, std::string(c.command) + ".bv3");
    const TProfileHeader before = Inside(w.window()).Session().Header;
    AddInWindow(w, "Nueva en la ventana");
    w.fakes.boxes->answers = {false};  // Más tarde
    SaveAsOther(path, AddAccount("Sincronizada"), kSentinel, "", "De la otra");
    ASSERT_TRUE(WaitFor([&] { return w.Boxes().contains(Msg(msg::kCombineWithDisk)); }));
    const int summaries = SummaryWindows();

    SetSealedFileStep([](FileHandle& temp) { ASSERT_EQ(::ftruncate(temp.Fd(), 100), 0); });
    ModalScript script;
    if (c.dialog)
      script.Then(c.dialog, [&](QWidget* d) {
        c.fill(d);
        test::Click(d, "BtnOk");
        if (d->isVisible()) test::Click(d, "BtnCancelar");
      });
    w.Trigger(c.command);
    SetSealedFileStep({});
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(w.Boxes().contains("Error I/O 5"));
    EXPECT_FALSE(w.Boxes().contains(Msg(msg::kPasswordChanged)));
    EXPECT_EQ(w.Boxes().contains(Msg(msg::kPasswordNotChanged)),
              c.command == std::string("ActCambPass"));
    EXPECT_EQ(SummaryWindows(), summaries + 1);
    const SessionState& session = Inside(w.window()).Session();
    EXPECT_TRUE(session.Modified);
    EXPECT_TRUE(Has(w.Shape(), "Sincronizada") && Has(w.Shape(), "Nueva en la ventana"));
    EXPECT_EQ(session.Header.Title, "De la otra");
    EXPECT_EQ(session.Header.Owner, before.Owner);
    EXPECT_EQ(session.SessionPassword(), kSentinel);

    w.Trigger("ActGuardar");
    const std::string onDisk = FileShape(path);
    EXPECT_TRUE(Has(onDisk, "Sincronizada") && Has(onDisk, "Nueva en la ventana")) << onDisk;
    EXPECT_EQ(ReadProfileHeader(path).header.Title, "De la otra");
    EXPECT_EQ(ReadProfileHeader(path).header.Owner, before.Owner);
    EXPECT_FALSE(session.Modified);
  }
}

TEST_F(DiskChanges, AConflictCopyIsOfferedCombinedAndMovedAsideAfterTheSave) {
  const fs::path path = h.Path("p.bv3");
  const fs::path copy = ConflictCopyWithAnAccount();
  h.fakes.boxes->answers = {true};  // Combinar
  OpenProfile(h);
  ASSERT_TRUE(WaitFor([&] { return Has(h.Shape(), "Solo en la copia"); })) << h.Shape();
  EXPECT_EQ(h.Boxes().front(), Msg(msg::kConflictCopyFound).arg(test::PathText(copy)));
  EXPECT_TRUE(Inside(h.window()).Session().Modified);
  EXPECT_TRUE(fs::exists(copy));  // until the combination is saved
  h.Trigger("ActGuardar");
  EXPECT_TRUE(Has(FileShape(path), "Solo en la copia"));
  EXPECT_FALSE(fs::exists(copy));
  const fs::path aside = BackupStore::ForUser(0).ConflictCopyFolder() / copy.filename();
  EXPECT_TRUE(fs::exists(aside));
  EXPECT_EQ(Inside(h.window()).Note(), Msg(msg::kConflictCopySetAside).arg(test::PathText(aside)));
}

// The lines of the combine summary windows on screen.
QStringList SummaryLines() {
  QStringList lines;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (qobject_cast<TFResumenCombinacion*>(top) && top->isVisible())
      for (const QListWidget* list : top->findChildren<QListWidget*>())
        for (int row = 0; row < list->count(); ++row) lines.append(list->item(row)->text());
  return lines;
}

// A copy anyone with the sync folder can write, without the master password: deeper than the
// tree view can lay out it is lifted as at opening, and said; a record holding another one's
// password in a shown field is left out, and named without the password.
TEST_F(DiskChanges, AHostileConflictCopyIsShownLiftedAndWithoutSplicedRecords) {
  constexpr int kChain = kWindowDepthLimit + 20;
  const fs::path copy = ConflictCopyWithAnAccount();
  std::string password;
  SaveAsOther(copy, [&](ProfileTree& tree) {
    TreeNode* parent = tree.First();
    for (int level = 0; level < kChain; ++level) {
      TNodeData group = TNodeData::Create(NodeKind::Group, 0);
      group.Name = "Hondo " + std::to_string(level);
      parent = tree.Append(parent, group);
    }
    // The enciphered password of an account, copied into another one's address.
    password = FindNode(tree, "Solo en la copia")->data.Password;
    TNodeData spliced = test::SampleAccount("Enlace");
    spliced.Password = "distinta";
    spliced.Url = password;
    tree.Append(tree.First(), spliced);
  });
  h.fakes.boxes->answers = {true};  // Combinar
  OpenProfile(h);
  ASSERT_TRUE(WaitFor([&] { return FindNode(Inside(h.window()).Tree(), "Hondo 0") != nullptr; }));

  int deepest = 0;
  Inside(h.window()).Tree().ForEachPreOrder([&](TreeNode&, int depth) {
    deepest = std::max(deepest, depth);
  });
  EXPECT_EQ(deepest, kWindowDepthLimit - 1);
  EXPECT_TRUE(FindNode(Inside(h.window()).Tree(), "Hondo " + std::to_string(kChain - 1)));
  EXPECT_TRUE(h.Boxes().contains(Msg(msg::kNodesLifted).arg(21).arg(kWindowDepthLimit)))
      << h.Boxes().join('|').toStdString();
  EXPECT_TRUE(Inside(h.window()).Session().Modified);

  EXPECT_FALSE(FindNode(Inside(h.window()).Tree(), "Enlace"));
  EXPECT_TRUE(FindNode(Inside(h.window()).Tree(), "Solo en la copia"));
  const QString leftOut = SummaryLines().join('|');
  EXPECT_TRUE(leftOut.contains(Msg(msg::kSplicedRecordLeftOut).left(20))) << leftOut.toStdString();
  EXPECT_FALSE(leftOut.contains(FromCp1252(password))) << leftOut.toStdString();
}

// A sync tool set this window's last save aside as a conflict copy and put in its place a
// version another computer saved from the one before: nothing of either is lost, with or
// without unsaved edits, and nobody is asked about the window's own save.
TEST_F(DiskChanges, OurSaveSetAsideByASyncToolIsCombinedWithWhatTookItsPlace) {
  for (const bool unsaved : {false, true}) {
    SCOPED_TRACE(unsaved ? "with unsaved edits" : "nothing unsaved");
    SessionHarness b;
    const fs::path path = OpenProfile(b, unsaved ? "u.bv3" : "s.bv3");
    const fs::path copy = h.Path(unsaved ? "u.sync-conflict-20261210-120000-BBBBBBB.bv3"
                                         : "s.sync-conflict-20261210-120000-BBBBBBB.bv3");
    const fs::path elsewhere = h.Path("del otro equipo.tmp");
    fs::copy_file(path, elsewhere);
    AddInWindow(b, "Guardada B");
    b.Trigger("ActGuardar");
    if (unsaved) AddInWindow(b, "Sin guardar B");
    SaveAsOther(elsewhere, AddAccount("Guardada A"));
    fs::rename(path, copy);
    fs::rename(elsewhere, path);

    ASSERT_TRUE(WaitFor([&] { return Has(b.Shape(), "Guardada A"); })) << b.Shape();
    EXPECT_TRUE(Has(b.Shape(), "Guardada B")) << b.Shape();
    EXPECT_EQ(Has(b.Shape(), "Sin guardar B"), unsaved);
    EXPECT_TRUE(Inside(b.window()).Session().Modified);
    EXPECT_TRUE(b.Boxes().isEmpty()) << b.Boxes().join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(SummaryWindows(), 1);
    b.Trigger("ActGuardar");
    const std::string onDisk = FileShape(path);
    EXPECT_TRUE(Has(onDisk, "Guardada A") && Has(onDisk, "Guardada B")) << onDisk;
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(fs::exists(BackupStore::ForUser(0).ConflictCopyFolder() / copy.filename()));
  }
}

// Combined on another computer, the copy was removed while this window offered it.
TEST_F(DiskChanges, ACopyGoneWhileOfferedIsNamedInTheNote) {
  const fs::path copy = ConflictCopyWithAnAccount();
  h.fakes.boxes->answers = {true};  // Combinar, as the copy goes
  h.fakes.boxes->whileShown = [&] { fs::remove(copy); };
  OpenProfile(h);
  const QString gone = Msg(msg::kConflictCopyGone).arg(test::PathText(copy));
  EXPECT_TRUE(WaitFor([&] { return Inside(h.window()).Note() == gone; }))
      << Inside(h.window()).Note().toStdString();
  EXPECT_EQ(h.Boxes().size(), 1) << "no error box";
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
}

TEST_F(DiskChanges, ADeclinedConflictCopyStaysAndIsOfferedAgainAtTheNextOpening) {
  const fs::path path = h.MakeProfile("p.bv3");
  const fs::path copy = h.Path("p (conflicted copy 2026-12-09 120000).bv3");
  fs::copy_file(path, copy);
  OpenProfile(h);  // answers run out: Más tarde
  ASSERT_TRUE(WaitFor([&] { return h.Boxes().size() == 1; }));
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  h.Trigger("ActCerrar");
  h.OpenWithDialog(path);
  EXPECT_TRUE(WaitFor([&] { return h.Boxes().size() == 2; }));
  EXPECT_TRUE(fs::exists(copy));
}

}  // namespace
}  // namespace bv
