#include "browser/AccountTreeView.h"

#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include "browser/TreeItemDelegate.h"
#include "browser/TreeModel.h"

namespace bv {

AccountTreeView::AccountTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("BVTree"));
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIndentation(19);
  setIconSize(QSize(16, 16));
  setUniformRowHeights(true);  // keeps layout cheap with very large trees
  setItemDelegate(new TreeItemDelegate(this));
  // The row of the selected node is white, indentation included, focused or not.
  QPalette colours = palette();
  const LabelStyle selected = LabelStyleOf(NodeKind::Account, true);
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Highlight, TreeItemDelegate::ColourOf(selected.background));
    colours.setColor(group, QPalette::HighlightedText, TreeItemDelegate::ColourOf(selected.text));
  }
  setPalette(colours);
  // Dropping is always "onto the node under the pointer", never between two nodes.
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDragDropOverwriteMode(true);
  setDefaultDropAction(Qt::MoveAction);
  setDropIndicatorShown(true);
}

void AccountTreeView::SetTreeModel(ProfileTreeModel* model) {
  model_ = model;
  setModel(model);
}

TreeNode* AccountTreeView::SelectedNode() const {
  if (!model_ || !selectionModel()) return nullptr;
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : model_->NodeAt(rows.front());
}

void AccountTreeView::SelectNode(TreeNode* node) {
  if (!model_) return;
  const QModelIndex index = model_->IndexOf(node);
  if (!index.isValid()) {
    clearSelection();
    return;
  }
  setCurrentIndex(index);
  scrollTo(index);
}

void AccountTreeView::selectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected) {
  QTreeView::selectionChanged(selected, deselected);
  if (!model_ || selected.isEmpty()) return;
  if (TreeNode* node = model_->NodeAt(selected.indexes().front())) emit nodeSelected(node);
}

void AccountTreeView::startDrag(Qt::DropActions) {
  // The dragged node is the selected one; only the model moves it, on drop, so nothing
  // is removed here afterwards whatever the drag reports.
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (rows.size() != 1) return;
  QMimeData* data = model()->mimeData(rows);
  if (!data) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->setPixmap(rows.front().data(Qt::DecorationRole).value<QIcon>().pixmap(iconSize()));
  drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void AccountTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (!model_ || !model_->IsOwnDrag(event->mimeData())) {
    event->ignore();
    return;
  }
  QTreeView::dragEnterEvent(event);
  event->setDropAction(Qt::MoveAction);
  event->accept();
}

void AccountTreeView::dragMoveEvent(QDragMoveEvent* event) {
  if (!model_ || !model_->IsOwnDrag(event->mimeData())) {
    event->ignore();
    return;
  }
  QTreeView::dragMoveEvent(event);  // drop marking and scrolling
  // Every drag inside the tree is welcome; the rules decide on drop.
  event->setDropAction(Qt::MoveAction);
  event->accept();
  emit dragOverTree();
}

void AccountTreeView::dropEvent(QDropEvent* event) {
  if (model_ && model_->IsOwnDrag(event->mimeData())) {
    const QModelIndex target = indexAt(event->position().toPoint());
    model_->dropMimeData(event->mimeData(), Qt::MoveAction, -1, -1, target);
    // The model has moved the node: the view must not remove the dragged rows itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
  } else {
    event->ignore();
  }
  stopAutoScroll();
  setState(NoState);
  viewport()->update();
}

void AccountTreeView::mousePressEvent(QMouseEvent* event) {
  // A right click opens the pop-up menu for the node already selected.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeView::mousePressEvent(event);
}

void AccountTreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit treeClicked();
}

void AccountTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
    emit nodeDoubleClicked(SelectedNode());
}

void AccountTreeView::contextMenuEvent(QContextMenuEvent* event) {
  if (popup_) popup_->exec(event->globalPos());
}

}  // namespace bv
