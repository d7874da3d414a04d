#pragma once
// The Overview window as data: caption, design placement and the tree's columns, so the
// widget only applies them.

#include <array>

namespace tessarin {

inline constexpr const char* kOverviewCaption = "Tessarin - Overall view";

// Design placement of the window.
inline constexpr int kOverviewDesignLeft = 257;
inline constexpr int kOverviewDesignTop = 157;
inline constexpr int kOverviewDesignWidth = 678;
inline constexpr int kOverviewDesignHeight = 243;
inline constexpr int kOverviewHeaderHeight = 22;

enum class OverviewAlignment { Left, Right };

struct OverviewColumn {
  int Tag;  // used in the TreeColPos / TreeColWidth keys
  const char* Header;
  int Width;
  int MinWidth;
  OverviewAlignment Alignment;
};

// Column indices as TreeGetText and TreePaintText take them.
namespace overview_column {
inline constexpr int kProject = 0;
inline constexpr int kWorkunits = 1;
inline constexpr int kTimeLeft = 2;
inline constexpr int kDeadline = 3;
inline constexpr int kEstFinish = 4;
inline constexpr int kLtd = 5;
inline constexpr int kCount = 6;
}  // namespace overview_column

inline constexpr std::array<OverviewColumn, overview_column::kCount> kOverviewColumns{{
    {1, "Project", 350, 350, OverviewAlignment::Left},
    {2, "Workunits", 80, 80, OverviewAlignment::Right},
    {3, "Time left", 105, 105, OverviewAlignment::Right},
    {4, "Deadline", 115, 115, OverviewAlignment::Right},
    {5, "Est. finish", 225, 225, OverviewAlignment::Left},
    {6, "LTD", 100, 50, OverviewAlignment::Right},
}};

}  // namespace tessarin
