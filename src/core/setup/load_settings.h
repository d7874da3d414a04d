#pragma once
// Fills the setup's values from the settings store, the autostart entry and the usual
// client directory.

#include "core/setup/setup_context.h"
#include "core/setup/setup_settings.h"

namespace tessarin {

class SettingsStore;

// No Options/timer yet (or the first-run marker 9999): the program has never been set up.
bool IsFirstStart(const SettingsStore& store);

// The autostart box follows the entry, but is on at a first start. An empty BoincDirs
// section offers context.defaultClientDir, unchecked. A directory key whose value is not the
// number 0 (also an empty or non-numeric one) loads checked.
SetupSettings LoadSettings(const SettingsStore& store, const SetupContext& context);

}  // namespace tessarin
