#pragma once
// "~" in the setup's path fields.

#include <string_view>

#include "core/setup/setup_settings.h"

namespace tessarin {

// The log directory, every client directory and every sound file with "~" and "~/..."
// expanded to `home`; speaker tunes and everything else stay as typed.
SetupSettings WithHomeExpanded(SetupSettings values, std::string_view home);

}  // namespace tessarin
