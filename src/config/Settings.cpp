#include "config/Settings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "config/IniFile.h"
#include "config/ProgramPaths.h"

namespace bv {

ESettingsWriteError::ESettingsWriteError(const std::string& settingsPath)
    : std::runtime_error("Unable to write to " + settingsPath), settingsPath_(settingsPath) {}

std::optional<int> ParseSettingInt(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Up to 32 bits, as a signed integer holds them: 0xFFFFFFFF is -1.
    std::uint32_t value = 0;
    const auto digits = text.substr(2);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int>(value);
  }
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool ReadBool(std::string_view section, std::string_view key, bool def) {
  return ReadInt(section, key, def ? 1 : 0) != 0;
}

int ReadInt(std::string_view section, std::string_view key, int def) {
  const auto value = IniFile(SettingsFilePath()).Read(section, key);
  if (!value) return def;
  return ParseSettingInt(*value).value_or(def);
}

int ReadBackupsKept() {
  using namespace settings;
  return std::clamp(ReadInt(kConfiguracion, kCopiasSeguridad, kDefaultCopiasSeguridad), 0,
                    kMaxCopiasSeguridad);
}

std::string ReadString(std::string_view section, std::string_view key, std::string_view def) {
  return IniFile::ReadOnce(SettingsFilePath(), section, key, def);
}

void WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const auto path = SettingsFilePath();
  try {
    std::error_code ec;
    // The configuration folder may not exist yet on the first write.
    if (!std::filesystem::exists(path.parent_path(), ec))
      std::filesystem::create_directories(path.parent_path());
    IniFile::WriteOnce(path, section, key, value);
  } catch (const std::exception&) {
    throw ESettingsWriteError(path.string());
  }
}

void WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void WriteInt(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

}  // namespace bv
