#pragma once
// The setup's context taken from this machine: the running program, the map viewer, the
// usual BOINC data directory and the XDG autostart entry.

#include "core/setup/setup_context.h"
#include "platform/autostart.h"

namespace tessarin {

class SettingsStore;

struct PlatformSetupContext {
  PlatformSetupContext(const SettingsStore& settings, const std::string& programDir);
  PlatformSetupContext(const PlatformSetupContext&) = delete;
  PlatformSetupContext& operator=(const PlatformSetupContext&) = delete;

  XdgAutostart autostart;
  SetupContext context;
};

}  // namespace tessarin
