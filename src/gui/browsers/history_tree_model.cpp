#include "gui/browsers/history_tree_model.h"

#include <QFont>

#include "gui/qt_text.h"

namespace tessarin {

namespace {

constexpr int kColumnCount = static_cast<int>(kTreeColumns.size());

}  // namespace

HistoryTreeModel::HistoryTreeModel(const StatTree& tree, const StatOptions& options,
                                   QObject* parent)
    : QAbstractItemModel(parent),
      tree_(tree),
      options_(options),
      parent_(tree.nodes.size(), kNoParent),
      row_(tree.nodes.size(), 0) {
  for (std::size_t i = 0; i < tree_.roots.size(); ++i)
    row_[tree_.roots[i]] = static_cast<int>(i);
  for (std::size_t node = 0; node < tree_.nodes.size(); ++node) {
    const std::vector<std::size_t>& children = tree_.nodes[node].children;
    for (std::size_t i = 0; i < children.size(); ++i) {
      parent_[children[i]] = node;
      row_[children[i]] = static_cast<int>(i);
    }
  }
}

const StatNode* HistoryTreeModel::Node(const QModelIndex& index) const {
  if (!index.isValid())
    return nullptr;
  return &tree_.nodes[static_cast<std::size_t>(index.internalId())];
}

const std::vector<std::size_t>& HistoryTreeModel::Children(const QModelIndex& parent) const {
  const StatNode* node = Node(parent);
  return node == nullptr ? tree_.roots : node->children;
}

QModelIndex HistoryTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column < 0 || column >= kColumnCount || (parent.isValid() && parent.column() != 0))
    return {};
  const std::vector<std::size_t>& children = Children(parent);
  if (row < 0 || static_cast<std::size_t>(row) >= children.size())
    return {};
  return createIndex(row, column, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex HistoryTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid())
    return {};
  const std::size_t up = parent_[static_cast<std::size_t>(child.internalId())];
  if (up == kNoParent)
    return {};
  return createIndex(row_[up], 0, static_cast<quintptr>(up));
}

int HistoryTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0)
    return 0;
  return static_cast<int>(Children(parent).size());
}

int HistoryTreeModel::columnCount(const QModelIndex&) const {
  return kColumnCount;
}

QVariant HistoryTreeModel::data(const QModelIndex& index, int role) const {
  const StatNode* node = Node(index);
  if (node == nullptr)
    return {};
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(TreeGetText(*node, index.column(), options_));
    case Qt::FontRole: {
      const NodeFont look = TreePaintText(*node);
      QFont font;
      font.setPointSize(look.pointSize);
      font.setBold(look.bold);
      return font;
    }
    case Qt::TextAlignmentRole: {
      const bool right = kTreeColumns[static_cast<std::size_t>(index.column())].rightAligned;
      return QVariant::fromValue(
          Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    default:
      return {};
  }
}

QVariant HistoryTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
    return {};
  const TreeColumn& column = kTreeColumns[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole)
    return QString::fromLatin1(column.caption);
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(
        Qt::Alignment((column.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  return {};
}

void HistoryTreeModel::OptionsChanged() {
  NumbersChanged({});
}

void HistoryTreeModel::NumbersChanged(const QModelIndex& parent) {
  const int rows = rowCount(parent);
  if (rows == 0)
    return;
  emit dataChanged(index(0, 1, parent), index(rows - 1, kColumnCount - 1, parent),
                   {Qt::DisplayRole});
  for (int row = 0; row < rows; ++row)
    NumbersChanged(index(row, 0, parent));
}

}  // namespace tessarin
