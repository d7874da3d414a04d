#include "core/browsers/grid_columns.h"

#include <algorithm>

namespace tessarin {

GridColumns::GridColumns(std::size_t columnCount) : widths_(columnCount, kDefaultWidth) {}

void GridColumns::BuildColumnMenu(const std::vector<std::string>& captions, std::string_view mask) {
  widths_.resize(captions.size(), kDefaultWidth);
  std::vector<ColumnMenuItem> items;
  for (std::size_t c = 0; c < captions.size(); ++c) {
    // Every new item starts checked, so a column hidden by the old menu is shown again.
    if (widths_[c] < 0)
      widths_[c] = c < menu_.size() ? menu_[c].width : kDefaultWidth;
    items.push_back({captions[c], true, widths_[c]});
  }
  menu_ = std::move(items);
  // Hiding starts once every item exists: while a menu is still being built, its first item
  // would be the only checked one and could never be hidden.
  for (std::size_t c = 0; c < menu_.size() && c < mask.size(); ++c) {
    if (mask[c] == '0')
      ToggleColumn(c);
  }
}

std::string GridColumns::ColumnMask() const {
  std::string mask;
  mask.reserve(menu_.size());
  for (const ColumnMenuItem& item : menu_)
    mask += item.checked ? '1' : '0';
  return mask;
}

int GridColumns::VisibleColumnCount() const {
  return static_cast<int>(std::count_if(menu_.begin(), menu_.end(),
                                        [](const ColumnMenuItem& item) { return item.checked; }));
}

void GridColumns::ToggleColumn(std::size_t item) {
  if (item >= menu_.size())
    return;
  ColumnMenuItem& entry = menu_[item];
  if (entry.checked && VisibleColumnCount() == 1)
    return;
  entry.checked = !entry.checked;
  if (entry.checked) {
    widths_[item] = entry.width;
  } else {
    entry.width = widths_[item];
    widths_[item] = kHiddenWidth;
  }
}

}  // namespace tessarin
