#include "config/ProgramPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <system_error>

#include "config/Cp1252.h"

namespace bv {
namespace {

std::optional<std::filesystem::path>& ProgramDirSetting() {
  static std::optional<std::filesystem::path> dir;
  return dir;
}

std::filesystem::path InstalledDataDir() {
  return (ProgramDir() / ".." / "share" / "brindlevault").lexically_normal();
}

bool IsDir(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_directory(p, ec);
}

// Decided by the structure of the bytes alone: text in Windows-1252 with letters beyond
// ASCII is practically never valid UTF-8.
bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
      extra = 1;
    else if (lead >= 0xE0 && lead <= 0xEF)
      extra = 2;
    else if (lead >= 0xF0 && lead <= 0xF4)
      extra = 3;
    else if (lead >= 0x80)
      return false;
    if (i + extra >= text.size() && extra > 0) return false;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

std::filesystem::path ProgramDir() {
  auto& dir = ProgramDirSetting();
  if (!dir) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    dir = ec ? std::filesystem::current_path(ec) : exe.parent_path();
  }
  return *dir;
}

void SetProgramDir(const std::filesystem::path& dir) { ProgramDirSetting() = dir; }

bool IsInstalledLayout() {
  return !IsDir(ProgramDir() / "res") && IsDir(InstalledDataDir() / "res");
}

std::filesystem::path ResourceDir() {
  return (IsInstalledLayout() ? InstalledDataDir() : ProgramDir()) / "res";
}

std::filesystem::path HelpDir() {
  return (IsInstalledLayout() ? InstalledDataDir() : ProgramDir()) / "help";
}

std::filesystem::path DocumentDir() {
  return IsInstalledLayout() ? InstalledDataDir() : ProgramDir();
}

std::filesystem::path UserConfigDir() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".config";
  }
  return {};
}

std::filesystem::path SettingsFilePath() {
  // An installed program's folder is shared by every user: never keep settings there.
  if (!IsInstalledLayout() && ::access(ProgramDir().c_str(), W_OK) == 0)
    return ProgramDir() / "brindlevault.ini";
  std::filesystem::path base = UserConfigDir();
  if (base.empty()) base = ProgramDir();
  return base / "brindlevault" / "brindlevault.ini";
}

std::string PathToSetting(const std::filesystem::path& path) {
  const std::string utf8 = path.string();
  if (auto cp = Utf8ToCp1252(utf8)) return *cp;
  return utf8;
}

std::filesystem::path PathFromSetting(std::string_view stored) {
  if (IsValidUtf8(stored)) return std::filesystem::path(std::string(stored));
  return std::filesystem::path(Cp1252ToUtf8(stored));
}

}  // namespace bv
