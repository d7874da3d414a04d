#include "core/browsers/history_settings.h"

#include <algorithm>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"

namespace tessarin {

namespace {

const char* const kSection = sections::kHistory;

std::string TreeKey(const char* prefix, const TreeColumn& column) {
  return prefix + std::to_string(column.tag);
}

bool IsPermutation(const TreeLayout& layout) {
  std::array<bool, kTreeColumns.size()> seen{};
  for (const TreeColumnLayout& column : layout) {
    if (column.position < 0 || column.position >= static_cast<int>(seen.size()))
      return false;
    if (seen[static_cast<std::size_t>(column.position)])
      return false;
    seen[static_cast<std::size_t>(column.position)] = true;
  }
  return true;
}

}  // namespace

TreeLayout DefaultTreeLayout() {
  TreeLayout layout{};
  for (std::size_t i = 0; i < kTreeColumns.size(); ++i) {
    layout[i] = {static_cast<int>(i), kTreeColumns[i].width};
  }
  return layout;
}

WindowGeometry ReadHistoryGeometry(const SettingsStore& settings) {
  const WindowGeometry design;
  return {settings.ReadInteger(kSection, settings::kLeft, design.left),
          settings.ReadInteger(kSection, settings::kTop, design.top),
          settings.ReadInteger(kSection, settings::kHeight, design.height),
          settings.ReadInteger(kSection, settings::kWidth, design.width)};
}

bool ReadHistoryMaximized(const SettingsStore& settings) {
  return settings.ReadBool(kSection, settings::kMaximized, false);
}

std::string ReadHistoryMask(const SettingsStore& settings) {
  return settings.ReadString(kSection, settings::kSelected, "");
}

std::string ClosingHistoryMask(const SettingsStore& settings, bool showedRows,
                               const std::string& gridMask) {
  return showedRows ? gridMask : ReadHistoryMask(settings);
}

TreeLayout ReadTreeLayout(const SettingsStore& settings, const TreeLayout& current) {
  TreeLayout layout = current;
  for (std::size_t i = 0; i < kTreeColumns.size(); ++i) {
    const TreeColumn& column = kTreeColumns[i];
    layout[i].position =
        settings.ReadInteger(kSection, TreeKey(settings::kTreeColPos, column), current[i].position);
    layout[i].width = std::max(
        column.minWidth,
        settings.ReadInteger(kSection, TreeKey(settings::kTreeColWidth, column), current[i].width));
  }
  if (!IsPermutation(layout)) {
    for (std::size_t i = 0; i < layout.size(); ++i)
      layout[i].position = current[i].position;
  }
  return layout;
}

void SaveHistorySettings(SettingsStore& settings, const HistoryCloseState& state) {
  settings.WriteString(kSection, settings::kSelected, state.columnMask);
  settings.WriteBool(kSection, settings::kMaximized, state.maximized);
  if (state.normalGeometry) {
    settings.WriteInteger(kSection, settings::kLeft, state.normalGeometry->left);
    settings.WriteInteger(kSection, settings::kTop, state.normalGeometry->top);
    settings.WriteInteger(kSection, settings::kHeight, state.normalGeometry->height);
    settings.WriteInteger(kSection, settings::kWidth, state.normalGeometry->width);
  }
  for (std::size_t i = 0; i < kTreeColumns.size(); ++i) {
    settings.WriteInteger(kSection, TreeKey(settings::kTreeColPos, kTreeColumns[i]),
                          state.treeLayout[i].position);
    settings.WriteInteger(kSection, TreeKey(settings::kTreeColWidth, kTreeColumns[i]),
                          state.treeLayout[i].width);
  }
  settings.UpdateFile();
}

}  // namespace tessarin
