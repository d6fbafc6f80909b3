#include "config/LanguageList.h"

#include <QCollator>
#include <QKeyEvent>
#include <QLocale>
#include <algorithm>

#include "config/Messages.h"

namespace bv {

QString PathToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

std::filesystem::path QStringToPath(const QString& text) { return text.toStdString(); }

LanguageList::LanguageList(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("BoxDll"));
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty()) emit fileChosen(selected.front()->data(Qt::UserRole).toString());
  });
}

void LanguageList::Fill(const std::filesystem::path& folder) {
  const QSignalBlocker quiet(this);  // emptying the list is no choice of the user's
  clear();
  std::vector<std::filesystem::path> files = LanguageFiles(folder);
  // As a person reads the names: without regard to case, accents where the locale's
  // alphabet puts them. The "C" locale has no alphabet, so the neutral one stands in.
  const QLocale locale;
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  std::stable_sort(files.begin(), files.end(), [&](const auto& a, const auto& b) {
    return collator.compare(LanguageName(a), LanguageName(b)) < 0;
  });
  for (const std::filesystem::path& file : files) {
    auto* item = new QListWidgetItem(LanguageName(file), this);
    item->setData(Qt::UserRole, PathToQString(file));
  }
  setCurrentRow(-1);
  clearSelection();
}

QString LanguageList::LanguageName(const std::filesystem::path& file) {
  return PathToQString(file.stem());
}

void LanguageList::keyPressEvent(QKeyEvent* event) {
  const bool upOrDown = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
  if (upOrDown && selectedItems().isEmpty() && count() > 0) {
    // The focus frame may already stand on an entry without selecting it: that one first.
    const int row = currentRow() >= 0              ? currentRow()
                    : event->key() == Qt::Key_Down ? 0
                                                   : count() - 1;
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    return;
  }
  QListWidget::keyPressEvent(event);
}

std::filesystem::path LanguageList::SelectedFile() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) return {};
  return QStringToPath(selected.front()->data(Qt::UserRole).toString());
}

}  // namespace bv
