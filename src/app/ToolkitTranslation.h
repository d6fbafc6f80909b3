#pragma once
// The texts Qt draws itself (Yes/No/OK of message boxes, the file and printer dialogs, the
// context menus of text boxes) speak the language the user chose in the program: a language
// file names its locale in section "Idioma", key "Locale" ("es_ES"), which older programs
// ignore as they ignore every section that is not a window's. A file that names none, or
// names a locale Qt has no translation for, leaves them in the desktop's language.

#include <QLocale>
#include <filesystem>
#include <optional>

class QTranslator;

namespace bv {

// Installs Qt's translation for `locale` on the running application; the translator belongs to
// the application. Returns null, and leaves Qt's English texts, when no translation for that
// language is installed.
QTranslator* InstallToolkitTranslation(const QLocale& locale);

// The locale a language file names; nothing when it names none (or the file is missing).
[[nodiscard]] std::optional<QLocale> LanguageFileLocale(const std::filesystem::path& languageFile);

// The locale the active language file names, else the desktop's.
[[nodiscard]] QLocale ToolkitLocale();

// Puts Qt's translation for ToolkitLocale() in place of the one installed before, and makes
// that locale the default one for dates and numbers: at start and after every change of
// language. Qt retranslates what it shows at once, and every window is sent a
// QEvent::LanguageChange once the events waiting now are handled.
void FollowProgramLanguage();

}  // namespace bv
