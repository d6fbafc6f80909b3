#pragma once
// The file list "BoxDll" of the first-run picker and the options dialog: the languages of
// the resource folder by their own names (a file's name without ".lng": "Español",
// "Français"), in the alphabetical order of the user's locale (case does not count), none
// selected. With nothing selected, Down or Up selects the entry under the focus (the first,
// when none has it) rather than the one after it.

#include <QListWidget>
#include <filesystem>

namespace bv {

class LanguageList : public QListWidget {
  Q_OBJECT

 public:
  explicit LanguageList(QWidget* parent = nullptr);

  // Lists the language files of folder (nothing when it is missing).
  void Fill(const std::filesystem::path& folder);

  // The full path of the selected file; empty when nothing is selected.
  std::filesystem::path SelectedFile() const;

  // The name a language file is listed by.
  static QString LanguageName(const std::filesystem::path& file);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 signals:
  // The user selected a language file (by mouse or keyboard).
  void fileChosen(const QString& path);
};

// QString and std::filesystem::path meet here: file names on disk are UTF-8.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& text);

}  // namespace bv
