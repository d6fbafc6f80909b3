#pragma once
// Where the program finds its files. The program's folder is the executable's folder;
// language files, help and documents sit beside it (res/, help/, the documents
// themselves), or under share/brindlevault beside bin/ when the program is installed.

#include <filesystem>
#include <string>
#include <string_view>

namespace bv {

// The executable's folder: main() sets it; until then it is taken from /proc/self/exe.
std::filesystem::path ProgramDir();
void SetProgramDir(const std::filesystem::path& dir);

// True when the program runs from an installed tree (bin/ beside share/brindlevault/).
[[nodiscard]] bool IsInstalledLayout();

std::filesystem::path ResourceDir();  // the language files
std::filesystem::path HelpDir();
std::filesystem::path DocumentDir();  // licence text and list of changes

// $XDG_CONFIG_HOME, else ~/.config; empty when neither is known.
std::filesystem::path UserConfigDir();

// brindlevault.ini: a build tree or portable folder keeps it in the program's folder when
// that is writable; an installed program, and a portable one in a read-only folder, keep it
// in $XDG_CONFIG_HOME/brindlevault/ (default ~/.config/brindlevault/), also when the
// installed program's folder happens to be writable. The folder is created by the first
// write (see Settings).
std::filesystem::path SettingsFilePath();

// Paths stored in settings and shown to the user are Windows-1252 text; file names on
// disk are UTF-8. A name with a character that has no Windows-1252 form is stored as
// UTF-8, and a stored value that is valid UTF-8 is taken as it is.
std::string PathToSetting(const std::filesystem::path& path);
std::filesystem::path PathFromSetting(std::string_view stored);

}  // namespace bv
