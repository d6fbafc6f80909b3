#pragma once
// A language file written for one test and made the active one, its messages loaded.
// Texts are given as UTF-8 and stored as Windows-1252, as real language files are.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace bv::test {

// The names of the language files the program ships (res/*.lng of the sources), kept for the
// whole run: the parameters of the tests that check each of them.
[[nodiscard]] const std::vector<const char*>& ShippedLanguageFiles();
// A test name for a file name: its letters and digits, "_" for anything else ("Espa__ol").
[[nodiscard]] std::string TestNameOf(const std::string& fileName);

class TestLanguage {
 public:
  using Section = std::map<std::string, std::string>;  // key -> value

  // Every message N not given reads "mN".
  explicit TestLanguage(const std::map<std::string, Section>& windows = {},
                        const std::map<int, std::string>& messages = {});
  ~TestLanguage();
  TestLanguage(const TestLanguage&) = delete;
  TestLanguage& operator=(const TestLanguage&) = delete;

 private:
  std::filesystem::path path_;
};

}  // namespace bv::test
