#pragma once
// The grid's columns: their widths (-1 = hidden) and the column menu, one check item per
// column that hides or shows it. Each item remembers the width its column had when hidden.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

struct ColumnMenuItem {
  std::string caption;
  bool checked = true;
  // Width given back when the column is shown again.
  int width = 0;
};

class GridColumns {
 public:
  static constexpr int kDefaultWidth = 64;
  static constexpr int kHiddenWidth = -1;

  explicit GridColumns(std::size_t columnCount);

  std::size_t ColumnCount() const { return widths_.size(); }
  int Width(std::size_t column) const { return widths_[column]; }
  void SetWidth(std::size_t column, int width) { widths_[column] = width; }
  bool Hidden(std::size_t column) const { return widths_[column] < 0; }

  const std::vector<ColumnMenuItem>& MenuItems() const { return menu_; }

  // Rebuilds the menu from the header captions (one column each); a column whose mask
  // character is '0' is hidden. Characters beyond the columns are ignored, missing ones leave
  // their columns shown, and the last shown column is never hidden.
  void BuildColumnMenu(const std::vector<std::string>& captions, std::string_view mask);
  // '1' per checked item, '0' per unchecked one, in column order.
  std::string ColumnMask() const;
  int VisibleColumnCount() const;
  // Hides or shows the item's column; hiding the only visible column is refused.
  void ToggleColumn(std::size_t item);

 private:
  std::vector<int> widths_;
  std::vector<ColumnMenuItem> menu_;
};

}  // namespace tessarin
