#include "core/browsers/history_filter.h"

#include <unordered_set>

#include "core/browsers/history_columns.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

std::unordered_set<std::string> CheckedNames(const std::vector<FilterItem>& items) {
  std::unordered_set<std::string> names;
  for (const FilterItem& item : items) {
    if (item.checked)
      names.insert(LowerCase(item.caption));
  }
  return names;
}

// Whether a cell passes, remembering the last answer: logs repeat names row after row.
class NameTest {
 public:
  explicit NameTest(const std::vector<FilterItem>& items) : checked_(CheckedNames(items)) {}

  bool Passes(std::string_view cell) {
    if (cell.empty())
      return true;
    if (!known_ || cell != lastCell_) {
      lastCell_.assign(cell);
      lastAnswer_ = checked_.contains(LowerCase(cell));
      known_ = true;
    }
    return lastAnswer_;
  }

 private:
  std::unordered_set<std::string> checked_;
  bool known_ = false;
  std::string lastCell_;
  bool lastAnswer_ = false;
};

std::vector<FilterItem> Items(const std::vector<std::string>& names) {
  std::vector<FilterItem> items;
  for (const std::string& name : names)
    items.push_back({name, true});
  return items;
}

}  // namespace

HistoryFilter MakeHistoryFilter(const std::vector<std::string>& projects,
                                const std::vector<std::string>& hosts) {
  return {Items(projects), Items(hosts)};
}

void FilterClick(HistoryFilter& filter, FilterMenu menu, std::size_t item, const GridTable& table,
                 GridRows& rows) {
  std::vector<FilterItem>& items = menu == FilterMenu::Projects ? filter.projects : filter.hosts;
  if (item >= items.size())
    return;
  items[item].checked = !items[item].checked;
  ApplyFilter(filter, table, rows);
}

void ApplyFilter(const HistoryFilter& filter, const GridTable& table, GridRows& rows) {
  NameTest projects(filter.projects);
  NameTest hosts(filter.hosts);
  for (std::size_t row = 0; row < table.RowCount() && row < rows.RowCount(); ++row) {
    const bool shown = hosts.Passes(table.Cell(row, history_columns::kHost)) &&
                       projects.Passes(table.Cell(row, history_columns::kProject));
    rows.SetStoredRowHidden(row, !shown);
  }
}

}  // namespace tessarin
