#include "core/browsers/grid_keys.h"

namespace tessarin {

std::optional<std::size_t> NextVisibleIndex(std::size_t current, int step, std::size_t first,
                                            std::size_t count,
                                            const std::function<bool(std::size_t)>& hidden) {
  if (step == 0)
    return std::nullopt;
  std::size_t index = current;
  for (;;) {
    if (step < 0 ? index <= first : index + 1 >= count)
      return std::nullopt;
    index = step < 0 ? index - 1 : index + 1;
    if (!hidden(index))
      return index;
  }
}

}  // namespace tessarin
