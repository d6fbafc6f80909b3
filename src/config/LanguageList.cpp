#include "config/LanguageList.h"

#include "config/Messages.h"

namespace bv {

QString PathToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

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
  for (const std::filesystem::path& file : LanguageFiles(folder)) {
    auto* item = new QListWidgetItem(PathToQString(file.filename()), this);
    item->setData(Qt::UserRole, PathToQString(file));
  }
  setCurrentRow(-1);
  clearSelection();
}

std::filesystem::path LanguageList::SelectedFile() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) return {};
  return QStringToPath(selected.front()->data(Qt::UserRole).toString());
}

}  // namespace bv
