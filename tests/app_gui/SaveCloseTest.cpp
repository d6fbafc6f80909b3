// Creating, saving, saving as and closing profiles, and the save question at shutdown.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "app/FileDialogId.h"
#include "app/IdleLock.h"
#include "browser/AccountTreeView.h"

#include "browser/DetailPage.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "files/BackupStore.h"
#include "files/FileReplacement.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "support/ProfileFixtures.h"
#include "support/gui/SessionHarness.h"
#include "support/gui/SessionBackDoor.h"

namespace bv {
namespace {

using test::FakeBoxes;
using test::Inside;
using test::kSampleShape;
using test::Login;
using test::ModalScript;
using test::PathText;
using test::ProfileSetup;
using test::SessionHarness;
using test::Type;

const char* const kRenamedShape =
    "Correo nuevo(Trabajo(Oficina(cuenta de oficina) Cuenta \xF1) Personal) Juegos(Steam)";
const std::string kSentinel(kEmptyPasswordSentinel);

void Open(SessionHarness& h, const std::filesystem::path& path) {
  h.OpenWithDialog(path);
  ASSERT_TRUE(h.ProfileOpen());
}

// An edit as the editing dialogs make it: the first category renamed, the profile modified.
void Modify(SessionHarness& h) {
  TreeNode* first = Inside(h.window()).Tree().First();
  first->data.Name = "Correo nuevo";
  Inside(h.window()).TreeModel().NodeChanged(first);
  Inside(h.window()).SetModified();
}

// Opens carpeta/a.bv3 and modifies it, then moves its folder to "movida", so that saving it
// fails; returns the folder's first path.
std::filesystem::path OpenModifiedThenMoveItsFolder(SessionHarness& h) {
  const auto folder = h.Path("carpeta");
  std::filesystem::create_directories(folder);
  h.MakeProfile("carpeta/a.bv3");
  Open(h, folder / "a.bv3");
  Modify(h);
  std::filesystem::rename(folder, h.Path("movida"));
  return folder;
}

// The tree a file holds, read with password.
std::string FileShape(const std::filesystem::path& path, const std::string& password) {
  ProfileTree tree;
  LoadProfileNodes(path, password, tree);
  return test::Shape(tree);
}

TProfileHeader FileHeader(const std::filesystem::path& path) {
  return ReadProfileHeader(path).header;
}

// Fills the new-profile dialog and presses Aceptar.
ModalScript::Act NewProfile(const QString& owner, const QString& title, const QString& password) {
  return [=](QWidget* d) {
    Type(d, "Ed_Usuario", owner);
    Type(d, "Ed_Titulo", title);
    Type(d, "Ed_Pass", password);
    Type(d, "Ed_CPass", password);
    test::Click(d, "BtnOk");
  };
}

// --- new profile ---------------------------------------------------------------------------

TEST(NewProfile, IsWrittenAndOpenedAndAsksItsPasswordNextTime) {
  SessionHarness h;
  h.Start();
  const auto path = h.Path("nuevo.bv3");
  h.fakes.files->answers = {PathText(path)};
  ModalScript script;
  script.Then("FNuevoPerfil", NewProfile("Ana María", "Mis claves", "Clave"));
  h.Trigger("ActNuevo");
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(h.Boxes().isEmpty());
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Mis claves]");
  EXPECT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::Summary);
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[0]->text(), PathText(path));
  const TProfileHeader header = FileHeader(path);
  EXPECT_EQ(header.Owner, "Ana Mar\355a");
  EXPECT_EQ(header.Title, "Mis claves");
  EXPECT_EQ(std::filesystem::file_size(path), 1892u);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);  // a new profile is for its owner's eyes only

  h.Trigger("ActCerrar");
  ModalScript again;
  again.Then("FInicioSesion", Login("Clave"));
  h.OpenWithDialog(path);
  EXPECT_TRUE(again.Done());
  EXPECT_TRUE(h.ProfileOpen());
}

TEST(NewProfile, AsksToSaveTheModifiedProfileBeforeWritingTheNewOne) {
  SessionHarness h;
  h.Start();
  const auto old = h.MakeProfile("viejo.bv3");
  Open(h, old);
  Modify(h);
  // The new profile replaces the old one's file: had the new one been written first, the
  // save that Yes asks for would have overwritten it.
  h.fakes.files->answers = {PathText(old)};
  h.fakes.boxes->answers = {true /* 58: replace */, true /* 19: save */};
  ModalScript script;
  script.Then("FNuevoPerfil", NewProfile("Anas", "Reemplazo", ""));
  h.Trigger("ActNuevo");
  ASSERT_EQ(h.fakes.boxes->shown.size(), 2u);
  EXPECT_EQ(h.fakes.boxes->shown[0].text, Msg(58));
  EXPECT_EQ(h.fakes.boxes->shown[1].kind, FakeBoxes::Kind::Confirm);
  EXPECT_EQ(h.fakes.boxes->shown[1].text, Msg(19));
  EXPECT_EQ(FileHeader(old).Title, "Reemplazo");
  EXPECT_EQ(std::filesystem::file_size(old), 1892u);
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Reemplazo]");
  EXPECT_EQ(h.Shape(), "");
}

TEST(NewProfile, AnsweringNoLeavesTheOldFileAsItWas) {
  SessionHarness h;
  h.Start();
  const auto old = h.MakeProfile("viejo.bv3");
  const auto before = test::ReadBytes(old);
  Open(h, old);
  Modify(h);
  h.fakes.files->answers = {PathText(h.Path("otro.bv3"))};
  h.fakes.boxes->answers = {false};
  ModalScript script;
  script.Then("FNuevoPerfil", NewProfile("Anas", "Otro", ""));
  h.Trigger("ActNuevo");
  EXPECT_EQ(h.Boxes(), QStringList{Msg(19)});
  EXPECT_EQ(test::ReadBytes(old), before);
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Otro]");
}

TEST(NewProfile, AFileThatCannotBeCreatedKeepsTheOpenProfile) {
  SessionHarness h;
  h.Start();
  Open(h, h.MakeProfile("abierto.bv3"));
  Modify(h);
  h.fakes.files->answers = {PathText(h.Path("no/existe/nuevo.bv3"))};
  ModalScript script;
  script.Then("FNuevoPerfil", [](QWidget* d) {
    NewProfile("Anas", "Cas", "")(d);
    EXPECT_TRUE(d->isVisible());  // still there, to choose another name or give up
    test::Click(d, "BtnCancelar");
  });
  h.Trigger("ActNuevo");
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(h.Boxes(), QStringList{"Archivo no encontrado"});
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_TRUE(Inside(h.window()).Session().Modified);
  EXPECT_EQ(h.Shape(), kRenamedShape);
}

// A file the new profile replaces is replaced as every save replaces one: the new profile is
// written beside it and checked before it takes the file's place, so a failure leaves the old
// profile whole, and the replaced version is kept among the backups. Record 0 of the new
// profile takes nothing from the replaced file.
TEST(NewProfile, ReplacesAnExistingFileLikeEverySave) {
  const struct {
    const char* what;
    bool itIsTheOpenProfile;  // modified, and saved first on Yes to message 19
    bool writeFails;          // the written bytes do not read back
  } cases[] = {
      {"another profile's file", false, false},
      {"the open profile's own file", true, false},
      {"a write that fails", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SessionHarness h;
    h.Start();
    const auto path = h.MakeProfile("viejo.bv3");
    test::Bytes old = test::ReadBytes(path);
    std::fill(old.begin() + kHeaderSize, old.begin() + kRecordSize, 0xAB);
    test::WriteBytes(path, old);
    h.fakes.boxes->answers = {true /* 58: replace */};
    if (c.itIsTheOpenProfile) {
      Open(h, path);
      Modify(h);
      h.fakes.boxes->answers.push_back(true /* 19: save */);
    }
    if (c.writeFails)
      SetSealedFileStep([](FileHandle& temp) { ASSERT_EQ(::ftruncate(temp.Fd(), 100), 0); });
    h.fakes.files->answers = {PathText(path)};
    ModalScript script;
    script.Then("FNuevoPerfil", [](QWidget* d) {
      NewProfile("Anas", "Reemplazo", "")(d);
      if (d->isVisible()) test::Click(d, "BtnCancelar");
    });
    h.Trigger("ActNuevo");
    SetSealedFileStep({});
    EXPECT_TRUE(script.Done());
    const std::vector<std::filesystem::path> kept = BackupStore::ForUser(9).BackupsOf(path);
    if (c.writeFails) {
      EXPECT_EQ(test::ReadBytes(path), old);
      EXPECT_EQ(h.Boxes().back(), "Error I/O 5");
      EXPECT_FALSE(h.ProfileOpen());
      EXPECT_TRUE(kept.empty());
      continue;
    }
    EXPECT_EQ(FileHeader(path).Title, "Reemplazo");
    const test::Bytes now = test::ReadBytes(path);
    ASSERT_EQ(now.size(), kRecordSize);
    EXPECT_TRUE(std::all_of(now.begin() + kHeaderSize, now.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Reemplazo]");
    // The version replaced is among the backups: the open profile as its Yes saved it.
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(FileShape(kept.back(), kSentinel),
              c.itIsTheOpenProfile ? kRenamedShape : kSampleShape);
  }
}

// --- save, save as, close ------------------------------------------------------------------

TEST(Saving, SaveWritesTheChangesAndDisablesItself) {
  SessionHarness h;
  h.Start();
  const auto path = h.MakeProfile("a.bv3", ProfileSetup{"Clave"});
  ModalScript script;
  script.Then("FInicioSesion", Login("Clave"));
  Open(h, path);
  EXPECT_FALSE(h.Act("ActGuardar")->isEnabled());
  Modify(h);
  EXPECT_TRUE(h.Act("ActGuardar")->isEnabled());
  h.Trigger("ActGuardar");
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  EXPECT_FALSE(h.Act("ActGuardar")->isEnabled());
  EXPECT_EQ(FileShape(path, "Clave"), kRenamedShape);
}

TEST(Saving, SaveAsReopensFromTheNewPathAndLeavesTheOldFileAsLastSaved) {
  SessionHarness h;
  h.Start();
  const auto old = h.MakeProfile("a.bv3", ProfileSetup{"Clave", "Titulo"});
  const auto before = test::ReadBytes(old);
  ModalScript script;
  script.Then("FInicioSesion", Login("Clave"));
  Open(h, old);
  Modify(h);
  const auto copy = h.Path("copia.bv3");
  h.fakes.files->answers = {PathText(copy)};
  h.Trigger("ActGuardarComo");
  EXPECT_TRUE(script.unexpected.isEmpty());
  EXPECT_EQ(h.fakes.files->titles.back(), "Guardar perfil como...");
  EXPECT_EQ(test::ReadBytes(old), before);
  EXPECT_EQ(FileShape(copy, "Clave"), kRenamedShape);
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, copy);
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  EXPECT_EQ(h.Shape(), kRenamedShape);
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Titulo]");
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[0]->text(), PathText(copy));
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[1]->text(), PathText(old));
}

TEST(Closing, TheSaveQuestionDecidesWhatReachesTheFile) {
  for (const bool yes : {true, false}) {
    SessionHarness h;
    h.Start();
    const auto path = h.MakeProfile("a.bv3");
    Open(h, path);
    Modify(h);
    h.fakes.boxes->answers = {yes};
    h.Trigger("ActCerrar");
    EXPECT_EQ(h.Boxes(), QStringList{Msg(19)});
    EXPECT_FALSE(h.ProfileOpen());
    EXPECT_EQ(h.Caption(), "Brindlevault 3.5");
    EXPECT_EQ(h.Shape(), "");
    EXPECT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::Welcome);
    EXPECT_FALSE(h.Act("ActCerrar")->isEnabled());
    EXPECT_FALSE(h.Act("ActGuardar")->isEnabled());
    EXPECT_TRUE(h.Act("ActAbrir")->isEnabled());
    EXPECT_EQ(FileShape(path, kSentinel), yes ? kRenamedShape : kSampleShape);
  }
}

TEST(Closing, EmptiesTheClipboardOnlyWhenDCBCerrarIsOn) {
  for (const bool dcbCerrar : {true, false}) {
    SessionHarness h;
    h.Start();
    Inside(h.window()).Flags().DCBCerrar = dcbCerrar;
    Open(h, h.MakeProfile("a.bv3"));
    const int before = h.fakes.clipboard->clears;
    h.Trigger("ActCerrar");
    EXPECT_EQ(h.fakes.clipboard->clears - before, dcbCerrar ? 1 : 0);
    EXPECT_TRUE(h.Boxes().isEmpty());  // nothing changed, nothing asked
  }
}

TEST(Closing, AFailedSaveKeepsTheProfileOpen) {
  SessionHarness h;
  h.Start();
  const auto folder = OpenModifiedThenMoveItsFolder(h);
  h.fakes.boxes->answers = {true};
  h.Trigger("ActCerrar");
  EXPECT_EQ(h.Boxes(), (QStringList{Msg(19), "Archivo no encontrado"}));
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_TRUE(Inside(h.window()).Session().Modified);
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, folder / "a.bv3");
  EXPECT_EQ(h.Shape(), kRenamedShape);
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Cuentas de casa]");
  EXPECT_TRUE(h.Act("ActGuardar")->isEnabled());

  // Opening another profile is refused the same way: the changes are not lost.
  h.fakes.boxes->answers = {true};
  h.fakes.files->answers = {PathText(h.MakeProfile("b.bv3"))};
  h.Trigger("ActAbrir");
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, folder / "a.bv3");
  EXPECT_EQ(h.Shape(), kRenamedShape);
}

// Escape (or the box's close button) on the save question cancels the whole command, in
// each of the four places it is asked: nothing is saved, closed, opened or created.
TEST(SaveQuestion, CancelKeepsTheProfileOpenAndModified) {
  const struct {
    const char* command;
    int message;
  } commands[] = {{"ActCerrar", 19}, {"ActAbrir", 19}, {"ActNuevo", 19}, {"exit", 20}};
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    SessionHarness h;
    h.Start();
    const auto path = h.MakeProfile("a.bv3");
    const auto other = h.MakeProfile("b.bv3");
    const auto before = test::ReadBytes(path);
    Open(h, path);
    Modify(h);
    h.fakes.boxes->saveAnswers = {SaveAnswer::Cancel};
    h.fakes.files->answers = {
        PathText(c.command == std::string("ActNuevo") ? h.Path("c.bv3") : other)};
    ModalScript script;
    if (c.command == std::string("ActNuevo"))
      script.Then("FNuevoPerfil", [](QWidget* d) {
        NewProfile("Anas", "Otro", "")(d);
        test::Click(d, "BtnCancelar");
      });
    if (c.command == std::string("exit"))
      EXPECT_FALSE(h.window().close());
    else
      h.Trigger(c.command);
    EXPECT_EQ(h.Boxes(), QStringList{Msg(c.message)});
    EXPECT_TRUE(h.ProfileOpen());
    EXPECT_TRUE(Inside(h.window()).Session().Modified);
    EXPECT_TRUE(h.Act("ActGuardar")->isEnabled());
    EXPECT_EQ(Inside(h.window()).Session().ProfilePath, path);
    EXPECT_EQ(h.Shape(), kRenamedShape);
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(h.Path("c.bv3")));
    EXPECT_TRUE(h.window().isVisible());
  }
}

TEST(Shutdown, YesSavesThroughTheSessionAndAFailureKeepsTheWindowOpen) {
  SessionHarness h;
  h.Start();
  const auto folder = OpenModifiedThenMoveItsFolder(h);
  h.fakes.boxes->answers = {true};
  EXPECT_FALSE(h.window().close());
  EXPECT_EQ(h.Boxes(), (QStringList{Msg(20), "Archivo no encontrado"}));
  EXPECT_TRUE(Inside(h.window()).Session().Modified);

  std::filesystem::rename(h.Path("movida"), folder);
  h.fakes.boxes->answers = {true};
  EXPECT_TRUE(h.window().close());
  EXPECT_EQ(FileShape(folder / "a.bv3", kSentinel), kRenamedShape);
}

// --- idle lock ---------------------------------------------------------------------------

TEST(IdleLock, ClosesAnUnchangedProfileAndOffersItsPasswordBoxAgain) {
  SessionHarness h;
  h.Start();
  const auto path = h.MakeProfile("cerrado.bv3", ProfileSetup{"Secreto"});
  {
    ModalScript script;
    script.Then("FInicioSesion", Login("Secreto"));
    Open(h, path);
  }
  const int clears = h.fakes.clipboard->clears;
  bool closedWhenAsked = false;
  ModalScript script;
  script.Then("FInicioSesion", [&](QWidget* d) {
    closedWhenAsked = !h.ProfileOpen() && h.Shape().empty();
    Inside(h.window()).Idle().SetInterval(std::chrono::milliseconds(0));
    Login("Secreto")(d);
  });
  Inside(h.window()).Idle().SetInterval(std::chrono::milliseconds(50));
  QTest::qWait(400);
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(closedWhenAsked);
  EXPECT_EQ(h.fakes.clipboard->clears - clears, 1);  // closed as ActCerrar closes (DCBCerrar)
  EXPECT_TRUE(h.ProfileOpen());                      // and opened again with the password
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, path);
  EXPECT_TRUE(h.Boxes().isEmpty());
}

TEST(IdleLock, LeavesAModifiedProfileAloneAndWaitsWhileThereIsInput) {
  SessionHarness h;
  h.Start();
  Open(h, h.MakeProfile("a.bv3"));
  Modify(h);
  Inside(h.window()).Idle().SetInterval(std::chrono::milliseconds(50));
  QTest::qWait(300);
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_EQ(h.Shape(), kRenamedShape);
  EXPECT_TRUE(h.Boxes().isEmpty());

  // Unchanged now: a key every 40 ms keeps a 150 ms lock from running out.
  test::SessionOf(h.window()).Modified = false;
  Inside(h.window()).Idle().SetInterval(std::chrono::milliseconds(150));
  for (int k = 0; k < 12; ++k) {
    QTest::keyClick(&Inside(h.window()).BVTree(), Qt::Key_Shift);
    QTest::qWait(40);
  }
  EXPECT_TRUE(h.ProfileOpen());
  QTest::qWait(400);
  EXPECT_FALSE(h.ProfileOpen());  // a profile without password is not opened again
  EXPECT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::Welcome);
}

// A save keeps the version it replaces among the backups; Abrir copia de seguridad, in the
// File menu beside the other ways to open, starts the open dialog in their folder, and a
// backup opened there shows the version it holds.
TEST(Backups, ASaveKeepsTheReplacedVersionWhichTheFileMenuOpens) {
  SessionHarness h;
  h.Start();
  const auto path = h.MakeProfile("a.bv3");
  const std::string before = test::ReadFile(path);
  Open(h, path);
  Modify(h);
  h.Trigger("ActGuardar");
  ASSERT_FALSE(Inside(h.window()).Session().Modified);
  const BackupStore store = BackupStore::ForUser(1);
  const auto kept = store.BackupsOf(path);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(test::ReadFile(kept[0]), before);
  EXPECT_TRUE(h.Boxes().isEmpty()) << h.Boxes().join('|').toStdString();

  const QList<QAction*> items = h.Act("ActMenuArchivo")->menu()->actions();
  ASSERT_TRUE(items.contains(h.Act("ActCopiasSeguridad")));
  EXPECT_EQ(items[items.indexOf(h.Act("ActCopiasSeguridad")) - 1], h.Act("ActRecientes"));
  h.fakes.files->answers = {PathText(kept[0])};
  h.Trigger("ActCopiasSeguridad");
  EXPECT_EQ(h.fakes.files->starts.back(), PathText(store.BackupFolder()));
  EXPECT_EQ(h.fakes.files->titles.back(),
            Inside(h.window()).FileDialog(FileDialogId::ODPerfil).title());
  ASSERT_TRUE(h.ProfileOpen());
  EXPECT_EQ(h.Shape(), kSampleShape);
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, kept[0]);

  // No copy can be kept (the data folder is a file): the save is made all the same, and a
  // box says afterwards why no copy was kept and where.
  const std::string dataHome = std::getenv("XDG_DATA_HOME");
  const auto notAFolder = std::filesystem::path(dataHome) / "no-es-carpeta";
  test::WriteFile(notAFolder, "x");
  ::setenv("XDG_DATA_HOME", notAFolder.c_str(), 1);
  Modify(h);
  h.Trigger("ActGuardar");
  ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  ASSERT_EQ(h.Boxes().size(), 1);
  EXPECT_TRUE(h.Boxes()[0].contains(PathText(notAFolder / "brindlevault/backups") + ": "))
      << h.Boxes()[0].toStdString();
}

}  // namespace
}  // namespace bv
