#pragma once
// The file list "BoxDll" of the first-run picker and the options dialog: the language
// files ("*.lng") of the resource folder by name, in the alphabetical order of the user's
// locale (case does not count), none selected.

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

 signals:
  // The user selected a language file (by mouse or keyboard).
  void fileChosen(const QString& path);
};

// QString and std::filesystem::path meet here: file names on disk are UTF-8.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& text);

}  // namespace bv
