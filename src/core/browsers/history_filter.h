#pragma once
// The "Projects" and "Hosts" menus of the History window: one check item per name, all
// checked at first. A data row is shown when its project and its host are both checked
// (compared without regard to case). It only hides grid rows; the statistics stay whole.

#include <cstddef>
#include <string>
#include <vector>

#include "core/browsers/grid_rows.h"
#include "core/browsers/grid_table.h"

namespace tessarin {

struct FilterItem {
  std::string caption;  // the name itself; a menu shows a '&' in it as "&&"
  bool checked = true;
};

struct HistoryFilter {
  std::vector<FilterItem> projects;
  std::vector<FilterItem> hosts;
};

HistoryFilter MakeHistoryFilter(const std::vector<std::string>& projects,
                                const std::vector<std::string>& hosts);

enum class FilterMenu { Projects, Hosts };

// Flips the menu's item, then shows and hides the rows.
void FilterClick(HistoryFilter& filter, FilterMenu menu, std::size_t item, const GridTable& table,
                 GridRows& rows);

// Rows with an empty project or host cell have no item to choose them by; they are judged by
// the other name alone, so no click can hide them for good.
void ApplyFilter(const HistoryFilter& filter, const GridTable& table, GridRows& rows);

}  // namespace tessarin
