#include "core/browsers/overview_settings.h"

#include <algorithm>
#include <exception>
#include <string>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"

namespace tessarin {

namespace {

std::string ColumnKey(const char* prefix, int column) {
  return prefix + std::to_string(kOverviewColumns[static_cast<std::size_t>(column)].Tag);
}

bool EachPositionOnce(const OverviewColumnLayouts& columns) {
  std::array<bool, overview_column::kCount> seen{};
  for (const OverviewColumnLayout& column : columns) {
    if (column.Position < 0 || column.Position >= overview_column::kCount)
      return false;
    if (seen[static_cast<std::size_t>(column.Position)])
      return false;
    seen[static_cast<std::size_t>(column.Position)] = true;
  }
  return true;
}

}  // namespace

OverviewColumnLayouts DesignOverviewColumns() {
  OverviewColumnLayouts columns;
  for (int i = 0; i < overview_column::kCount; ++i) {
    columns[static_cast<std::size_t>(i)] = {i, kOverviewColumns[static_cast<std::size_t>(i)].Width};
  }
  return columns;
}

OverviewGeometry LoadOverviewGeometry(const SettingsStore& store) {
  const OverviewGeometry design;
  OverviewGeometry geometry;
  geometry.Left = store.ReadInteger(sections::kOverview, settings::kLeft, design.Left);
  geometry.Top = store.ReadInteger(sections::kOverview, settings::kTop, design.Top);
  geometry.Height = store.ReadInteger(sections::kOverview, settings::kHeight, design.Height);
  geometry.Width = store.ReadInteger(sections::kOverview, settings::kWidth, design.Width);
  geometry.Maximized = store.ReadBool(sections::kOverview, settings::kMaximized, design.Maximized);
  return geometry;
}

OverviewColumnLayouts LoadOverviewColumns(const SettingsStore& store,
                                          const OverviewColumnLayouts& current) {
  OverviewColumnLayouts columns = current;
  for (int i = 0; i < overview_column::kCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    columns[index].Position = store.ReadInteger(
        sections::kOverview, ColumnKey(settings::kTreeColPos, i), current[index].Position);
    columns[index].Width =
        std::max(store.ReadInteger(sections::kOverview, ColumnKey(settings::kTreeColWidth, i),
                                   current[index].Width),
                 kOverviewColumns[index].MinWidth);
  }
  if (!EachPositionOnce(columns)) {
    for (std::size_t index = 0; index < columns.size(); ++index) {
      columns[index].Position = current[index].Position;
    }
  }
  return columns;
}

bool SaveOverviewSettings(SettingsStore& store, const OverviewGeometry& geometry, bool normalState,
                          const OverviewColumnLayouts& columns) {
  store.WriteBool(sections::kOverview, settings::kMaximized, geometry.Maximized);
  if (normalState) {
    store.WriteInteger(sections::kOverview, settings::kLeft, geometry.Left);
    store.WriteInteger(sections::kOverview, settings::kTop, geometry.Top);
    store.WriteInteger(sections::kOverview, settings::kHeight, geometry.Height);
    store.WriteInteger(sections::kOverview, settings::kWidth, geometry.Width);
  }
  for (int i = 0; i < overview_column::kCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    store.WriteInteger(sections::kOverview, ColumnKey(settings::kTreeColPos, i),
                       columns[index].Position);
    store.WriteInteger(sections::kOverview, ColumnKey(settings::kTreeColWidth, i),
                       columns[index].Width);
  }
  try {
    store.UpdateFile();
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace tessarin
