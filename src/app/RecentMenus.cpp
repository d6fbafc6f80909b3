#include "app/RecentMenus.h"

#include <QAction>
#include <QFontMetrics>
#include <QWidget>

#include "app/RecentList.h"
#include "config/MessageIds.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"

namespace bv {
namespace {

QString FromUtf8(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

RecentMenus::RecentMenus(QList<QAction*> items, const QWidget* window)
    : items_(std::move(items)), window_(window) {}

QString RecentMenus::Caption(const std::string& stored, const QFont& font) {
  const QFontMetrics metrics(font);
  // Stored paths are Windows-1252 text; the file names they stand for are UTF-8.
  const std::string path = PathFromSetting(stored).string();
  const std::string shown = ShortenedPath(path, kRecentCaptionWidth, [&](std::string_view text) {
    return metrics.horizontalAdvance(FromUtf8(text));
  });
  QString caption = FromUtf8(shown);
  caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return caption;
}

void RecentMenus::Refresh() {
  const RecentEntries entries = ReadRecentEntries();
  for (QAction* item : items_) {
    const int k = item->data().toInt();
    if (k < 1 || k > kRecentCount) continue;
    const std::string& entry = entries[static_cast<std::size_t>(k - 1)];
    item->setEnabled(!entry.empty());
    item->setText(entry.empty() ? Msg(msg::kEmptyRecentEntry) : Caption(entry, window_->font()));
  }
}

}  // namespace bv
