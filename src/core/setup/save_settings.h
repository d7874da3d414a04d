#pragma once
// Writes the setup's values back: the autostart entry, the whole BoincDirs section, every
// option, then one flush.

#include <string>

#include "core/setup/setup_context.h"
#include "core/setup/setup_settings.h"

namespace tessarin {

class SettingsStore;

struct SaveOutcome {
  // The wallpaper option went from off to on: the caller passes this to
  // WatchCycle::RequestWallpaper.
  bool wallpaperRequest = false;
  // The autostart entry could not be written or removed.
  bool autostartFailed = false;
  // Why Tessarin.ini could not be written; empty when it was. The values stay in the store.
  std::string flushError;
};

// Options/sndfile and Options/playonce are neither written nor removed.
SaveOutcome SaveSettings(SettingsStore& store, const SetupSettings& values,
                         const SetupContext& context);

// Directory part of a program path, with its trailing separator; empty without one.
std::string DirectoryOf(const std::string& path);

}  // namespace tessarin
