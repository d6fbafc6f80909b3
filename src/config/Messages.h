#pragma once
// The numbered messages of the active language and the choice of that language.
//
// The table holds 700 texts (0 to 699: the historical 0 to 134, then the program's own
// later messages, a range for each feature; see MessageIds.h), Windows-1252 bytes, all empty
// at start. Loading a language file replaces the messages it defines and keeps the previous
// text of every message it lacks, so a partial translation falls back to the language loaded
// before.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace bv {

class IniFile;

inline constexpr int kMessageCount = 700;
inline constexpr const char* kMessagesSection = "Mensajes";
// The default language file, in the resource folder (a UTF-8 file name on disk).
inline constexpr const char* kDefaultLanguageFileName = "Español.lng";

// Callers pass constants 0..699; any other number gives the empty text.
const std::string& MessageText(int n);

// Puts args[k] where "%<k+1>" stands in a message, in one pass: a value that holds "%2"
// stays as it is.
std::string FillIn(const std::string& pattern, std::initializer_list<std::string> args);

// Reads section "Mensajes" of the file; a missing file changes nothing.
void LoadMessages(const std::filesystem::path& languageFile);
void LoadMessages(const IniFile& languageFile);

const std::filesystem::path& ActiveLanguageFile();
void SetActiveLanguageFile(const std::filesystem::path& languageFile);

// Runs once at start-up, before the main window exists: creates the default language file
// empty when it is missing, then takes the file named by the setting "Recursos" when it
// exists, else the default one.
void SelectStartLanguage();

std::filesystem::path DefaultLanguageFile();

// The language files ("*.lng") of a folder, by file name in byte order; empty when the
// folder is missing. The first-run picker and the options dialog list these.
std::vector<std::filesystem::path> LanguageFiles(const std::filesystem::path& folder);

}  // namespace bv
