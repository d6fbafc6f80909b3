#pragma once
// A language file written for one test and made the active one, its messages loaded.
// Texts are given as UTF-8 and stored as Windows-1252, as real language files are.

#include <filesystem>
#include <map>
#include <string>

namespace bv::test {

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
