#include "overview_command.h"

#include <algorithm>
#include <cstddef>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_session.h"
#include "core/browsers/overview_build.h"
#include "core/browsers/overview_estimate.h"
#include "core/browsers/overview_layout.h"
#include "core/browsers/overview_texts.h"
#include "core/tools/date_time.h"
#include "core/tools/terminal_text.h"
#include "outcome_json.h"
#include "text_table.h"

namespace tessarin {

namespace {

using Row = TextRow;

void AddRows(const OverviewNode& node, int depth, std::vector<Row>& rows) {
  Row row;
  for (int column = 0; column < overview_column::kCount; ++column) {
    row.push_back(TreeGetText(node, column));
  }
  row[overview_column::kProject].insert(0, static_cast<std::size_t>(depth) * 2, ' ');
  rows.push_back(std::move(row));
  for (const OverviewNode& child : node.Children)
    AddRows(child, depth + 1, rows);
}

std::string TreeText(const OverviewTree& tree) {
  std::vector<Row> rows(1);
  for (const OverviewColumn& column : kOverviewColumns)
    rows.front().push_back(column.Header);
  for (const OverviewNode& host : tree)
    AddRows(host, 0, rows);

  std::vector<bool> rightAligned;
  for (const OverviewColumn& column : kOverviewColumns)
    rightAligned.push_back(column.Alignment == OverviewAlignment::Right);
  return AlignedColumns(rows, rightAligned);
}

// Null where the node has no such time: deadlines belong to results, and a host or a
// project without results gets no estimate.
nlohmann::json TimeOrNull(bool present, double unixSeconds) {
  return present ? nlohmann::json(unixSeconds) : nlohmann::json(nullptr);
}

// `start` is the same node before the shares were redistributed: redistribution hands each
// project's active share on as the project finishes, so afterwards every one reads 0.
nlohmann::json NodeJson(const OverviewNode& node, const OverviewNode& start) {
  const bool result = node.Level == OverviewLevel::Result;
  const bool estimated = result || (node.Level == OverviewLevel::Project && !node.Children.empty());
  nlohmann::json children = nlohmann::json::array();
  for (std::size_t i = 0; i < node.Children.size(); ++i)
    children.push_back(NodeJson(node.Children[i], start.Children[i]));
  nlohmann::json json = {
      {"level", static_cast<int>(node.Level)},
      {"name", ValidUtf8(node.Name)},
      {"notDone", node.Counters[kNotDone]},
      {"done", node.Counters[kDone]},
      {"timeLeft", node.TimeLeft},
      {"state", node.State},
      {"share", node.Share},
      {"activeShare", start.ActiveShare},
      {"longTermDebt", node.LongTermDebt},
      {"deadline", TimeOrNull(result, node.Deadline)},
      {"finishAllShares", TimeOrNull(estimated, node.Finish[kAllShares])},
      {"finishActiveShares", TimeOrNull(estimated, node.Finish[kActiveShares])},
      {"missesDeadline", result && MissesDeadline(node, kActiveShares)},
      {"children", children},
  };
  if (node.Level == OverviewLevel::Host)
    json["cpus"] = node.Cpus;
  return json;
}

nlohmann::json TreeJson(const OverviewTree& tree, const OverviewTree& start, double now) {
  nlohmann::json hosts = nlohmann::json::array();
  for (std::size_t i = 0; i < tree.size(); ++i)
    hosts.push_back(NodeJson(tree[i], start[i]));
  return {{"now", now}, {"hosts", hosts}};
}

}  // namespace

int RunOverviewCommand(const std::string& programDir, const OverviewOptions& options) {
  // Only reads, so it runs beside a watcher: no start-up conversion, no log row, no backup.
  const std::unique_ptr<CliSession> session =
      OpenCliSession(programDir, options.soundCapture, false);
  if (!session)
    return 2;
  const CycleOutcome outcome = session->program().cycle().ScanWithoutWriting();
  if (!outcome.published) {
    // A failed scan keeps no result list, so there is nothing to estimate from.
    std::cerr << "tessarin-cli: the scan of the clients failed\n";
    for (const std::string& error : outcome.errors)
      std::cerr << "tessarin-cli: " << error << "\n";
    return 1;
  }
  const double now = SystemClock().Now();
  if (options.json) {
    OverviewTree start;
    const OverviewTree tree = BuildOverview(outcome.results, now, &start);
    std::cout << EscapeJsonControls(TreeJson(tree, start, now).dump()) << std::endl;
    return 0;
  }
  const OverviewTree tree = BuildOverview(outcome.results, now);
  std::cout << TreeText(tree) << std::flush;
  return 0;
}

}  // namespace tessarin
