#pragma once
// The setup's context taken from this machine: the running program, the map viewer, the
// usual BOINC data directory and the XDG autostart entry.

#include "core/setup/setup_context.h"
#include "platform/autostart.h"
#include "platform/program_dir.h"

namespace tessarin {

class SettingsStore;

struct PlatformSetupContext {
  // `homeOption` is the --home the program was started with (empty when none).
  PlatformSetupContext(const SettingsStore& settings, const std::string& programDir,
                       const std::string& homeOption);
  PlatformSetupContext(const PlatformSetupContext&) = delete;
  PlatformSetupContext& operator=(const PlatformSetupContext&) = delete;

  ProgramDirSources sources;
  XdgAutostart autostart;
  SetupContext context;
};

}  // namespace tessarin
