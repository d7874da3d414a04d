#pragma once
// Reads boinc.csv back into the History window's table and statistics, once, without ever
// writing it. Columns are found by their header names, so they may stand in any order and
// some may be missing.

#include <string>
#include <vector>

#include "core/browsers/grid_table.h"
#include "core/browsers/history_stats.h"
#include "core/browsers/history_synonyms.h"

namespace tessarin {

struct HistoryLog {
  HistoryLog();

  // "nr" and the 46 log columns; one row per non-empty line after the header, in file order.
  GridTable table;
  TStatArray stats;  // not yet sorted
  // Items of the "Projects" and "Hosts" menus: sorted and told apart without regard to case.
  std::vector<std::string> projects;
  std::vector<std::string> hosts;
};

// A missing or empty file, or a first line that is not a header naming at least 3 log columns,
// gives a table without rows. A log with more semicolons than commas in its first line is
// read with ';' between fields and decimal commas. A UTF-8 byte-order mark before the header
// is passed over. A read error throws std::runtime_error.
// Large logs are read in parts on one thread per core; `parts` other than 0 fixes their
// number (at most one per line). The result is the same whatever the number of parts.
HistoryLog ReadHistoryLog(const std::string& path, const Synonyms& synonyms, std::size_t parts = 0);

}  // namespace tessarin
