#pragma once
// The account tree control BVTree: a single-selection tree view of read-only labels whose
// nodes are moved by dragging them onto other nodes. The window reacts to its signals,
// which stand for the control's events (BVTreeChange, BVTreeClick, BVTreeDblClick,
// BVTreeDragOver); the drop itself (BVTreeDragDrop) is the model's rule table.

#include <QTreeView>

#include "profile/ProfileTree.h"

class QMenu;

namespace bv {

class ProfileTreeModel;

class AccountTreeView : public QTreeView {
  Q_OBJECT

 public:
  explicit AccountTreeView(QWidget* parent = nullptr);

  void SetTreeModel(ProfileTreeModel* model);
  ProfileTreeModel* TreeModel() const { return model_; }
  void SetPopupMenu(QMenu* menu) { popup_ = menu; }

  TreeNode* SelectedNode() const;
  // Selecting by code runs the same handling as a click (nodeSelected).
  void SelectNode(TreeNode* node);

 signals:
  void nodeSelected(bv::TreeNode* node);
  void treeClicked();
  void nodeDoubleClicked(bv::TreeNode* node);
  void dragOverTree();

 protected:
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  ProfileTreeModel* model_ = nullptr;
  QMenu* popup_ = nullptr;
};

}  // namespace bv
