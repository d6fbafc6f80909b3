#pragma once
// Checks a real window against the list of required language keys and the shipped
// language files. Window tests call ExpectCoveredByLanguageFiles(&window) so that every
// control the window translates has its text in both files, and every control the files
// translate for this window exists in it under that name and of that kind.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QSet>
#include <QWidget>
#include <string>

#include "config/IniFile.h"
#include "support/LanguageKeys.h"
#include "config/QtText.h"
#include "config/Translation.h"

namespace bv::test {

inline const Window* RequiredWindow(const QString& name) {
  for (const auto& window : RequiredWindows())
    if (name == QLatin1String(window.name)) return &window;
  return nullptr;
}

inline bool HasKind(const QObject* object, Kind kind) {
  switch (kind) {
    case Kind::List: return object->metaObject() == &QComboBox::staticMetaObject;
    case Kind::Action:
    case Kind::Heading: return object->metaObject() == &QAction::staticMetaObject;
    case Kind::FileDialog: return object->metaObject() == &FileDialogEntry::staticMetaObject;
    case Kind::Caption:
      return !qobject_cast<const QAction*>(object) &&
             object->metaObject() != &QComboBox::staticMetaObject &&
             object->metaObject() != &FileDialogEntry::staticMetaObject;
  }
  return false;
}

inline void ExpectCoveredByLanguageFiles(QWidget* window) {
  const QString windowName = window->objectName();
  const Window* required = RequiredWindow(windowName);
  ASSERT_NE(required, nullptr) << "no language section for window " << windowName.toStdString();

  QSet<QString> listed;
  for (const auto& control : required->controls) listed.insert(control.name);
  QSet<QString> translated;
  for (const auto& [object, keys] : TranslatedControls(window)) {
    translated.insert(object->objectName());
    EXPECT_TRUE(listed.contains(object->objectName()))
        << windowName.toStdString() << ": " << object->objectName().toStdString()
        << " is translated but has no text in the language files";
  }
  for (const auto& control : required->controls) {
    const auto matches = window->findChildren<QObject*>(control.name);
    const bool found = std::any_of(matches.begin(), matches.end(), [&](const QObject* o) {
      return HasKind(o, control.kind) && translated.contains(o->objectName());
    });
    EXPECT_TRUE(found) << windowName.toStdString() << ": no translatable control named "
                       << control.name << " of the kind the language files expect";
  }
  for (const char* file : {"Espa\xC3\xB1ol.lng", "English.lng"}) {
    const IniFile lng(std::filesystem::path(BV_SOURCE_DIR) / "res" / file);
    for (const auto& control : required->controls)
      for (const auto& key : KeysOf(control))
        EXPECT_TRUE(lng.Read(required->name, key).has_value())
            << file << ": [" << required->name << "] " << key;
  }
}

}  // namespace bv::test
