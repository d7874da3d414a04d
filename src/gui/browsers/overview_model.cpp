#include "gui/browsers/overview_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <utility>

#include "core/browsers/overview_fonts.h"
#include "core/browsers/overview_layout.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

Qt::Alignment ColumnAlignment(int column) {
  const bool right =
      kOverviewColumns[static_cast<std::size_t>(column)].Alignment == OverviewAlignment::Right;
  return (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QFont CellFont(const OverviewFont& font) {
  QFont qfont;
  qfont.setPointSize(font.PointSize);
  qfont.setBold(font.Bold);
  return qfont;
}

QColor CellColour(const OverviewFont& font) {
  return font.Colour == OverviewColour::Red ? QColor(Qt::red) : QColor(Qt::black);
}

bool IsColumn(int column) {
  return column >= 0 && column < overview_column::kCount;
}

}  // namespace

OverviewModel::OverviewModel(OverviewTree tree, OverviewDateFormat dateText, QObject* parent)
    : QAbstractItemModel(parent), tree_(std::move(tree)), dateText_(std::move(dateText)) {
  for (std::size_t row = 0; row < tree_.size(); ++row) {
    refs_.push_back({&tree_[row], -1, static_cast<int>(row), 0});
  }
  // Breadth first: a node's children are appended together when it is reached.
  for (std::size_t id = 0; id < refs_.size(); ++id) {
    const OverviewNode* node = refs_[id].node;
    refs_[id].firstChild = static_cast<int>(refs_.size());
    for (std::size_t row = 0; row < node->Children.size(); ++row) {
      refs_.push_back({&node->Children[row], static_cast<int>(id), static_cast<int>(row), 0});
    }
  }
}

const OverviewNode* OverviewModel::Node(const QModelIndex& index) const {
  if (!index.isValid())
    return nullptr;
  return refs_[static_cast<std::size_t>(index.internalId())].node;
}

const std::vector<OverviewNode>& OverviewModel::Children(const QModelIndex& parent) const {
  const OverviewNode* node = Node(parent);
  return node == nullptr ? tree_ : node->Children;
}

int OverviewModel::FirstChildId(const QModelIndex& parent) const {
  if (!parent.isValid())
    return 0;
  return refs_[static_cast<std::size_t>(parent.internalId())].firstChild;
}

QModelIndex OverviewModel::index(int row, int column, const QModelIndex& parent) const {
  if (!IsColumn(column) || (parent.isValid() && parent.column() != 0))
    return {};
  if (row < 0 || static_cast<std::size_t>(row) >= Children(parent).size())
    return {};
  return createIndex(row, column, static_cast<quintptr>(FirstChildId(parent) + row));
}

QModelIndex OverviewModel::parent(const QModelIndex& child) const {
  if (!child.isValid())
    return {};
  const int parentId = refs_[static_cast<std::size_t>(child.internalId())].parent;
  if (parentId < 0)
    return {};
  const NodeRef& ref = refs_[static_cast<std::size_t>(parentId)];
  return createIndex(ref.row, 0, static_cast<quintptr>(parentId));
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0)
    return 0;
  return static_cast<int>(Children(parent).size());
}

int OverviewModel::columnCount(const QModelIndex&) const {
  return overview_column::kCount;
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
  const OverviewNode* node = Node(index);
  if (node == nullptr)
    return {};
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(TreeGetText(*node, index.column(), dateText_));
    case Qt::FontRole:
      return CellFont(TreePaintText(*node, index.column()));
    case Qt::ForegroundRole:
      return QBrush(CellColour(TreePaintText(*node, index.column())));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(index.column()));
    default:
      return {};
  }
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || !IsColumn(section))
    return {};
  if (role == Qt::DisplayRole)
    return QString::fromLatin1(kOverviewColumns[static_cast<std::size_t>(section)].Header);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(ColumnAlignment(section));
  return {};
}

}  // namespace tessarin
