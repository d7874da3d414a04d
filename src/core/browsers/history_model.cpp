#include "core/browsers/history_model.h"

#include "core/browsers/history_columns.h"
#include "core/browsers/history_settings.h"
#include "core/browsers/history_synonyms.h"
#include "core/data/log_files.h"
#include "core/settings/environment.h"
#include "core/tools/text.h"

namespace tessarin {

HistoryModel::HistoryModel(HistoryLog log)
    : table(std::move(log.table)),
      rows(table.RowCount()),
      columns(table.ColumnCount()),
      stats(std::move(log.stats)),
      filter(MakeHistoryFilter(log.projects, log.hosts)) {}

HistoryModel LoadHistory(const SettingsStore& settings, const std::string& programDir,
                         const TextWidthFunction& textWidth) {
  const Synonyms synonyms = Synonyms::Load(AddBackslash(programDir) + kSynonymsFile);
  HistoryModel model(
      ReadHistoryLog(ResolveLogDir(settings, programDir) + logs::kBoincCsv, synonyms));
  if (!model.HasData())
    return model;

  if (textWidth)
    AutoSizeColumns(model.table, textWidth, model.columns);
  model.columns.BuildColumnMenu(model.table.Header(),
                                ChooseColumnMask(ReadHistoryMask(settings), kHistoryColumnCount));
  model.rows.ReverseRows();
  model.stats.SortStats();
  model.tree = BuildStatTree(model.stats.Entries());
  return model;
}

}  // namespace tessarin
