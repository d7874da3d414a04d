#include "core/browsers/history_tree_text.h"

#include <algorithm>
#include <cstdint>

#include "core/tools/number_format.h"

namespace tessarin {

namespace {

constexpr int kFixedPrecision = 15;

struct ShownCounts {
  std::uint64_t workUnits;
  std::uint64_t cpuSeconds;
  std::uint64_t errors;
};

ShownCounts Shown(const StatCounts& counts, const StatOptions& options) {
  ShownCounts shown{counts.workUnits[kStatGood], counts.cpuSeconds[kStatGood],
                    counts.workUnits[kStatError]};
  std::uint64_t errorCpu = counts.cpuSeconds[kStatError];
  if (options.zeroAsError) {
    shown.errors += counts.workUnits[kStatZero];
    errorCpu += counts.cpuSeconds[kStatZero];
  } else {
    shown.workUnits += counts.workUnits[kStatZero];
    shown.cpuSeconds += counts.cpuSeconds[kStatZero];
  }
  if (!options.filterErrors) {
    shown.workUnits += shown.errors;
    shown.cpuSeconds += errorCpu;
  }
  return shown;
}

}  // namespace

TreeWidths TreeFittingWidths(const TreeWidths& textWidths, int padding) {
  TreeWidths widths{};
  for (std::size_t i = 0; i < kTreeColumns.size(); ++i) {
    widths[i] = kTreeColumns[i].minWidth;
    // Names may be cut; numbers never.
    if (kTreeColumns[i].rightAligned)
      widths[i] = std::max(widths[i], textWidths[i] + padding);
  }
  return widths;
}

std::string TreeGetText(const StatNode& node, int column, const StatOptions& options) {
  const ShownCounts shown = Shown(node.counts, options);
  switch (column) {
    case 0:
      return node.name;
    case 1:
      return std::to_string(shown.workUnits);
    case 2:
      return std::to_string(shown.errors);
    case 3:
      return Fixed(static_cast<double>(shown.cpuSeconds) / 86400.0, kFixedPrecision, 1) + " days";
    case 4:
      if (shown.workUnits == 0)
        return "0 hours";
      return Fixed(static_cast<double>(shown.cpuSeconds) /
                       (static_cast<double>(shown.workUnits) * 3600.0),
                   kFixedPrecision, 1) +
             " hours";
    default:
      return {};
  }
}

NodeFont TreePaintText(const StatNode& node) {
  switch (node.level) {
    case StatLevel::Project:
      return {12, true};
    case StatLevel::Application:
      return {10, true};
    case StatLevel::Host:
      return {10, false};
    case StatLevel::Version:
      return {9, false};
  }
  return {9, false};
}

}  // namespace tessarin
