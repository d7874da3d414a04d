#pragma once
// The Overview tree as the tree view's model. Holds its own tree, filled once: nothing
// changes while the window is open.

#include <QAbstractItemModel>
#include <vector>

#include "core/browsers/overview_texts.h"
#include "core/browsers/overview_tree.h"

namespace tessarin {

class OverviewModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // `dateText` shows deadlines and finish estimates.
  OverviewModel(OverviewTree tree, OverviewDateFormat dateText, QObject* parent = nullptr);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Display: TreeGetText; font and foreground: TreePaintText; alignment: the column's.
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The node of an index; nullptr for the invisible root.
  const OverviewNode* Node(const QModelIndex& index) const;
  const OverviewTree& Tree() const { return tree_; }

 private:
  // Every node gets an id (its place here); the children of a node have consecutive ids,
  // so index() and parent() need no search.
  struct NodeRef {
    const OverviewNode* node;
    int parent;  // id, -1 for a host
    int row;
    int firstChild;
  };

  const std::vector<OverviewNode>& Children(const QModelIndex& parent) const;
  int FirstChildId(const QModelIndex& parent) const;

  OverviewTree tree_;
  OverviewDateFormat dateText_;
  std::vector<NodeRef> refs_;
};

}  // namespace tessarin
