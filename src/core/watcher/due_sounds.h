#pragma once
// The sounds a cycle raised, played at its end one after the other, in a fixed order.

#include <string>
#include <vector>

#include "core/data/cycle_flags.h"

namespace tessarin {

class SettingsStore;
class SoundDevice;

// Plays, each to its end: Sound/FinishedWU, NewWU, YellowAlert, RedAlert, CacheEmpty (which
// defaults to Options/sndfile). Returns the keys of the sounds that were due, in that order;
// a key whose value is empty plays nothing.
std::vector<std::string> PlayDueSounds(const CycleFlags& flags, const SettingsStore& settings,
                                       SoundDevice& device);

}  // namespace tessarin
