#pragma once
// Draws the labels of the account tree (BVTreeCustomDrawItem): colours and weight by kind,
// selected nodes red on white whether or not the tree has the focus.

#include <QStyledItemDelegate>

#include "browser/TreeLabelStyle.h"

namespace bv {

class TreeItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  static QColor ColourOf(LabelColour colour);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace bv
