#pragma once
// The alert level of the whole cycle, the tray level and the alert sounds that are due.

#include <cstdint>

#include "core/data/cycle_flags.h"

namespace tessarin {

class SettingsStore;

// Over all enabled directories: one directory is enough.
struct AlertConditions {
  bool yellow = false;  // work left at or below Options/yellowalert hours
  bool red = false;     // at or below Options/redalert hours
  bool empty = false;   // no work left
};

// Kept between cycles.
struct AlertMemory {
  std::uint8_t alertState = 0;  // 0 none, 1 yellow, 2 red, 3 cache empty
  std::uint8_t trayLevel = 1;   // 1 at start, so a first quiet cycle still sets the normal icon
};

// Updates the memory and raises the alert flags. With a Sound/...Once option a sound plays
// when its state is entered, not again while it lasts. Returns true when the tray image
// should change now (level changed and Options/notify on).
bool DecideAlert(const AlertConditions& conditions, const SettingsStore& settings,
                 AlertMemory& memory, CycleFlags& flags);

}  // namespace tessarin
