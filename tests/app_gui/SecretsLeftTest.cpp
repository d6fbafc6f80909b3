// After a profile is closed, none of its secrets that were shown or copied is left anywhere
// in the process: its own memory is read through /proc/self/mem, every readable mapping,
// for each secret in Windows-1252 and in UTF-16.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <fstream>
#include <sstream>
#include <string.h>

#include "config/QtText.h"
#include "profile/ProfileWriter.h"
#include "support/ProfileFixtures.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::Inside;
using test::Login;
using test::ModalScript;
using test::SessionHarness;

// The secrets are kept XOR-ed, so that the test's own code and data hold no copy of them.
constexpr unsigned char kKey = 0x5A;
// Unmasked in place, inside the vector's own storage: no temporary copy is left behind.
void Unmask(std::string& into, std::initializer_list<unsigned char> masked) {
  for (unsigned char c : masked) into += static_cast<char>(c ^ kKey);
}
// "Qz7mWk\xF1p3Lr9" (master), "Hv2\xF1Tq8Xc6Jm4Ye" (shown, copied), "Bn5\xF1Gs1Kd7Pw3Uz"
// (shown), "Rt9\xF1Vb2Mh6Qx" (an answer shown). At most 15 bytes: kept inside each string.
std::vector<std::string> Secrets() {
  std::vector<std::string> all(4);
  Unmask(all[0], {0x0B, 0x20, 0x6D, 0x37, 0x0D, 0x31, 0xAB, 0x2A, 0x69, 0x16, 0x28, 0x63});
  Unmask(all[1], {0x12, 0x2C, 0x68, 0xAB, 0x0E, 0x2B, 0x62, 0x02, 0x39, 0x6C, 0x10, 0x37, 0x6E,
                  0x03, 0x3F});
  Unmask(all[2], {0x18, 0x34, 0x6F, 0xAB, 0x1D, 0x29, 0x6B, 0x11, 0x3E, 0x6D, 0x0A, 0x2D, 0x69,
                  0x0F, 0x20});
  Unmask(all[3], {0x08, 0x2E, 0x63, 0xAB, 0x0C, 0x38, 0x68, 0x17, 0x32, 0x6C, 0x0B, 0x22});
  return all;
}

void Wipe(std::string& text) {
  explicit_bzero(text.data(), text.capacity());
  text.clear();
}

// Occurrences of needle in the readable mappings of this process, outside [skip, skip+n).
int CountInMemory(const std::string& needle, const char* skip) {
  int hits = 0;
  const int mem = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
  if (mem < 0) return -1;
  std::ifstream maps("/proc/self/maps");
  std::vector<char> buffer;
  for (std::string line; std::getline(maps, line);) {
    std::istringstream fields(line);
    std::string range, perms;
    fields >> range >> perms;
    if (perms.empty() || perms[0] != 'r' || line.find("[vvar") != std::string::npos) continue;
    const auto dash = range.find('-');
    const std::uintptr_t from = std::stoull(range.substr(0, dash), nullptr, 16);
    const std::uintptr_t to = std::stoull(range.substr(dash + 1), nullptr, 16);
    buffer.resize(to - from);
    const ssize_t got = ::pread(mem, buffer.data(), buffer.size(), static_cast<off_t>(from));
    if (got <= 0) continue;
    const std::string_view region(buffer.data(), static_cast<std::size_t>(got));
    for (auto at = region.find(needle); at != std::string_view::npos;
         at = region.find(needle, at + 1)) {
      const char* where = reinterpret_cast<const char*>(from + at);
      if (where != skip) ++hits;
    }
    // The buffer may lie in a mapping read later: it must not hold what it found here.
    explicit_bzero(buffer.data(), static_cast<std::size_t>(got));
  }
  ::close(mem);
  return hits;
}

std::string Utf16(const std::string& cp1252) {
  QString text = FromCp1252(cp1252);
  std::string bytes(reinterpret_cast<const char*>(text.utf16()),
                    static_cast<std::size_t>(text.size()) * 2);
  explicit_bzero(text.data(), static_cast<std::size_t>(text.size()) * sizeof(QChar));
  return bytes;
}

TEST(SecretsLeft, NoneAfterShowingCopyingAndClosing) {
  if (::access("/proc/self/mem", R_OK) != 0) GTEST_SKIP() << "no /proc/self/mem";
  SessionHarness h;
  h.fakes.realClipboard = true;
  h.Start();
  Inside(h.window()).Flags().MostrarPass = true;
  Inside(h.window()).Flags().DCBCerrar = true;
  const auto path = h.Path("secretos.bv3");
  {
    std::vector<std::string> s = Secrets();
    ProfileTree tree;
    TreeNode* category = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 0));
    category->data.Name = "Cuentas";
    for (int k = 1; k <= 2; ++k) {
      TNodeData account = TNodeData::Create(NodeKind::Account, 3);
      account.Name = "Cuenta " + std::to_string(k);
      account.UserName = "usuario";
      account.Password = s[static_cast<std::size_t>(k)];
      if (k == 1) account.Answer = s[3];
      tree.Append(category, std::move(account));
      WipeNodeData(account);
    }
    WriteProfile(path, test::SampleHeader(s[0]), tree, s[0], "marca");
    QString master = FromCp1252(s[0]);
    {
      ModalScript script;
      script.Then("FInicioSesion", Login(master));
      h.OpenWithDialog(path);
    }
    ASSERT_TRUE(h.ProfileOpen());
    explicit_bzero(master.data(), static_cast<std::size_t>(master.size()) * sizeof(QChar));
    for (std::string& secret : s) Wipe(secret);
  }
  TreeNode* first = Inside(h.window()).Tree().First()->children[0].get();
  TreeNode* second = Inside(h.window()).Tree().First()->children[1].get();
  Inside(h.window()).SelectNode(second);
  Inside(h.window()).SelectNode(first);
  ASSERT_TRUE(h.Act("ActCopPass")->isEnabled());
  h.Trigger("ActCopPass");
  // Not read back as text: that would decode a fresh copy the test itself leaves behind.
  ASSERT_TRUE(QApplication::clipboard()->mimeData()->hasText());
  h.Trigger("ActCerrar");
  ASSERT_FALSE(h.ProfileOpen());
  QApplication::processEvents();

  // Each needle is made, counted (its own buffer aside) and wiped in turn.
  int total = 0;
  std::string report;
  std::vector<std::string> all = Secrets();
  for (std::string& secret : all) {
    const int cp1252 = CountInMemory(secret, secret.data());
    std::string utf16 = Utf16(secret);
    Wipe(secret);
    const int wide = CountInMemory(utf16, utf16.data());
    Wipe(utf16);
    total += cp1252 + wide;
    report += " cp1252=" + std::to_string(cp1252) + " utf16=" + std::to_string(wide);
  }
  EXPECT_EQ(total, 0) << "copies left:" << report;
}

}  // namespace
}  // namespace bv
