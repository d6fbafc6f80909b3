#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "config/IniFile.h"
#include "support/LanguageKeys.h"
#include "config/Messages.h"
#include "support/ScratchFolder.h"
#include "tools/WordLists.h"

namespace bv {
namespace {

const std::filesystem::path kSource = BV_SOURCE_DIR;

class ShippedLanguageTest : public ::testing::TestWithParam<test::ShippedLanguage> {
 protected:
  std::filesystem::path Path() const { return kSource / "res" / GetParam().utf8Name; }
  IniFile File() const { return IniFile(Path()); }
};

// The first fault of the bytes as a language file, or empty.
std::string TextFault(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const auto at = " at byte " + std::to_string(i);
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
      return "byte without a Windows-1252 character" + at;
    if (b == '\n' && (i == 0 || bytes[i - 1] != '\r')) return "line end is not CR LF" + at;
    if (b == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return "lone CR" + at;
    if (b < 0x20 && b != '\r' && b != '\n') return "control character" + at;
  }
  if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n") return "no final line end";
  return {};
}

TEST(LanguageTextCheckTest, FindsFaults) {
  EXPECT_EQ(TextFault("[A]\r\nk=\xF1\xF7\r\n"), "");
  EXPECT_NE(TextFault("[A]\r\nk=\x81\r\n"), "");
  EXPECT_NE(TextFault("[A]\nk=1\r\n"), "");
  EXPECT_NE(TextFault("[A]\r\nk=\t1\r\n"), "");
  EXPECT_NE(TextFault("[A]\r\nk=1"), "");
}

TEST_P(ShippedLanguageTest, IsWindows1252TextWithCrLfLineEnds) {
  const std::string bytes = test::ReadFile(Path());
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(TextFault(bytes), "");
}

TEST_P(ShippedLanguageTest, HasEveryWindowAndControl) {
  const auto file = File();
  for (const auto& window : test::RequiredWindows()) {
    ASSERT_TRUE(file.HasSection(window.name)) << window.name;
    std::set<std::string> expected;
    for (const auto& control : window.controls)
      for (const auto& key : test::KeysOf(control)) {
        expected.insert(key);
        const auto value = file.Read(window.name, key);
        EXPECT_TRUE(value && !value->empty()) << window.name << " / " << key;
      }
    // A key that matches no control is a misspelt name.
    for (const auto& key : file.KeyNames(window.name))
      EXPECT_TRUE(expected.count(key)) << window.name << " has unknown key " << key;
  }
}

TEST_P(ShippedLanguageTest, HasEveryUsedMessage) {
  const auto file = File();
  for (const int n : test::UsedMessages()) {
    const auto text = file.Read(kMessagesSection, std::to_string(n));
    EXPECT_TRUE(text && !text->empty()) << "message " << n;
  }
  const auto marker = file.Read(kMessagesSection, std::to_string(test::kMarkerMessage));
  ASSERT_TRUE(marker.has_value());
  EXPECT_LT(marker->size(), test::kMarkerLimit);
}

TEST_P(ShippedLanguageTest, NamesDocumentsThatExist) {
  const auto file = File();
  const auto help = file.ReadString(kMessagesSection, "39", "");
  const auto licence = file.ReadString(kMessagesSection, "48", "");
  EXPECT_TRUE(std::filesystem::is_regular_file(kSource / "help" / help)) << help;
  EXPECT_TRUE(std::filesystem::is_regular_file(kSource / "doc" / licence)) << licence;
  EXPECT_TRUE(std::filesystem::is_regular_file(kSource / "doc" / "novedades.txt"));
}

TEST_P(ShippedLanguageTest, ListsKeepTheirItemsInOrder) {
  // The search maps the item position to a field, so every language has the same count.
  struct ListKey {
    const char* window;
    const char* key;
    std::size_t items;
  };
  for (const auto& list : {ListKey{"FBusqueda", "BuscarEn", 7}, ListKey{"FAddCuenta", "Ed_Tipo", 9},
                           ListKey{"FEditarCuenta", "Ed_Tipo", 9}}) {
    const auto value = File().ReadString(list.window, list.key, "");
    EXPECT_EQ(static_cast<std::size_t>(std::count(value.begin(), value.end(), '\xF7')), list.items)
        << list.window << " / " << list.key;
    EXPECT_EQ(value.back(), '\xF7') << "every item ends with the separator";
  }
}

// The parts of a text that must survive translation: placeholders ("%s", "%d", "%1"...) and
// the mnemonic "&" ("&&" is a plain ampersand).
struct TextMarks {
  std::multiset<std::string> placeholders;
  int mnemonics = 0;
  char mnemonic = 0;  // the letter, folded to lower case
};

TextMarks MarksOf(const std::string& text) {
  TextMarks marks;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const char next = text[i + 1];
    if (text[i] == '%') {
      if (next == '%' || next == 's' || next == 'd' || (next >= '1' && next <= '9'))
        marks.placeholders.insert(text.substr(i, 2));
      ++i;
    } else if (text[i] == '&') {
      if (next != '&') {
        ++marks.mnemonics;
        marks.mnemonic = static_cast<char>(FoldedByte(static_cast<unsigned char>(next)));
      }
      ++i;
    }
  }
  return marks;
}

std::vector<std::string> SectionsOf(const std::filesystem::path& path) {
  std::vector<std::string> sections;
  std::istringstream lines(test::ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']')
      sections.push_back(line.substr(1, line.size() - 2));
  }
  return sections;
}

// The captions that share one menu or one dialog, where two mnemonics must not meet: each
// window's section, and the main window's menus one by one.
std::vector<std::pair<std::string, std::vector<std::string>>> MnemonicGroups(const IniFile& file) {
  std::vector<std::pair<std::string, std::vector<std::string>>> groups;
  for (const std::string& section : SectionsOf(file.Path()))
    if (section != "FPrincipal" && section != kMessagesSection && section != "Idioma")
      groups.push_back({section, file.KeyNames(section)});
  for (const auto& menu : test::MainMenus()) {
    std::vector<std::string> keys;
    for (const char* action : menu.actions) keys.push_back(std::string(action) + "c");
    groups.push_back({std::string("FPrincipal / ") + menu.name, keys});
  }
  // The browser's questions take their captions from numbered messages.
  groups.push_back({std::string(kMessagesSection) + " / connection", {"448", "449", "450"}});
  groups.push_back({std::string(kMessagesSection) + " / site", {"449", "450", "452"}});
  groups.push_back({std::string(kMessagesSection) + " / new login", {"456", "450"}});
  return groups;
}

TEST_P(ShippedLanguageTest, HoldsEveryTextOfTheSpanishFileWithItsMarks) {
  const IniFile spanish(kSource / "res" / kDefaultLanguageFileName);
  const IniFile file = File();
  const std::string name = GetParam().utf8Name;
  for (const std::string& section : SectionsOf(spanish.Path()))
    for (const std::string& key : spanish.KeyNames(section)) {
      const std::string where = name + " [" + section + "] " + key;
      const std::string original = spanish.ReadString(section, key, "");
      const std::optional<std::string> text = file.Read(section, key);
      if (!text || (text->empty() && !original.empty())) {
        ADD_FAILURE() << where << ": missing";
        continue;
      }
      const TextMarks want = MarksOf(original);
      const TextMarks got = MarksOf(*text);
      EXPECT_EQ(got.placeholders, want.placeholders) << where << ": placeholders differ";
      if (want.mnemonics == 1) {
        EXPECT_EQ(got.mnemonics, 1) << where << ": mnemonic lost";
      }
    }
}

TEST_P(ShippedLanguageTest, HasNoMnemonicClashThatSpanishHasNot) {
  const IniFile spanish(kSource / "res" / kDefaultLanguageFileName);
  const IniFile file = File();
  for (const auto& [group, keys] : MnemonicGroups(spanish)) {
    const std::string section = group.substr(0, group.find(' '));
    for (std::size_t a = 0; a < keys.size(); ++a)
      for (std::size_t b = a + 1; b < keys.size(); ++b) {
        const auto letter = [&](const IniFile& in, const std::string& key) {
          const TextMarks marks = MarksOf(in.ReadString(section, key, ""));
          return marks.mnemonics == 1 ? marks.mnemonic : '\0';
        };
        const char mine = letter(file, keys[a]);
        if (mine == '\0' || mine != letter(file, keys[b])) continue;
        const char spanishA = letter(spanish, keys[a]);
        EXPECT_TRUE(spanishA != '\0' && spanishA == letter(spanish, keys[b]))
            << GetParam().utf8Name << " [" << group << "] " << keys[a] << " and " << keys[b]
            << " share the mnemonic " << mine;
      }
  }
}

TEST(LanguageMarksTest, FindsPlaceholdersAndMnemonics) {
  const TextMarks marks = MarksOf("&Guardar %1 de %s al 100%% && m\xE1s");
  EXPECT_EQ(marks.placeholders, (std::multiset<std::string>{"%1", "%s", "%%"}));
  EXPECT_EQ(marks.mnemonics, 1);
  EXPECT_EQ(marks.mnemonic, 'g');
  EXPECT_EQ(MarksOf("&\xC9xito").mnemonic, 'e');  // É and E are one key
}

// Every language file the program ships, whatever its name.
INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguageTest, ::testing::ValuesIn(test::kShippedLanguages),
                         [](const auto& info) { return std::string(info.param.testName); });

// Each check above runs on every file of the table: a language file added to res/ is added
// there too, or it would escape them.
TEST(ShippedLanguagesTest, TheTableNamesEveryLanguageFile) {
  std::set<std::string> inTable;
  for (const test::ShippedLanguage& language : test::kShippedLanguages)
    inTable.insert(language.utf8Name);
  for (const auto& file : LanguageFiles(kSource / "res"))
    EXPECT_EQ(inTable.count(file.filename().string()), 1U) << file.filename().string();
  EXPECT_EQ(inTable.size(), LanguageFiles(kSource / "res").size());
}

TEST(ShippedLanguagesTest, SpanishIsTheDefaultFileAndTheLanguagesDiffer) {
  const IniFile spanish(kSource / "res" / kDefaultLanguageFileName);
  const IniFile english(kSource / "res" / "English.lng");
  EXPECT_EQ(spanish.ReadString("FPrincipal", "ActAbrirc", ""), "&Abrir perfil");
  EXPECT_EQ(spanish.ReadString("Mensajes", "17", ""), "Editar la cuenta \"");
  EXPECT_EQ(spanish.ReadString("Mensajes", "18", ""), "\" en \"");
  EXPECT_EQ(spanish.ReadString("Mensajes", "0", "").back(), ' ') << "message 1 follows directly";
  EXPECT_NE(english.ReadString("FPrincipal", "ActAbrirc", ""),
            spanish.ReadString("FPrincipal", "ActAbrirc", ""));
  EXPECT_NE(english.ReadString("Mensajes", "39", ""), spanish.ReadString("Mensajes", "39", ""));
}

}  // namespace
}  // namespace bv
