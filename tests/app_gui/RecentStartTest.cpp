// The recent menus, opening at start (command line and CargaUltimo), and a profile written
// by the command-line tool.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QFontMetrics>
#include <fstream>

#include "app/MainMenus.h"
#include "config/QtText.h"
#include "profile/ProfileReader.h"
#include "support/ProfileFixtures.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::Inside;
using test::kSampleShape;
using test::Login;
using test::ModalScript;
using test::PathText;
using test::ProfileSetup;
using test::SessionHarness;

// The captions of both sets, after checking that they agree item for item.
QStringList RecentCaptions(SessionHarness& h) {
  const MainMenus& menus = Inside(h.window()).Menus();
  QStringList captions;
  for (int k = 0; k < kRecentEntries; ++k) {
    QAction* file = menus.recentFile[k];
    QAction* popup = menus.recentPopup[k];
    EXPECT_EQ(file->text(), popup->text()) << "entry " << k + 1;
    EXPECT_EQ(file->isEnabled(), popup->isEnabled()) << "entry " << k + 1;
    EXPECT_EQ(file->isEnabled(), file->text() != Msg(41)) << "entry " << k + 1;
    captions.append(file->text());
  }
  return captions;
}

QStringList Six(std::initializer_list<QString> entries) { return QStringList(entries); }

TEST(RecentMenus, FollowEveryOpenedProfile) {
  SessionHarness h;
  h.Start();
  const QString empty = Msg(41);
  EXPECT_EQ(RecentCaptions(h), Six({empty, empty, empty, empty, empty, empty}));
  const QString a = PathText(h.MakeProfile("A.bv3")), b = PathText(h.MakeProfile("B.bv3")),
                c = PathText(h.MakeProfile("C.bv3"));
  const struct {
    QString opened;
    QStringList shown;
  } steps[] = {
      {a, Six({a, a, a, a, a, a})},
      {b, Six({b, a, a, a, a, a})},
      {c, Six({c, b, a, a, a, a})},
      {b, Six({b, c, b, a, a, a})},
  };
  for (const auto& step : steps) {
    h.OpenWithDialog(step.opened.toStdString());
    ASSERT_TRUE(h.ProfileOpen());
    EXPECT_EQ(RecentCaptions(h), step.shown) << step.opened.toStdString();
  }
}

// Two files whose names differ in letter case alone are two profiles on Linux: the one
// opened last is first in the menus (and so opened at the next start); the same path again
// changes nothing.
TEST(RecentMenus, APathInOtherLetterCaseIsAnotherProfile) {
  SessionHarness h;
  h.Start();
  const auto upper = h.MakeProfile("Casa.bv3");
  const auto lower = h.MakeProfile("casa.bv3");
  h.OpenWithDialog(upper);
  h.OpenWithDialog(lower);
  ASSERT_TRUE(h.ProfileOpen());
  EXPECT_EQ(RecentCaptions(h)[0], PathText(lower));
  EXPECT_EQ(RecentCaptions(h)[1], PathText(upper));
  const std::string settings = h.folder.ReadSettings();
  h.OpenWithDialog(lower);
  EXPECT_EQ(h.folder.ReadSettings(), settings);
}

TEST(RecentMenus, AnEntryOpensItsProfileFromEitherMenu) {
  SessionHarness h;
  h.Start();
  const auto a = h.MakeProfile("a.bv3", ProfileSetup{"", "Perfil A"});
  const auto b = h.MakeProfile("b.bv3", ProfileSetup{"Clave", "Perfil B"});
  h.OpenWithDialog(a);
  ModalScript script;
  script.Then("FInicioSesion", Login("Clave"));
  h.OpenWithDialog(b);
  ASSERT_EQ(h.Caption(), "Brindlevault 3.5 - [Perfil B]");
  Inside(h.window()).Menus().recentPopup[1]->trigger();  // entry 2: a
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Perfil A]");
  ModalScript again;
  again.Then("FInicioSesion", Login("Clave"));
  Inside(h.window()).Menus().recentFile[1]->trigger();  // entry 2: b
  EXPECT_TRUE(again.Done());
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Perfil B]");
}

TEST(RecentMenus, AnEntryWhoseFileIsGoneClosesTheProfileAndOpensNothing) {
  SessionHarness h;
  h.Start();
  const auto gone = h.MakeProfile("ido.bv3");
  h.OpenWithDialog(gone);
  h.OpenWithDialog(h.MakeProfile("actual.bv3"));
  std::filesystem::remove(gone);
  Inside(h.window()).Menus().recentFile[1]->trigger();
  EXPECT_FALSE(h.ProfileOpen());
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5");
  EXPECT_TRUE(h.Boxes().isEmpty());
}

TEST(RecentMenus, LongPathsAreShortenedToTheWindowsFont) {
  SessionHarness h;
  h.Start();
  std::filesystem::path deep = h.Path("");
  for (const char* folder : {"una carpeta con nombre largo", "otra carpeta todavía más larga",
                             "y una tercera carpeta para llenar", "A&B"})
    deep /= folder;
  std::filesystem::create_directories(deep);
  const auto path = deep / "perfil de Ana & Luis.bv3";
  std::filesystem::copy_file(h.MakeProfile("x.bv3"), path);
  h.OpenWithDialog(path);
  ASSERT_TRUE(h.ProfileOpen());

  const QString caption = RecentCaptions(h)[0];
  const QString head = "/" + PathText(*std::next(path.begin()));  // the first folder after the root
  EXPECT_TRUE(caption.startsWith(head + "/.../")) << caption.toStdString();
  EXPECT_TRUE(caption.endsWith("/A&&B/perfil de Ana && Luis.bv3")) << caption.toStdString();
  QString shown = caption;
  shown.replace("&&", "&");
  EXPECT_LE(QFontMetrics(h.window().font()).horizontalAdvance(shown), 320);
  EXPECT_GT(QFontMetrics(h.window().font()).horizontalAdvance(PathText(path)), 320);
}

// --- start-up ------------------------------------------------------------------------------

TEST(StartUp, CargaUltimoOpensEntryOneOrNothingQuietly) {
  for (const bool listed : {true, false}) {
    SessionHarness h;
    const auto last = h.MakeProfile("ultimo.bv3");
    std::string settings = "[Configuracion]\r\nCargaUltimo=1\r\n";
    if (listed) settings += "[Reciente]\r\n1=" + last.string() + "\r\n";
    h.folder.WriteSettings(settings);
    h.Start();
    EXPECT_EQ(h.ProfileOpen(), listed);
    EXPECT_TRUE(h.Boxes().isEmpty());
  }
}

TEST(StartUp, ACommandLinePathBeatsCargaUltimo) {
  SessionHarness h;
  const auto last = h.MakeProfile("ultimo.bv3", ProfileSetup{"", "Ultimo"});
  const auto given = h.MakeProfile("dado.bv3", ProfileSetup{"Clave", "Dado"});
  h.folder.WriteSettings("[Configuracion]\r\nCargaUltimo=1\r\n[Reciente]\r\n1=" + last.string() +
                         "\r\n");
  ModalScript script;
  script.Then("FInicioSesion", Login("Clave"));
  h.Start({PathText(given)});
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(script.unexpected.isEmpty());
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Dado]");
  EXPECT_TRUE(Inside(h.window()).Flags().OpenedFromCommandLine);
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[0]->text(), PathText(given));
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[1]->text(), PathText(last));
}

TEST(StartUp, AMissingCommandLineFileIsReportedAndStillSuppressesCargaUltimo) {
  SessionHarness h;
  const auto last = h.MakeProfile("ultimo.bv3");
  h.folder.WriteSettings("[Configuracion]\r\nCargaUltimo=1\r\n[Reciente]\r\n1=" + last.string() +
                         "\r\n");
  h.Start({PathText(h.Path("falta.bv3"))});
  EXPECT_EQ(h.Boxes(), QStringList{"Archivo no encontrado"});
  EXPECT_FALSE(h.ProfileOpen());
}

TEST(StartUp, ARelativeCommandLinePathIsRememberedInFull) {
  SessionHarness h;
  const auto path = h.MakeProfile("relativo.bv3");
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(h.Path(""));
  h.Start({"relativo.bv3"});
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_EQ(Inside(h.window()).Menus().recentFile[0]->text(), PathText(path));
}

// --- the command-line tool -----------------------------------------------------------------

// Runs brindlevault-cli with args, input on its standard input; its exit code.
int RunCli(const std::vector<std::string>& args, const std::string& input) {
  int in[2];
  if (::pipe(in) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    ::dup2(in[0], 0);
    ::close(in[0]);
    ::close(in[1]);
    // Its report of what it wrote is not part of the test's output.
    const int quiet = ::open("/dev/null", O_WRONLY);
    ::dup2(quiet, 1);
    const std::string program = BV_RUNTIME_DIR "/brindlevault-cli";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  (void)!::write(in[1], input.data(), input.size());
  ::close(in[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CommandLineTool, AProfileItWritesOpensInTheWindowWithTheSameTree) {
  SessionHarness h;
  const auto json = h.Path("arbol.json");
  std::ofstream(json) << R"({"owner": "Luisa", "title": "Desde la consola", "nodes": [
    {"kind": "category", "name": "Correo", "picture": 3, "children": [
      {"kind": "group", "name": "Trabajo", "children": [
        {"kind": "account", "name": "Oficina", "userName": "luisa", "password": "año€",
         "url": "https://example.com", "notes": "dos\nlíneas"}]},
      {"kind": "account", "name": "Casa", "password": "x"}]},
    {"kind": "category", "name": "Juegos"}]})";
  const auto path = h.Path("consola.bv3");
  ASSERT_EQ(
      RunCli({"create", path.string(), "--from", json.string(), "--password-stdin"}, "Clave\n"), 0);
  ModalScript script;
  script.Then("FInicioSesion", Login("Clave"));
  h.Start({PathText(path)});
  EXPECT_TRUE(script.Done());
  ASSERT_TRUE(h.ProfileOpen());
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Desde la consola]");
  EXPECT_EQ(h.Shape(), "Correo(Trabajo(Oficina) Casa) Juegos");
  const TNodeData& office = Inside(h.window()).Tree().First()->children[0]->children[0]->data;
  EXPECT_EQ(office.Kind(), NodeKind::Account);
  EXPECT_EQ(office.UserName, "luisa");
  EXPECT_EQ(office.Password, "a\xF1o\x80");
  EXPECT_EQ(office.Url, "https://example.com");
  EXPECT_EQ(office.Notes.find("l\xEDneas") != std::string::npos, true);
  EXPECT_EQ(Inside(h.window()).Tree().First()->data.ImageIndex, 3);
}

}  // namespace
}  // namespace bv
