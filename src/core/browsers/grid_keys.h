#pragma once
// Arrow keys step over hidden columns and rows (width or height -1).

#include <cstddef>
#include <functional>
#include <optional>

namespace tessarin {

// The visible index next to `current` in direction `step` (-1 left/up, +1 right/down) among
// the indices from `first` (the first non-fixed one) to `count` - 1; nothing when every index
// that way is hidden, and the key is then swallowed.
std::optional<std::size_t> NextVisibleIndex(std::size_t current, int step, std::size_t first,
                                            std::size_t count,
                                            const std::function<bool(std::size_t)>& hidden);

}  // namespace tessarin
