#include "app/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <cstring>

#include "config/IniFile.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"

namespace bv {
namespace {

constexpr const char* kLanguageSection = "Idioma";
constexpr const char* kLocaleKey = "Locale";

// The kinds of entry the file dialog names, which some of Qt's translations lack ("Folder"
// in Spanish): taken from the program's messages, before Qt's own translation.
class FileKindTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    static_cast<void>(disambiguation);
    static_cast<void>(n);
    if (!context || !sourceText || std::strcmp(context, "QAbstractFileIconProvider") != 0)
      return {};
    static constexpr struct {
      const char* source;
      int message;
    } kKinds[] = {{"Folder", msg::kFileKindFolder},     {"File", msg::kFileKindFile},
                  {"%1 File", msg::kFileKindOfType},    {"Drive", msg::kFileKindDrive},
                  {"Shortcut", msg::kFileKindShortcut}, {"Alias", msg::kFileKindShortcut},
                  {"Unknown", msg::kFileKindUnknown}};
    for (const auto& kind : kKinds)
      if (std::strcmp(sourceText, kind.source) == 0) return Msg(kind.message);  // empty: Qt's
    return {};
  }

  bool isEmpty() const override { return false; }
};

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
  static QPointer<QTranslator> fileKinds;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  const QLocale locale = ToolkitLocale();
  // Dates and numbers the program writes (QLocale()) follow its language too.
  QLocale::setDefault(locale);
  installed = InstallToolkitTranslation(locale);
  // The last installed is asked first.
  if (fileKinds) QCoreApplication::removeTranslator(fileKinds);
  if (!fileKinds) fileKinds = new FileKindTranslator(QCoreApplication::instance());
  QCoreApplication::installTranslator(fileKinds);
}

}  // namespace bv
