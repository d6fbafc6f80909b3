#include "browser/TreeModel.h"

#include <QCoreApplication>
#include <QMimeData>
#include <utility>

#include "config/MessageIds.h"
#include "config/QtText.h"

namespace bv {
namespace {

const QString kNodeMimeType = QStringLiteral("application/x-brindlevault-node");

QString KindWord(NodeKind kind) {
  switch (kind) {
    case NodeKind::Category: return Msg(msg::kCategoryKind);
    case NodeKind::Group: return Msg(msg::kGroupWord);
    case NodeKind::Account: return Msg(msg::kAccountWord);
  }
  return {};
}

}  // namespace

ProfileTreeModel::ProfileTreeModel(ProfileTree& tree, const PictureFn& pictures, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {
  // The pictures draw a selected node's picture unchanged, not tinted as selected icons are,
  // and for the screen's density.
  for (int k = 0; k < kNodePictureCount; ++k) pictures_[static_cast<std::size_t>(k)] = pictures(k);
}

QModelIndex ProfileTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || parent.column() > 0) return {};
  TreeNode* node = tree_.ChildAt(NodeAt(parent), static_cast<std::size_t>(row));
  return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex ProfileTreeModel::parent(const QModelIndex& child) const {
  const TreeNode* node = NodeAt(child);
  return node ? IndexOf(node->parent) : QModelIndex();
}

int ProfileTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(tree_.ChildrenOf(NodeAt(parent)).size());
}

int ProfileTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant ProfileTreeModel::data(const QModelIndex& index, int role) const {
  const TreeNode* node = NodeAt(index);
  if (!node) return {};
  switch (role) {
    case Qt::DisplayRole: return FromCp1252(node->data.Name);
    case Qt::DecorationRole: {
      // Every node shows the picture its user picked, whatever its kind.
      const int picture = node->data.ImageIndex;
      if (picture < 0 || picture >= kNodePictureCount) return {};
      return pictures_[static_cast<std::size_t>(picture)];
    }
    case kNodeKindRole: return static_cast<int>(node->data.Kind());
    case Qt::AccessibleDescriptionRole:
      // The toolkit cannot hand a screen reader an item's level: the description says it.
      return Msg(msg::kTreeItemDescription)
          .arg(KindWord(node->data.Kind()))
          .arg(ProfileTree::Depth(node) + 1);
    default: return {};
  }
}

Qt::ItemFlags ProfileTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  // Labels are read-only; every node may be dragged and every node may be dropped on.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

Qt::DropActions ProfileTreeModel::supportedDragActions() const { return Qt::MoveAction; }
Qt::DropActions ProfileTreeModel::supportedDropActions() const { return Qt::MoveAction; }

QStringList ProfileTreeModel::mimeTypes() const { return {kNodeMimeType}; }

QMimeData* ProfileTreeModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.size() != 1 || !NodeAt(indexes.front())) return nullptr;
  dragged_ = NodeAt(indexes.front());
  ++dragSerial_;
  auto* data = new QMimeData;
  const QString token = QStringLiteral("%1:%2:%3")
                            .arg(QCoreApplication::applicationPid())
                            .arg(reinterpret_cast<quintptr>(this))
                            .arg(dragSerial_);
  data->setData(kNodeMimeType, token.toLatin1());
  return data;
}

bool ProfileTreeModel::IsOwnDrag(const QMimeData* data) const {
  if (!data || !dragged_ || !data->hasFormat(kNodeMimeType)) return false;
  const QList<QByteArray> parts = data->data(kNodeMimeType).split(':');
  return parts.size() == 3 && parts[0].toLongLong() == QCoreApplication::applicationPid() &&
         parts[1].toULongLong() == reinterpret_cast<quintptr>(this) &&
         parts[2].toULongLong() == dragSerial_;
}

bool ProfileTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                       const QModelIndex&) const {
  return IsOwnDrag(data);
}

bool ProfileTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                    const QModelIndex& parent) {
  // The view calls this even after it refused a move, so the checks are made again here.
  if (action != Qt::MoveAction || !IsOwnDrag(data)) return false;
  TreeNode* target =
      row < 0 ? NodeAt(parent) : tree_.ChildAt(NodeAt(parent), static_cast<std::size_t>(row));
  TreeNode* dragged = std::exchange(dragged_, nullptr);
  const DropEffect effect = DropOnto(*dragged, target);
  return effect == DropEffect::InsertBefore || effect == DropEffect::AppendTo;
}

TreeNode* ProfileTreeModel::NodeAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex ProfileTreeModel::IndexOf(const TreeNode* node) const {
  if (!node) return {};
  return createIndex(static_cast<int>(node->row), 0, const_cast<TreeNode*>(node));
}

TreeNode* ProfileTreeModel::Append(TreeNode* parent, TNodeData data) {
  const int row = static_cast<int>(tree_.ChildrenOf(parent).size());
  beginInsertRows(IndexOf(parent), row, row);
  TreeNode* node = tree_.Append(parent, std::move(data));
  endInsertRows();
  return node;
}

void ProfileTreeModel::Remove(TreeNode* node) {
  if (!node) return;
  if (ProfileTree::IsInSubtree(dragged_, node)) dragged_ = nullptr;
  const int row = static_cast<int>(node->row);
  beginRemoveRows(IndexOf(node->parent), row, row);
  tree_.Remove(node);
  endRemoveRows();
}

void ProfileTreeModel::NodeChanged(TreeNode* node) {
  const QModelIndex index = IndexOf(node);
  if (index.isValid()) emit dataChanged(index, index);
}

void ProfileTreeModel::Rebuild(const std::function<void(ProfileTree&)>& change) {
  BeginReplace();
  change(tree_);
  EndReplace();
}

void ProfileTreeModel::BeginReplace() {
  beginResetModel();
  dragged_ = nullptr;
}

void ProfileTreeModel::EndReplace() { endResetModel(); }

void ProfileTreeModel::Sort(TreeNode* node, SortScope scope, const LabelLess& less) {
  if (!node) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  SortByLabel(tree_, node, scope, less);
  // Persistent indexes (selection, expanded nodes) follow their nodes to the new rows.
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before) after.append(IndexOf(NodeAt(index)));
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

DropEffect ProfileTreeModel::DropOnto(TreeNode& dragged, TreeNode* target) {
  const DropEffect effect = DecideDrop(dragged, target);
  if (effect == DropEffect::InsertBefore || effect == DropEffect::AppendTo) {
    const DropPlace place = PlaceOf(effect, *target);
    // False only when the node is already in place.
    static_cast<void>(MoveNode(dragged, place.parent, place.row));
  } else if (const int message = RefusalMessage(effect); message >= 0) {
    emit dropRefused(message);
  }
  return effect;
}

bool ProfileTreeModel::MoveNode(TreeNode& node, TreeNode* newParent, std::size_t row) {
  const int from = static_cast<int>(node.row);
  // Qt refuses (returns false for) a move that leaves the node where it is.
  if (!beginMoveRows(IndexOf(node.parent), from, from, IndexOf(newParent), static_cast<int>(row)))
    return false;
  tree_.Move(&node, newParent, row);
  endMoveRows();
  return true;
}

}  // namespace bv
