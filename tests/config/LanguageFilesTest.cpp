#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/IniFile.h"
#include "support/LanguageKeys.h"
#include "config/Messages.h"
#include "support/ScratchFolder.h"

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

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguageTest, ::testing::ValuesIn(test::kShippedLanguages),
                         [](const auto& info) { return std::string(info.param.testName); });

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
