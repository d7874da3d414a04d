#pragma once
// Everything the History window shows, read once when it opens: the log table with its row
// order and columns, the statistics tree, the filter menus and the two options.

#include <string>

#include "core/browsers/grid_auto_size.h"
#include "core/browsers/grid_columns.h"
#include "core/browsers/grid_rows.h"
#include "core/browsers/grid_table.h"
#include "core/browsers/history_filter.h"
#include "core/browsers/history_reader.h"
#include "core/browsers/history_tree.h"
#include "core/browsers/history_tree_text.h"

namespace tessarin {

class SettingsStore;

inline constexpr const char* kHistoryCaption = "Tessarin - History";
inline constexpr const char* kLogfilePageCaption = "Logfile";
inline constexpr const char* kStatisticsPageCaption = "Statistics";
inline constexpr const char* kOptionsMenuCaption = "Options";
inline constexpr const char* kProjectsMenuCaption = "Projects";
inline constexpr const char* kHostsMenuCaption = "Hosts";
inline constexpr const char* kLogMenuCaption = "Log";
inline constexpr const char* kImportJobLogsCaption = "Import job logs";

struct HistoryModel {
  explicit HistoryModel(HistoryLog log);

  bool HasData() const { return table.RowCount() > 0; }

  GridTable table;
  GridRows rows;
  GridColumns columns;
  TStatArray stats;
  StatTree tree;
  HistoryFilter filter;
  StatOptions options;
};

// Reads <log directory>/boinc.csv with the synonyms of <programDir>/Synonyms.ini. With data:
// columns sized by `textWidth` (left at the default width when it is empty), the stored
// column mask applied (the default one when its length is wrong), the newest row first, the
// statistics sorted and built into the tree. Without data the table has only its header and
// the column menu is empty, so the window should store its settings at once: the empty mask
// makes the next opening with data use the default one. A read error throws
// std::runtime_error with the system's message, for the window to show.
HistoryModel LoadHistory(const SettingsStore& settings, const std::string& programDir,
                         const TextWidthFunction& textWidth);

}  // namespace tessarin
