#pragma once
// The account tree as Qt sees it: a thin QAbstractItemModel over bv::ProfileTree. Every
// call is O(1) (node pointers are the indexes' internal pointers and each node knows its
// row), so the view stays fast with 100,000 nodes. Changes to the tree that the view must
// see go through this model.

#include <QAbstractItemModel>
#include <QIcon>
#include <array>
#include <functional>

#include "browser/TreeDropRules.h"
#include "browser/TreeSortOrder.h"
#include "profile/ProfileTree.h"
#include "ui/NodePictureCount.h"

namespace bv {

class ProfileTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr int kNodeKindRole = Qt::UserRole + 1;  // NodeKind as int
  using PictureFn = std::function<QIcon(int)>;

  ProfileTreeModel(ProfileTree& tree, const PictureFn& pictures, QObject* parent = nullptr);

  // --- QAbstractItemModel ---
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  Qt::DropActions supportedDragActions() const override;
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  // Any drag that started in this tree is welcome anywhere: the rules decide on drop.
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  // Drops the dragged node onto the node at parent (row -1) or at (parent, row).
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  // --- the tree behind it ---
  ProfileTree& Tree() { return tree_; }
  const ProfileTree& Tree() const { return tree_; }
  TreeNode* NodeAt(const QModelIndex& index) const;
  QModelIndex IndexOf(const TreeNode* node) const;
  [[nodiscard]] bool IsOwnDrag(const QMimeData* data) const;

  TreeNode* Append(TreeNode* parent, TNodeData data);
  void Remove(TreeNode* node);
  void NodeChanged(TreeNode* node);  // its label or picture was edited
  // Replaces the whole tree (loading, closing): change does the work between the resets.
  void Rebuild(const std::function<void(ProfileTree&)>& change);
  // The same in two steps, for a tree replaced by its owner in between.
  void BeginReplace();
  void EndReplace();
  void Sort(TreeNode* node, SortScope scope, const LabelLess& less);
  // Carries out the rule table; a refusal is announced by dropRefused.
  DropEffect DropOnto(TreeNode& dragged, TreeNode* target);

 signals:
  void dropRefused(int message);

 private:
  [[nodiscard]] bool MoveNode(TreeNode& node, TreeNode* newParent, std::size_t row);

  ProfileTree& tree_;
  std::array<QIcon, kNodePictureCount> pictures_;
  // The node being dragged; the drag's data names it by a serial number, never by address.
  mutable TreeNode* dragged_ = nullptr;
  mutable quint64 dragSerial_ = 0;
};

}  // namespace bv
