#include "app/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "config/IniFile.h"
#include "config/Messages.h"

namespace bv {
namespace {

constexpr const char* kLanguageSection = "Idioma";
constexpr const char* kLocaleKey = "Locale";

}  // namespace

QTranslator* InstallToolkitTranslation(const QLocale& locale) {
  // Lives as long as the application: a translator must outlive its installation.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

std::optional<QLocale> LanguageFileLocale(const std::filesystem::path& languageFile) {
  if (languageFile.empty()) return std::nullopt;
  const std::string name = IniFile::ReadOnce(languageFile, kLanguageSection, kLocaleKey, "");
  // A name QLocale does not know ("xx") gives the C locale: as good as none.
  const QLocale locale(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  if (name.empty() || locale.language() == QLocale::C) return std::nullopt;
  return locale;
}

QLocale ToolkitLocale() {
  return LanguageFileLocale(ActiveLanguageFile()).value_or(QLocale::system());
}

void FollowProgramLanguage() {
  static QPointer<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  installed = InstallToolkitTranslation(ToolkitLocale());
}

}  // namespace bv
