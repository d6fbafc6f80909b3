#include "config/Messages.h"

#include <array>
#include <fstream>
#include <system_error>

#include "config/IniFile.h"
#include "config/ProgramPaths.h"
#include "config/Settings.h"

namespace bv {
namespace {

std::array<std::string, kMessageCount>& Table() {
  static std::array<std::string, kMessageCount> table;
  return table;
}

std::filesystem::path& ActiveFile() {
  static std::filesystem::path file;
  return file;
}

}  // namespace

const std::string& MessageText(int n) {
  static const std::string empty;
  if (n < 0 || n >= kMessageCount) return empty;
  return Table()[static_cast<std::size_t>(n)];
}

void LoadMessages(const std::filesystem::path& languageFile) {
  LoadMessages(IniFile(languageFile));
}

void LoadMessages(const IniFile& file) {
  auto& table = Table();
  for (int n = 0; n < kMessageCount; ++n) {
    auto& text = table[static_cast<std::size_t>(n)];
    if (auto value = file.Read(kMessagesSection, std::to_string(n))) text = std::move(*value);
  }
}

const std::filesystem::path& ActiveLanguageFile() { return ActiveFile(); }

void SetActiveLanguageFile(const std::filesystem::path& languageFile) {
  ActiveFile() = languageFile;
}

std::filesystem::path DefaultLanguageFile() {
  return ResourceDir() / std::filesystem::path(std::u8string(
                             reinterpret_cast<const char8_t*>(kDefaultLanguageFileName)));
}

void SelectStartLanguage() {
  const auto defaultFile = DefaultLanguageFile();
  std::error_code ec;
  if (!std::filesystem::exists(defaultFile, ec)) {
    // Without a res folder this fails silently; the windows then keep their own texts.
    std::ofstream create(defaultFile, std::ios::binary);
  }
  const auto stored = ReadString(settings::kConfiguracion, settings::kRecursos,
                                 PathToSetting(defaultFile));
  const auto chosen = PathFromSetting(stored);
  SetActiveLanguageFile(!stored.empty() && std::filesystem::is_regular_file(chosen, ec)
                            ? chosen
                            : defaultFile);
}

}  // namespace bv
