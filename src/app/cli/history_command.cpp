#include "history_command.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/browsers/history_model.h"
#include "core/browsers/history_tree.h"
#include "core/browsers/history_tree_text.h"
#include "core/data/log_files.h"
#include "core/program/program.h"
#include "core/settings/environment.h"
#include "core/settings/settings_store.h"
#include "core/tools/terminal_text.h"
#include "outcome_json.h"
#include "text_table.h"

namespace tessarin {

namespace {

constexpr int kColumns = static_cast<int>(kTreeColumns.size());
constexpr std::array<const char*, 4> kLevelNames = {"project", "application", "host", "version"};
constexpr std::array<const char*, kColumns> kTextKeys = {"name", "workunits", "errors",
                                                         "totalCpuTime", "avgCpuTime"};

using Row = TextRow;

void AddRows(const StatTree& tree, std::size_t node, int depth, const StatOptions& options,
             std::vector<Row>& rows) {
  Row row;
  for (int column = 0; column < kColumns; ++column)
    row.push_back(TreeGetText(tree.nodes[node], column, options));
  row[0].insert(0, static_cast<std::size_t>(depth) * 2, ' ');
  rows.push_back(std::move(row));
  for (std::size_t child : tree.nodes[node].children)
    AddRows(tree, child, depth + 1, options, rows);
}

std::string TreeText(const StatTree& tree, const StatOptions& options) {
  std::vector<Row> rows(1);
  for (const TreeColumn& column : kTreeColumns)
    rows.front().push_back(column.caption);
  for (std::size_t root : tree.roots)
    AddRows(tree, root, 0, options, rows);

  std::vector<bool> rightAligned;
  for (const TreeColumn& column : kTreeColumns)
    rightAligned.push_back(column.rightAligned);
  return AlignedColumns(rows, rightAligned);
}

nlohmann::json ByCategory(const auto& values) {
  return {{"good", values[kStatGood]}, {"error", values[kStatError]}, {"zero", values[kStatZero]}};
}

nlohmann::json NodeJson(const StatTree& tree, std::size_t index, const StatOptions& options) {
  const StatNode& node = tree.nodes[index];
  nlohmann::json json = {{"level", kLevelNames[static_cast<std::size_t>(node.level)]}};
  for (int column = 0; column < kColumns; ++column)
    json[kTextKeys[static_cast<std::size_t>(column)]] =
        ValidUtf8(TreeGetText(node, column, options));
  json["counts"] = ByCategory(node.counts.workUnits);
  json["cpuSeconds"] = ByCategory(node.counts.cpuSeconds);
  nlohmann::json children = nlohmann::json::array();
  for (std::size_t child : node.children)
    children.push_back(NodeJson(tree, child, options));
  json["children"] = std::move(children);
  return json;
}

}  // namespace

int RunHistoryCommand(const std::string& programDir, const HistoryOptions& options) {
  // Only read: a missing Tessarin.ini means the default log directory, and nothing is saved.
  const SettingsStore settings(SettingsPath(programDir));
  const std::string path = ResolveLogDir(settings, programDir) + logs::kBoincCsv;
  std::optional<HistoryModel> model;
  try {
    model.emplace(LoadHistory(settings, programDir, {}));
  } catch (const std::exception& error) {
    std::cerr << "tessarin-cli: " << error.what() << "\n";
    return 1;
  }
  if (!model->HasData())
    std::cerr << "tessarin-cli: no logged results in " << path << "\n";

  const StatOptions stat{options.filterErrors, options.zeroAsError};
  if (options.json) {
    nlohmann::json projects = nlohmann::json::array();
    for (std::size_t root : model->tree.roots)
      projects.push_back(NodeJson(model->tree, root, stat));
    const nlohmann::json json = {
        {"log", ValidUtf8(path)},
        {"rows", model->table.RowCount()},
        {"options", {{"errors", options.filterErrors}, {"zero", options.zeroAsError}}},
        {"projects", std::move(projects)},
    };
    std::cout << EscapeJsonControls(json.dump()) << std::endl;
    return 0;
  }
  std::cout << TreeText(model->tree, stat) << std::flush;
  return 0;
}

}  // namespace tessarin
