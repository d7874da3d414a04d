#pragma once
// What one watch cycle has to signal at its end. Cleared at the start of every cycle.

namespace tessarin {

struct CycleFlags {
  bool wallpaperRequest = false;
  bool finishedWU = false;
  bool newWU = false;
  bool yellowAlert = false;
  bool redAlert = false;
  bool cacheEmpty = false;
};

}  // namespace tessarin
