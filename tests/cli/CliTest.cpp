// brindlevault-cli run as a user runs it: arguments, standard input, exit code and output.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "config/Messages.h"
#include "config/Product.h"
#include "crypto/FieldCipher.h"
#include "files/BackupStore.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"
#include "support/ProfileFixtures.h"
#include "tools/OneTimeCode.h"
#include "support/StrengthWords.h"

namespace bv {
namespace {

using test::Bytes;
using test::ScratchFolder;

struct Result {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs the program without a controlling terminal, so that it can never wait for typing.
Result RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  int in[2], out[2], err[2];
  if (::pipe(in) || ::pipe(out) || ::pipe(err)) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) ::close(fd);
    std::vector<char*> argv;
    const std::string program = BV_RUNTIME_DIR "/brindlevault-cli";
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  (void)!::write(in[1], input.data(), input.size());  // small inputs fit the pipe
  ::close(in[1]);
  Result result;
  auto drain = [](int fd, std::string& into) {
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
      into.append(buffer, static_cast<std::size_t>(got));
    ::close(fd);
  };
  drain(out[0], result.out);  // dumps in these tests fit the stderr pipe meanwhile
  drain(err[0], result.err);
  int status = 0;
  ::waitpid(child, &status, 0);
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

class CliTest : public testing::Test {
 protected:
  std::filesystem::path SaveSample(const std::string& name, const std::string& password) {
    TProfileHeader header = test::SampleHeader(password);
    ProfileTree tree;
    test::FillSampleTree(tree);
    WriteProfile(dir / name, header, tree, password, "marca");
    return dir / name;
  }
  std::filesystem::path WriteText(const std::string& name, const std::string& text) {
    test::WriteBytes(dir / name, Bytes(text.begin(), text.end()));
    return dir / name;
  }
  std::string P(const std::string& name) { return (dir / name).string(); }

  // Without password: Web (Gmail, "A/B", Doble twice, Sin, Roto), and Suelta at the top.
  void WriteSeededProfile(const std::string& name) {
    ProfileTree tree;
    TNodeData web = TNodeData::Create(NodeKind::Category, 3);
    web.Name = "Web";
    TreeNode* category = tree.Append(nullptr, web);
    const auto account = [&](TreeNode* parent, const char* accountName, const char* notes) {
      TNodeData data = TNodeData::Create(NodeKind::Account, 17);
      data.Name = accountName;
      data.Notes = notes;
      tree.Append(parent, data);
    };
    account(category, "Gmail", "PIN\r\nTOTP: otpauth://totp/G?secret=JBSWY3DPEHPK3PXP&digits=8");
    account(category, "A/B", "TOTP: gezd gnbv");
    account(category, "Doble", "TOTP: JBSWY3DPEHPK3PXP");
    account(category, "Doble", "TOTP: JBSWY3DPEHPK3PXP");
    account(category, "Sin", "nada");
    account(category, "Roto", "TOTP: 1234");
    account(nullptr, "Suelta", "TOTP: JBSWY3DPEHPK3PXP");
    const std::string none(kEmptyPasswordSentinel);
    WriteProfile(dir / name, test::SampleHeader(none), tree, none, "marca");
  }

  ScratchFolder dir;
};

TEST_F(CliTest, DumpAndCreateGoRoundTrip) {
  const auto original = SaveSample("a.bv3", "pw\xF1");  // typed as UTF-8 "pwñ"
  const Result dump = RunCli({"dump", "--password-stdin", original.string()}, "pw\xC3\xB1\n");
  ASSERT_EQ(dump.code, 0) << dump.err;
  EXPECT_EQ(dump.out,
            nlohmann::ordered_json::parse(dump.out).dump(2) + "\n");  // plain indented JSON
  EXPECT_NE(dump.out.find(
                "\"notes\": \"Primera l\xC3\xADnea\\r\\nSegunda l\xC3\xADnea\\r\\n\\ttabulada\""),
            std::string::npos);
  EXPECT_NE(dump.out.find("\"kind\": \"group\""), std::string::npos);

  WriteText("tree.json", dump.out);
  const Result create =
      RunCli({"create", P("b.bv3"), "--from", P("tree.json"), "--password-stdin"}, "pw\xC3\xB1\n");
  ASSERT_EQ(create.code, 0) << create.err;

  // Same tree and header as the original, read back by the core reader.
  ProfileTree expected, actual;
  test::FillSampleTree(expected);
  LoadProfileNodes(dir / "b.bv3", "pw\xF1", actual);
  ASSERT_EQ(test::Shape(actual), test::Shape(expected));
  for (int k = 0; k < static_cast<int>(expected.Count()); ++k)
    EXPECT_EQ(actual.NodeAtTreeIndex(k)->data, expected.NodeAtTreeIndex(k)->data) << k;
  const HeaderRead header = ReadProfileHeader(dir / "b.bv3");
  EXPECT_EQ(header.header.Owner, "Jos\xE9 P\xE9rez");
  EXPECT_TRUE(PasswordMatches(header.header, "pw\xF1"));

  const Result again = RunCli({"dump", "--password-stdin", P("b.bv3")}, "pw\xC3\xB1\n");
  EXPECT_EQ(again.out, dump.out);
}

TEST_F(CliTest, CreateWritesTheProgramsRecordMarker) {
  WriteText("t.json", R"({"owner": "Ana", "title": "T", "nodes": [{"kind": "category"}]})");
  ASSERT_EQ(RunCli({"create", P("m.bv3"), "--from", P("t.json"), "--password-stdin"}, "\n").code,
            0);
  const Bytes file = test::ReadBytes(dir / "m.bv3");
  ASSERT_EQ(file.size(), 2 * kRecordSize);
  const std::string marker = DecipherField(test::TextAt(file, kRecordSize), kEmptyPasswordSentinel);
  std::vector<std::string> expected;
  for (const char* language : {"Espa\xC3\xB1ol.lng", "English.lng"}) {
    LoadMessages(std::filesystem::path(BV_RUNTIME_DIR) / "res" / language);
    expected.push_back(MessageText(106));
  }
  EXPECT_FALSE(marker.empty());
  EXPECT_TRUE(marker == expected[0] || marker == expected[1]) << marker;
}

// The header create writes is the one the program's new-profile command writes for the same
// owner, title and password: owner and title cut to their fields, the verifier made by the
// master-password rules, the whole saved as the window saves it.
TEST_F(CliTest, CreateWritesTheHeaderTheProgramWrites) {
  WriteText("t.json", R"({"owner": "Ana P\u00e9rez", "title": "Mi perfil", "nodes": []})");
  for (const std::string typed : {"", "x", "sixteen chars!!!"}) {
    SCOPED_TRACE("password '" + typed + "'");
    const auto path = dir / "cli.bv3";
    std::filesystem::remove(path);
    ASSERT_EQ(
        RunCli({"create", path.string(), "--from", P("t.json"), "--password-stdin"}, typed + "\n")
            .code,
        0);

    test::CoreSession window;
    const std::string password = PasswordOrSentinel(typed);
    window.header.Owner = "Ana P\xE9rez";
    window.header.Title = "Mi perfil";
    window.header.Verifier = MakeVerifier(password);
    window.Save(dir / "window.bv3", password);

    const Bytes cli = test::ReadBytes(path);
    const Bytes written = test::ReadBytes(dir / "window.bv3");
    ASSERT_GE(cli.size(), kHeaderSize);
    ASSERT_GE(written.size(), kHeaderSize);
    EXPECT_TRUE(std::equal(cli.begin(), cli.begin() + kHeaderSize, written.begin()));
    EXPECT_TRUE(PasswordMatches(ReadProfileHeader(path).header, password));
  }
}

TEST_F(CliTest, ProfilesWithoutPasswordAskNone) {
  const auto path = SaveSample("libre.bv3", std::string(kEmptyPasswordSentinel));
  const Result dump = RunCli({"dump", path.string()});  // no terminal, no stdin: nothing to ask
  ASSERT_EQ(dump.code, 0) << dump.err;
  EXPECT_EQ(nlohmann::json::parse(dump.out)["nodes"].size(), 2u);

  const Result info = RunCli({"info", path.string()});
  ASSERT_EQ(info.code, 0) << info.err;
  EXPECT_EQ(info.out,
            "Owner:           Jos\xC3\xA9 P\xC3\xA9rez\n"
            "Title:           Perfil de prueba\n"
            "File size:       17028 bytes\n"
            "Categories:      2\n"
            "Groups:          3\n"
            "Accounts:        3\n"
            "Master password: no\n");
  const Result guarded = RunCli({"info", SaveSample("g.bv3", "x").string()});
  EXPECT_NE(guarded.out.find("Master password: yes\n"), std::string::npos);
}

TEST_F(CliTest, CreateRefusesToReplaceAFileUnlessForced) {
  const auto path = SaveSample("a.bv3", "pw");
  Bytes old = test::ReadBytes(path);
  std::fill(old.begin() + kHeaderSize, old.begin() + kRecordSize, 0xAB);
  test::WriteBytes(path, old);
  WriteText("t.json", R"({"owner": "Ana", "title": "T"})");
  const Result refused =
      RunCli({"create", path.string(), "--from", P("t.json"), "--password-stdin"}, "\n");
  EXPECT_EQ(refused.code, 10);
  EXPECT_EQ(test::ReadBytes(path), old);
  const Result forced =
      RunCli({"create", path.string(), "--from", P("t.json"), "--force", "--password-stdin"}, "\n");
  EXPECT_EQ(forced.code, 0) << forced.err;
  const Bytes created = test::ReadBytes(path);
  ASSERT_EQ(created.size(), kRecordSize);
  // A new profile takes nothing from the file it replaces.
  EXPECT_TRUE(
      std::all_of(created.begin() + kHeaderSize, created.end(), [](auto b) { return b == 0; }));
  // The replaced profile is kept among the backups, as by every save.
  const auto kept = BackupStore::ForUser(1).BackupsOf(path);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(test::ReadBytes(kept[0]), old);
  EXPECT_NE(forced.out.find("Kept the replaced file as " + kept[0].string()), std::string::npos)
      << forced.out;
}

TEST_F(CliTest, DeepTreesGoRoundTrip) {
  constexpr int kDepth = 3000;
  ProfileTree chain;
  TreeNode* parent = nullptr;
  for (int k = 0; k < kDepth; ++k) {
    TNodeData group = TNodeData::Create(NodeKind::Group, 1);
    group.Name = "g" + std::to_string(k);
    parent = chain.Append(parent, group);
  }
  const std::string sentinel(kEmptyPasswordSentinel);
  WriteProfile(dir / "deep.bv3", test::SampleHeader(sentinel), chain, sentinel, "m");
  const Result dump = RunCli({"dump", P("deep.bv3")});
  ASSERT_EQ(dump.code, 0) << dump.err;
  WriteText("deep.json", dump.out);
  const Result create =
      RunCli({"create", P("copy.bv3"), "--from", P("deep.json"), "--password-stdin"}, "\n");
  ASSERT_EQ(create.code, 0) << create.err;
  ProfileTree back;
  LoadProfileNodes(dir / "copy.bv3", sentinel, back);
  ASSERT_EQ(back.Count(), static_cast<std::size_t>(kDepth));
  EXPECT_EQ(ProfileTree::Depth(back.NodeAtTreeIndex(kDepth - 1)), kDepth - 1);
  EXPECT_EQ(back.NodeAtTreeIndex(kDepth - 1)->data.Name, "g2999");
}

// Three versions under three passwords: each asked in turn, ours' given to the result, which
// replaces ours like a save.
TEST_F(CliTest, MergeCombinesTwoVersionsWithTheirBase) {
  ProfileTree base, ours, theirs, same;
  for (ProfileTree* tree : {&base, &ours, &theirs, &same}) test::FillSampleTree(*tree);
  ours.NodeAtTreeIndex(4)->data.Password = "nueva";  // Correo/Trabajo/Cuenta ñ
  theirs.Remove(theirs.NodeAtTreeIndex(7));          // Juegos/Steam
  theirs.Append(theirs.NodeAtTreeIndex(5), test::SampleAccount("Nueva"));  // in Correo/Personal
  TProfileHeader theirsHeader = test::SampleHeader("suya");
  theirsHeader.Title = "Otro t\xEDtulo";
  WriteProfile(dir / "base.bv3", test::SampleHeader("base"), base, "base", "m");
  WriteProfile(dir / "ours.bv3", test::SampleHeader("m\355a"), ours, "m\355a", "m");
  WriteProfile(dir / "theirs.bv3", theirsHeader, theirs, "suya", "m");
  WriteProfile(dir / "same.bv3", test::SampleHeader("m\355a"), same, "m\355a", "m");

  const Result merged = RunCli({"merge", P("ours.bv3"), P("theirs.bv3"), "--base", P("base.bv3"),
                                "--output", P("ours.bv3"), "--password-stdin"},
                               "m\xC3\255a\nsuya\nbase\n");
  ASSERT_EQ(merged.code, 0) << merged.err;
  EXPECT_NE(merged.out.find("Correo/Personal/Nueva\n"), std::string::npos) << merged.out;
  EXPECT_NE(merged.out.find("Juegos/Steam\n"), std::string::npos) << merged.out;
  EXPECT_NE(merged.out.find(": 8 nodes; 1 added, 1 deleted, 2 changed, 0 kept, 0 conflicts\n"),
            std::string::npos)
      << merged.out << merged.err;
  // The replaced file, ours, is kept among the backups, as by every save.
  EXPECT_NE(merged.out.find("Kept the replaced file as "), std::string::npos) << merged.out;
  const HeaderRead header = ReadProfileHeader(dir / "ours.bv3");
  EXPECT_TRUE(PasswordMatches(header.header, "m\355a"));
  EXPECT_EQ(header.header.Title, "Otro t\xEDtulo");
  ProfileTree result;
  LoadProfileNodes(dir / "ours.bv3", "m\355a", result);
  EXPECT_EQ(test::Shape(result),
            "Correo(Trabajo(Oficina(cuenta de oficina) Cuenta \xF1) Personal(Nueva)) Juegos");
  EXPECT_EQ(result.NodeAtTreeIndex(4)->data.Password, "nueva");

  // A password that opens an earlier file is tried first: one line for two files. Without a
  // base, identical versions have nothing to combine.
  const Result once =
      RunCli({"merge", P("same.bv3"), P("same.bv3"), "--output", P("out.bv3"), "--password-stdin"},
             "m\xC3\255a\n");
  ASSERT_EQ(once.code, 0) << once.err;
  EXPECT_TRUE(once.out.ends_with(": 8 nodes; 0 added, 0 deleted, 0 changed, 0 kept, 0 conflicts\n"))
      << once.out;  // a new file replaces nothing
  EXPECT_EQ(std::filesystem::status(dir / "out.bv3").permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  // An unprotected OURS gives its lack of a password to THEIRS' secrets: said on both outputs.
  const std::string none(kEmptyPasswordSentinel);
  WriteProfile(dir / "open.bv3", test::SampleHeader(none), same, none, "m");
  const Result exposed = RunCli(
      {"merge", P("open.bv3"), P("theirs.bv3"), "--output", P("exposed.bv3"), "--password-stdin"},
      "suya\n");
  ASSERT_EQ(exposed.code, 0) << exposed.err;
  const std::string warning =
      P("exposed.bv3") + " has no master password, but " + P("theirs.bv3") + " has one";
  EXPECT_NE(exposed.out.find("Warning: " + warning), std::string::npos) << exposed.out;
  EXPECT_NE(exposed.err.find("brindlevault-cli: warning: " + warning), std::string::npos)
      << exposed.err;
  EXPECT_EQ(once.err, "");
}

// Runs a program of the system (keepassxc-cli) with input; its output, or "" when it failed.
std::string RunTool(const std::string& command, const std::string& input) {
  FILE* pipe = ::popen(command.c_str(), "w");
  if (!pipe) return {};
  (void)!std::fwrite(input.data(), 1, input.size(), pipe);
  return ::pclose(pipe) == 0 ? "ok" : "";
}

// csv-full reads back into the same tree; csv, as other managers read it, has the accounts
// alone: the empty group and the descriptions of categories and groups stay behind.
TEST_F(CliTest, ExportsBothFormatsAndReadsItsCsvBack) {
  const auto original = SaveSample("a.bv3", "pw");
  ProfileTree expected;
  test::FillSampleTree(expected);
  for (const std::string format : {"csv-full", "csv"}) {
    SCOPED_TRACE(format);
    const std::string csv = P(format + ".csv"), back = P(format + ".bv3");
    const Result exported = RunCli(
        {"export", original.string(), "--format", format, "--output", csv, "--password-stdin"},
        "pw\n");
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_EQ(std::filesystem::status(csv).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const Result create = RunCli({"create", back, "--from-csv", csv, "--password-stdin"}, "\n");
    ASSERT_EQ(create.code, 0) << create.err;
    ProfileTree actual;
    LoadProfileNodes(back, std::string(kEmptyPasswordSentinel), actual);
    EXPECT_EQ(ReadProfileHeader(back).header.Title, format);
    std::vector<TNodeData> wanted, got;
    for (const ProfileTree* tree : {&expected, &actual}) {
      auto& nodes = tree == &expected ? wanted : got;
      tree->ForEachPreOrder([&](const TreeNode& node, int) {
        const bool kept = format == "csv-full" || node.data.IsAccount;
        if (kept) nodes.push_back(node.data);
      });
    }
    ASSERT_EQ(got.size(), wanted.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
      wanted[k].ImageIndex = got[k].ImageIndex;  // CSV has no pictures
      EXPECT_EQ(got[k], wanted[k]) << k;
    }
    if (format == "csv") {
      EXPECT_EQ(test::Shape(actual),
                "Correo(Trabajo(Oficina(cuenta de oficina) Cuenta \xF1)) Juegos(Steam)");
      actual.ForEachPreOrder([](const TreeNode& node, int) {
        if (!node.data.IsAccount) {
          EXPECT_EQ(node.data.Description, "") << node.data.Name;
        }
      });
    } else {
      EXPECT_EQ(test::Shape(actual), test::Shape(expected));
    }
  }

  const Result kdbx = RunCli({"export", original.string(), "--format", "kdbx", "--output",
                              P("a.kdbx"), "--password-stdin"},
                             "pw\nnueva clave\n");
  ASSERT_EQ(kdbx.code, 0) << kdbx.err;
  const std::string listed = P("listed.txt");
  ASSERT_EQ(
      RunTool("keepassxc-cli ls -R -q '" + P("a.kdbx") + "' > '" + listed + "'", "nueva clave\n"),
      "ok");
  const Bytes names = test::ReadBytes(listed);
  const std::string text(names.begin(), names.end());
  EXPECT_NE(text.find("Correo/"), std::string::npos) << text;
  EXPECT_NE(text.find("Juegos/"), std::string::npos) << text;
}

// What another process sees of a CLI waiting for its standard input: the core size limit
// and whether the files under /proc/PID are the user's own (dumpable) or root's (not dumpable).
struct WaitingCli {
  std::string coreLimit;  // the "Max core file size" line of /proc/PID/limits
  uid_t procOwner = 0;
  uid_t runAs = 0;
};

WaitingCli InspectWaitingCli(const std::filesystem::path& target, bool allowCores) {
  int in[2];
  if (::pipe(in)) return {};
  // Run as nobody where we may, so that a dumpable process's /proc entry is not root's.
  const uid_t runAs = ::getuid() == 0 ? 65534 : ::getuid();
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(in[0], 0);
    ::close(in[0]);
    ::close(in[1]);
    const rlimit inherited{1 << 20, RLIM_INFINITY};
    ::setrlimit(RLIMIT_CORE, &inherited);
    if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(runAs) != 0)) ::_exit(126);
    // A sanitizer build lowers the core limit itself unless told not to.
    const char* sanitizer = ::getenv("ASAN_OPTIONS");
    const std::string options = std::string(sanitizer ? sanitizer : "") + ":disable_coredump=0";
    ::setenv("ASAN_OPTIONS", options.c_str(), 1);
    if (allowCores)
      ::setenv("BRINDLEVAULT_ALLOW_CORE_DUMPS", "1", 1);
    else
      ::unsetenv("BRINDLEVAULT_ALLOW_CORE_DUMPS");
    const std::string program = BV_RUNTIME_DIR "/brindlevault-cli";
    ::execl(program.c_str(), program.c_str(), "create", target.c_str(), "--from", "-",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  const std::string proc = "/proc/" + std::to_string(child);
  // Blocked in read(0, ...) means main() has run its start-up; a /proc entry we may no longer
  // inspect means the same.
  for (int k = 0; k < 500; ++k) {
    std::error_code ec;
    const bool started =
        std::filesystem::read_symlink(proc + "/exe", ec).filename() == "brindlevault-cli";
    std::ifstream syscall(proc + "/syscall");
    std::string line;
    if (started && (!syscall || (std::getline(syscall, line) && line.rfind("0 0x0 ", 0) == 0)))
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  WaitingCli seen;
  seen.runAs = runAs;
  std::ifstream limits(proc + "/limits");
  for (std::string line; std::getline(limits, line);)
    if (line.rfind("Max core file size", 0) == 0) seen.coreLimit = line;
  struct stat info {};
  ::stat((proc + "/status").c_str(), &info);
  seen.procOwner = info.st_uid;
  ::close(in[1]);  // empty JSON: the program ends
  int status = 0;
  ::waitpid(child, &status, 0);
  return seen;
}

TEST_F(CliTest, RunsWithoutCoreDumpsUnlessAllowed) {
  const auto squeeze = [](std::string line) {
    std::string out;
    for (char c : line)
      if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
  };
  const WaitingCli hardened = InspectWaitingCli(dir / "a.bv3", false);
  EXPECT_EQ(squeeze(hardened.coreLimit), "Max core file size 0 0 bytes");
  EXPECT_EQ(hardened.procOwner, 0u);  // not dumpable: /proc hands the entry to root

  const WaitingCli allowed = InspectWaitingCli(dir / "a.bv3", true);
  EXPECT_EQ(squeeze(allowed.coreLimit), "Max core file size 1048576 unlimited bytes");
  EXPECT_EQ(allowed.procOwner, allowed.runAs);
  EXPECT_NE(allowed.runAs, 0u);
}

// Correo(Gmail Outlook Ñandú) with "123456" twice, a password equal to the user name (but
// for case) and the master password; the breach list holds "123456".
TEST_F(CliTest, AnalyzeReportsFindingsButNeverPasswords) {
  ProfileTree tree;
  TNodeData correo = TNodeData::Create(NodeKind::Category, 3);
  correo.Name = "Correo";
  TreeNode* category = tree.Append(nullptr, correo);
  const auto account = [&](const char* name, const char* user, const char* password) {
    TNodeData data = TNodeData::Create(NodeKind::Account, 17);
    data.Name = name;
    data.UserName = user;
    data.Password = password;
    tree.Append(category, data);
  };
  account("Gmail", "ana", "123456");
  account("Outlook", "ana", "123456");
  account("\321and\xFA", "Se\xF1or.Gato", "se\xD1OR.gato");
  account("Banco", "ana", "m4e5tr@-F1");
  WriteProfile(dir / "a.bv3", test::SampleHeader("m4e5tr@-F1"), tree, "m4e5tr@-F1", "marca");
  WriteText("pwned.txt", "7C4A8D09CA3762AF61E59520943DC26494F8941B:37359195\r\n");

  const Result json =
      RunCli({"analyze", P("a.bv3"), "--password-stdin", "--hibp", P("pwned.txt"), "--json"},
             "m4e5tr@-F1\n");
  ASSERT_EQ(json.code, 0) << json.err;
  const auto document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["accounts"], 4);
  std::vector<std::string> found;
  for (const auto& f : document["findings"])
    found.push_back(f["path"].back().get<std::string>() + " " + f["kind"].get<std::string>() + " " +
                    std::to_string(f["count"].get<int>()) + " " +
                    std::to_string(f["score"].get<int>()));
  const std::vector<std::string> expected = {"Banco same-as-master 0 3",
                                             "Gmail breached 37359195 0",
                                             "Gmail weak 0 0",
                                             "Gmail reused 2 0",
                                             "Outlook breached 37359195 0",
                                             "Outlook weak 0 0",
                                             "Outlook reused 2 0",
                                             "\xC3\221and\xC3\xBA same-as-user-name 0 0",
                                             "\xC3\221and\xC3\xBA weak 0 0"};
  EXPECT_EQ(found, expected);
  EXPECT_EQ(document["findings"][0]["path"], nlohmann::json({"Correo", "Banco"}));

  const Result table = RunCli({"analyze", P("a.bv3"), "--password-stdin"}, "m4e5tr@-F1\n");
  ASSERT_EQ(table.code, 0) << table.err;
  EXPECT_NE(table.out.find("4 accounts analysed, 4 with findings"), std::string::npos);
  EXPECT_NE(table.out.find("Correo / Gmail"), std::string::npos) << table.out;
  for (const Result* result : {&json, &table})
    for (const char* secret : {"123456", "m4e5tr", "se\xC3\xB1OR", "SE\xC3\x91OR"})
      EXPECT_EQ(result->out.find(secret), std::string::npos) << secret;
}

// The code of the account a path names, the same as the seed gives here and now.
TEST_F(CliTest, TotpPrintsTheCodeOfTheAccountAtThePath) {
  WriteSeededProfile("totp.bv3");
  const struct {
    const char* path;
    const char* seed;
  } cases[] = {
      {"Web/Gmail", "otpauth://totp/G?secret=JBSWY3DPEHPK3PXP&digits=8"},
      {"Web/A\\/B", "gezd gnbv"},
      {"Suelta", "JBSWY3DPEHPK3PXP"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const TotpSeed seed = *ParseSeed(c.seed).seed;
    const std::string before = CurrentCode(seed).digits;
    const Result result = RunCli({"totp", P("totp.bv3"), c.path, "--verbose"});
    const OneTimeCode after = CurrentCode(seed);
    ASSERT_EQ(result.code, 0) << result.err;
    const std::size_t lineEnd = result.out.find('\n');
    const std::string code = result.out.substr(0, lineEnd);
    EXPECT_TRUE(code == before || code == after.digits) << result.out;
    const int seconds = std::stoi(result.out.substr(lineEnd + 1));
    EXPECT_TRUE(seconds >= 1 && seconds <= 30) << result.out;
    EXPECT_EQ(result.out.substr(result.out.find(' ', lineEnd)), " s left\n");
  }
  EXPECT_EQ(RunCli({"totp", P("totp.bv3"), "Suelta"}).out.size(), 7u);  // six digits and LF
}

TEST_F(CliTest, AnalyzeFindsTheWordsOfTheShippedLanguagesWeak) {
  ProfileTree tree;
  TreeNode* category = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 3));
  const auto& rows = test::StrengthRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TNodeData data = TNodeData::Create(NodeKind::Account, 17);
    data.Name = "Cuenta " + std::to_string(i);
    data.UserName = rows[i].userName;
    data.Password = rows[i].password;
    tree.Append(category, data);
  }
  const std::string sentinel(kEmptyPasswordSentinel);
  WriteProfile(dir / "w.bv3", test::SampleHeader(sentinel), tree, sentinel, "marca");
  const Result json = RunCli({"analyze", P("w.bv3"), "--json"});
  ASSERT_EQ(json.code, 0) << json.err;
  std::set<std::string> weak;
  const auto document = nlohmann::json::parse(json.out);
  for (const auto& f : document["findings"])
    if (f["kind"] == "weak") weak.insert(f["path"].back().get<std::string>());
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(weak.count("Cuenta " + std::to_string(i)) == 1, rows[i].weak) << rows[i].password;
}

struct FailureCase {
  const char* label;
  std::vector<std::string> args;  // "@x" is the path of file x in the scratch folder
  std::string input;
  int code;
  std::string message;  // part of the one line on stderr
};

class CliFailureTest : public CliTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(CliFailureTest, EndsWithItsCodeAndOneLine) {
  SaveSample("pw.bv3", "pw");
  SaveSample("otra.bv3", "otra");
  test::WriteBytes(dir / "short.bv3", Bytes(100, 'x'));
  test::WriteBytes(dir / "text.txt", Bytes(300, 'x'));
  Bytes other(kRecordSize, 0);
  const std::string magic =
      "\x0E"
      "BVProfile_2.5b";
  std::copy(magic.begin(), magic.end(), other.begin());
  test::WriteBytes(dir / "other.bv3", other);
  WriteText("bad.json", "{\"owner\": \"Ana\",");
  WriteText("huge.json", "{\"nodes\": [{\"picture\": 88e8888}]}");
  WriteText("unknown.json", R"({"nodes": [{"kind": "group", "nmae": "x"}]})");
  WriteText("groupfield.json", R"({"nodes": [{"kind": "group", "password": "x"}]})");
  WriteText("nokind.json", R"({"nodes": [{"name": "x"}]})");
  WriteText("picture.json", R"({"nodes": [{"kind": "group", "picture": "3"}]})");
  WriteText("long.json",
            R"({"nodes": [{"kind": "category", "children": [{"kind": "account", "notes": ")" +
                std::string(187, 'n') + "\"}]}]}");
  WriteText("owner.json", "{\"owner\": \"" + std::string(51, 'o') + "\"}");
  WriteText("kanji.json", R"({"nodes": [{"kind": "account", "userName": "\u65e5\u672c"}]})");
  WriteText("ok.json", R"({"owner": "Ana", "title": "T"})");
  WriteText("long.csv", "Title,Password\nA," + std::string(118, 'p') + "\n");
  WriteText("kanji.csv", "Title,Username\nA,\xE6\x97\xA5\n");
  WriteText("open.csv", "Title,Notes\nA,\"open\n");
  WriteText("extra.csv", "Title,Notes\nA,B\nC,D,E\n");
  WriteText("unsorted.txt", std::string(40, 'B') + ":1\r\n" + std::string(40, 'A') + ":1\r\n");
  WriteSeededProfile("totp.bv3");
  ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);

  std::vector<std::string> args;
  for (const auto& arg : GetParam().args) args.push_back(arg[0] == '@' ? P(arg.substr(1)) : arg);
  const Result result = RunCli(args, GetParam().input);
  EXPECT_EQ(result.code, GetParam().code) << result.err;
  EXPECT_TRUE(result.err.starts_with("brindlevault-cli: ")) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
  EXPECT_TRUE(result.out.empty()) << result.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "new.bv3"));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliFailureTest,
    testing::Values(
        FailureCase{"NoCommand", {}, "", 2, "no command"},
        FailureCase{"UnknownCommand", {"list", "@pw.bv3"}, "", 2, "unknown command list"},
        FailureCase{"UnknownOption", {"dump", "--verbose", "@pw.bv3"}, "", 2, "--verbose"},
        FailureCase{"TwoFiles", {"info", "@pw.bv3", "@pw.bv3"}, "", 2, "exactly one"},
        FailureCase{"CreateWithoutFrom", {"create", "@new.bv3"}, "", 2, "--from"},
        FailureCase{"BothFromStdin",
                    {"create", "@new.bv3", "--from", "-", "--password-stdin"},
                    "",
                    2,
                    "standard input"},
        FailureCase{"MissingFile", {"info", "@none.bv3"}, "", 3, "none.bv3: Archivo no encontrado"},
        FailureCase{"ShortFile",
                    {"dump", "@short.bv3"},
                    "",
                    3,
                    "Lectura m\xC3\xA1s all\xC3\xA1 del fin del archivo"},
        FailureCase{
            "MissingJson", {"create", "@new.bv3", "--from", "@none.json"}, "", 3, "none.json"},
        FailureCase{"NotAProfile", {"info", "@text.txt"}, "", 4, "not a Brindlevault 3 profile"},
        FailureCase{"OtherEdition", {"dump", "@other.bv3"}, "", 5, "Brindlevault _2.5b"},
        FailureCase{
            "WrongPassword", {"dump", "--password-stdin", "@pw.bv3"}, "PW\n", 6, "wrong password"},
        FailureCase{
            "MalformedJson", {"create", "@new.bv3", "--from", "@bad.json"}, "", 7, "JSON: "},
        FailureCase{"NumberBeyondEveryType",
                    {"create", "@new.bv3", "--from", "@huge.json"},
                    "",
                    7,
                    "JSON: "},
        FailureCase{"UnknownField",
                    {"create", "@new.bv3", "--from", "@unknown.json"},
                    "",
                    7,
                    "nodes[0].nmae"},
        FailureCase{"AccountFieldOfGroup",
                    {"create", "@new.bv3", "--from", "@groupfield.json"},
                    "",
                    7,
                    "nodes[0].password: belongs to accounts"},
        FailureCase{"MissingKind",
                    {"create", "@new.bv3", "--from", "@nokind.json"},
                    "",
                    7,
                    "nodes[0].kind"},
        FailureCase{"PictureNotANumber",
                    {"create", "@new.bv3", "--from", "@picture.json"},
                    "",
                    7,
                    "nodes[0].picture"},
        FailureCase{"ValueTooLong",
                    {"create", "@new.bv3", "--from", "@long.json"},
                    "",
                    8,
                    "nodes[0].children[0].notes: too long (187"},
        FailureCase{"OwnerTooLong",
                    {"create", "@new.bv3", "--from", "@owner.json"},
                    "",
                    8,
                    "owner: too long"},
        FailureCase{"PasswordTooLong",
                    {"create", "@new.bv3", "--from", "@ok.json", "--password-stdin"},
                    std::string(17, 'p') + "\n",
                    8,
                    "password: too long"},
        FailureCase{"NotWindows1252",
                    {"create", "@new.bv3", "--from", "@kanji.json"},
                    "",
                    9,
                    "nodes[0].userName"},
        FailureCase{"CsvValueTooLong",
                    {"create", "@new.bv3", "--from-csv", "@long.csv"},
                    "",
                    8,
                    "long.csv: row 2 (line 2), column \"Password\": too long (118"},
        FailureCase{"CsvNotWindows1252",
                    {"create", "@new.bv3", "--from-csv", "@kanji.csv"},
                    "",
                    9,
                    "row 2 (line 2), column \"Username\""},
        FailureCase{"CsvOpenQuote",
                    {"create", "@new.bv3", "--from-csv", "@open.csv"},
                    "",
                    7,
                    "open.csv: line 2: a quoted value is not closed"},
        FailureCase{"CsvExtraColumn",
                    {"create", "@new.bv3", "--from-csv", "@extra.csv"},
                    "",
                    7,
                    "line 3: row 3 has 3 values"},
        FailureCase{"CreateFromBoth",
                    {"create", "@new.bv3", "--from", "@ok.json", "--from-csv", "@long.csv"},
                    "",
                    2,
                    "either --from"},
        FailureCase{"ExportUnknownFormat",
                    {"export", "@pw.bv3", "--format", "xml", "--output", "@new.bv3"},
                    "",
                    2,
                    "kdbx, csv or csv-full"},
        FailureCase{"ExportOverTheProfile",
                    {"export", "@pw.bv3", "--format", "csv", "--output", "@pw.bv3"},
                    "",
                    2,
                    "is the profile itself"},
        FailureCase{
            "ExportEmptyKdbxPassword",
            {"export", "@pw.bv3", "--format", "kdbx", "--output", "@new.bv3", "--password-stdin"},
            "pw\n\n",
            11,
            "an empty one is refused"},
        FailureCase{"MergeOneFile",
                    {"merge", "@pw.bv3", "--output", "@new.bv3"},
                    "",
                    2,
                    "two profile files"},
        FailureCase{"MergeWithoutOutput", {"merge", "@pw.bv3", "@pw.bv3"}, "", 2, "--output OUT"},
        FailureCase{"BaseOutsideMerge",
                    {"dump", "@pw.bv3", "--base", "@pw.bv3"},
                    "",
                    2,
                    "--base belongs to merge"},
        FailureCase{"MergeWrongTheirsPassword",
                    {"merge", "@pw.bv3", "@otra.bv3", "--output", "@new.bv3", "--password-stdin"},
                    "pw\nOTRA\n",
                    6,
                    "otra.bv3: wrong password"},
        FailureCase{"MergeTheirsNotAProfile",
                    {"merge", "@pw.bv3", "@text.txt", "--output", "@new.bv3", "--password-stdin"},
                    "pw\n",
                    4,
                    "text.txt: not a Brindlevault 3 profile"},
        FailureCase{"MergeMissingBase",
                    {"merge", "@pw.bv3", "@pw.bv3", "--base", "@none.bv3", "--output", "@new.bv3",
                     "--password-stdin"},
                    "pw\n",
                    3,
                    "none.bv3: Archivo no encontrado"},
        FailureCase{"AnalyzeUnsortedList",
                    {"analyze", "@pw.bv3", "--hibp", "@unsorted.txt"},
                    "",
                    7,
                    "unsorted.txt: is not sorted by hash"},
        FailureCase{"AnalyzeFifoAsList",
                    {"analyze", "@pw.bv3", "--hibp", "@fifo.txt"},
                    "",
                    3,
                    "fifo.txt: is not a regular file"},
        FailureCase{"AnalyzeMissingList",
                    {"analyze", "@pw.bv3", "--hibp", "@none.txt"},
                    "",
                    3,
                    "none.txt: cannot be read"},
        FailureCase{
            "JsonOutsideAnalyze", {"dump", "@pw.bv3", "--json"}, "", 2, "belong to analyze"},
        FailureCase{"FileExists", {"create", "@pw.bv3", "--from", "@ok.json"}, "", 10, "--force"},
        FailureCase{"TotpWithoutPath", {"totp", "@totp.bv3"}, "", 2, "a profile file and"},
        FailureCase{"VerboseOutsideTotp", {"dump", "@pw.bv3", "--verbose"}, "", 2, "totp"},
        FailureCase{"TotpNoAccount", {"totp", "@totp.bv3", "Web/Nadie"}, "", 12, "Web/Nadie"},
        FailureCase{"TotpGroupIsNoAccount", {"totp", "@totp.bv3", "Web"}, "", 12, "Web"},
        FailureCase{"TotpTwoNamesakes", {"totp", "@totp.bv3", "Web/Doble"}, "", 13, "Web/Doble"},
        FailureCase{"TotpNoSeed", {"totp", "@totp.bv3", "Web/Sin"}, "", 14, "Web/Sin"},
        FailureCase{"TotpBrokenSeed", {"totp", "@totp.bv3", "Web/Roto"}, "", 14, "Web/Roto"},
        FailureCase{"NoTerminal", {"dump", "@pw.bv3"}, "", 11, "--password-stdin"},
        FailureCase{"CreateWithNoPasswordLine",
                    {"create", "@new.bv3", "--from", "@ok.json", "--password-stdin"},
                    "",
                    11,
                    "standard input ended before a password line"},
        FailureCase{"NoTerminalToCreate",
                    {"create", "@new.bv3", "--from", "@ok.json"},
                    "",
                    11,
                    "--password-stdin"}),
    [](const auto& info) { return info.param.label; });

// The synopsis of the manual page, as plain text: one command line per line.
std::vector<std::string> ManualSynopsis() {
  std::ifstream page(BV_SOURCE_DIR "/data/man/brindlevault-cli.1");
  std::vector<std::string> lines;
  bool inSynopsis = false;
  for (std::string line; std::getline(page, line);) {
    if (line.rfind(".SH", 0) == 0) inSynopsis = line == ".SH SYNOPSIS";
    if (!inSynopsis || line.empty() || line[0] == '.') continue;
    std::string plain;
    for (std::size_t k = 0; k < line.size(); ++k) {
      if (line.compare(k, 3, "\\fB") == 0 || line.compare(k, 3, "\\fR") == 0 ||
          line.compare(k, 3, "\\fI") == 0)
        k += 2;
      else if (line.compare(k, 2, "\\-") == 0)
        plain += '-', ++k;
      else
        plain += line[k];
    }
    lines.push_back(plain);
  }
  return lines;
}

TEST(CliUsage, HelpListsTheCommandsOfTheManualPage) {
  const Result help = RunCli({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.err, "");
  std::vector<std::string> synopsis;
  std::istringstream text(help.out);
  for (std::string line; std::getline(text, line);)
    if (line.rfind("  brindlevault-cli ", 0) == 0) synopsis.push_back(line.substr(2));
  EXPECT_GE(synopsis.size(), 7u);
  EXPECT_EQ(synopsis, ManualSynopsis());
  EXPECT_EQ(RunCli({"-h"}).out, help.out);
}

TEST(CliUsage, VersionAgreesWithTheProductAndTheManualPages) {
  const Result version = RunCli({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, "brindlevault-cli " BV_VERSION "\n");
  EXPECT_EQ(kProductName, "Brindlevault " BV_VERSION);
  for (const char* page : {"brindlevault.1", "brindlevault-cli.1"}) {
    std::ifstream file(std::string(BV_SOURCE_DIR "/data/man/") + page);
    std::string title;
    std::getline(file, title);
    EXPECT_NE(title.find("\"Brindlevault " BV_VERSION "\""), std::string::npos) << page;
  }
}

}  // namespace
}  // namespace bv
