#pragma once
// The statistics tree of the History window as the tree view's model: texts from
// TreeGetText under the current options, fonts from TreePaintText. Reads the tree and the
// options in place; after an option changes, OptionsChanged() repaints every number.

#include <QAbstractItemModel>
#include <vector>

#include "core/browsers/history_tree.h"
#include "core/browsers/history_tree_text.h"

namespace tessarin {

class HistoryTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // Both stay owned by the caller and must outlive the model.
  HistoryTreeModel(const StatTree& tree, const StatOptions& options, QObject* parent = nullptr);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The node of an index; nullptr for the invisible root.
  const StatNode* Node(const QModelIndex& index) const;
  void OptionsChanged();

 private:
  static constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);
  const std::vector<std::size_t>& Children(const QModelIndex& parent) const;
  void NumbersChanged(const QModelIndex& parent);

  const StatTree& tree_;
  const StatOptions& options_;
  // By node index: its parent node (kNoParent for a project) and its row under it.
  std::vector<std::size_t> parent_;
  std::vector<int> row_;
};

}  // namespace tessarin
