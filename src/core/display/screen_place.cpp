#include "core/display/screen_place.h"

#include <algorithm>
#include <cstdint>

namespace tessarin {

namespace {

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
  // 64 bits: a hand-edited place may sit near the ends of int.
  const std::int64_t left = std::max<std::int64_t>(a.left, b.left);
  const std::int64_t right =
      std::min<std::int64_t>(std::int64_t{a.left} + a.width, std::int64_t{b.left} + b.width);
  const std::int64_t top = std::max<std::int64_t>(a.top, b.top);
  const std::int64_t bottom =
      std::min<std::int64_t>(std::int64_t{a.top} + a.height, std::int64_t{b.top} + b.height);
  return right > left && bottom > top ? (right - left) * (bottom - top) : 0;
}

// The top edge lies on the screen, at least kGripWidth pixels of it (all of a narrower one).
bool Grippable(const ScreenRect& window, const ScreenRect& screen) {
  const std::int64_t top = window.top;
  if (window.width <= 0 || top < screen.top ||
      top + kGripHeight > std::int64_t{screen.top} + screen.height) {
    return false;
  }
  const std::int64_t left = std::max<std::int64_t>(window.left, screen.left);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{window.left} + window.width,
                                                    std::int64_t{screen.left} + screen.width);
  return right - left >= std::min(window.width, kGripWidth);
}

int Within(int start, int size, int screenStart, int screenSize) {
  const std::int64_t last = std::int64_t{screenStart} + screenSize - size;
  return static_cast<int>(std::clamp<std::int64_t>(start, screenStart, last));
}

}  // namespace

ScreenRect PlaceOnScreens(ScreenRect window, const std::vector<ScreenRect>& screens) {
  if (screens.empty())
    return window;
  for (const ScreenRect& screen : screens) {
    if (Grippable(window, screen))
      return window;
  }
  const ScreenRect* target = &screens.front();
  std::int64_t best = 0;
  for (const ScreenRect& screen : screens) {
    const std::int64_t overlap = Overlap(window, screen);
    if (overlap > best) {
      best = overlap;
      target = &screen;
    }
  }
  window.width = std::min(window.width, target->width);
  window.height = std::min(window.height, target->height);
  window.left = Within(window.left, window.width, target->left, target->width);
  window.top = Within(window.top, window.height, target->top, target->height);
  return window;
}

}  // namespace tessarin
