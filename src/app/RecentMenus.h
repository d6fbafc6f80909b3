#pragma once
// The two sets of recent entries (the File menu's Recent11..Recent16 and the open button's
// Recent1..Recent6), always showing the same six captions: the shortened path of each
// stored entry, or message 41 (disabled) for an empty one.

#include <QList>
#include <QString>
#include <string>

class QAction;
class QFont;
class QWidget;

namespace bv {

class RecentMenus {
 public:
  // items: both sets; data() of each is its entry number. window gives the font.
  RecentMenus(QList<QAction*> items, const QWidget* window);

  // Sets the captions and enabled states from the stored list.
  void Refresh();

  // The caption of a stored entry: the path shortened to 320 pixels in font, with any "&"
  // doubled so that it shows instead of marking a shortcut.
  static QString Caption(const std::string& stored, const QFont& font);

 private:
  QList<QAction*> items_;
  const QWidget* window_;
};

}  // namespace bv
