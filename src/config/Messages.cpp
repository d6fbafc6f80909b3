#include "config/Messages.h"

#include <algorithm>
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

std::string FillIn(const std::string& pattern, std::initializer_list<std::string> args) {
  std::string out;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    const char next = k + 1 < pattern.size() ? pattern[k + 1] : '\0';
    const auto number = static_cast<std::size_t>(next - '1');
    if (pattern[k] == '%' && next >= '1' && number < args.size()) {
      out += *(args.begin() + number);
      ++k;
    } else {
      out += pattern[k];
    }
  }
  return out;
}

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
  const auto stored =
      ReadString(settings::kConfiguracion, settings::kRecursos, PathToSetting(defaultFile));
  const auto chosen = PathFromSetting(stored);
  SetActiveLanguageFile(
      !stored.empty() && std::filesystem::is_regular_file(chosen, ec) ? chosen : defaultFile);
}

std::vector<std::filesystem::path> LanguageFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    // Windows matched "*.lng" without regard to case.
    auto extension = it->path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    if (extension == ".lng" && it->is_regular_file(ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(),
            [](const auto& a, const auto& b) { return a.filename() < b.filename(); });
  return files;
}

}  // namespace bv
