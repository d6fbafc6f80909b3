#pragma once
// Draws the labels of the account tree (BVTreeCustomDrawItem): colours and weight by kind,
// selected nodes red on white whether or not the tree has the focus. On a dark palette the
// labels that are not selected take lighter forms of the same hues, so that they stay
// readable on the dark background.

#include <QStyledItemDelegate>

#include "browser/TreeLabelStyle.h"

namespace bv {

class TreeItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  static QColor ColourOf(LabelColour colour, bool onDarkBackground = false);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace bv
