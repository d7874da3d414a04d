#pragma once
// Where a remembered window place goes when the screen it was on is gone (a monitor
// unplugged since) or the values are nonsense (negative, huge): onto a screen that exists.

#include <vector>

namespace tessarin {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const ScreenRect&) const = default;
};

// Pixels of a window's top edge that must lie on a screen for the user to grab it there.
inline constexpr int kGripWidth = 64;
inline constexpr int kGripHeight = 24;

// A window whose top edge can be grabbed on some screen stays as it is. Any other moves, and
// shrinks where it is larger, to lie wholly on the screen it overlaps most, or on the first
// (primary) screen when it overlaps none. Without screens it stays.
ScreenRect PlaceOnScreens(ScreenRect window, const std::vector<ScreenRect>& screens);

}  // namespace tessarin
