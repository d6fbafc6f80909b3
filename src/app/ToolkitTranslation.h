#pragma once
// The texts Qt draws itself (Yes/No/OK of message boxes, the file and printer dialogs) follow
// the desktop's language, as the system's own dialogs always have; the program's own texts
// come from the language file the user picked.

#include <QLocale>

class QTranslator;

namespace bv {

// Installs Qt's translation for `locale` on the running application; the translator belongs to
// the application. Returns null, and leaves Qt's English texts, when no translation for that
// language is installed.
QTranslator* InstallToolkitTranslation(const QLocale& locale);

}  // namespace bv
