#include "core/program/program.h"

#include "core/projects/startup_conversions.h"
#include "core/tools/text.h"
#include "version.h"

namespace tessarin {

std::string SettingsPath(const std::string& programDir) {
  return AddBackslash(programDir) + "Tessarin.ini";
}

Program::Program(const std::string& programDir, const Clock& clock, SoundDevice& sound,
                 ProgramLauncher& launcher)
    : settings_(SettingsPath(programDir)),
      exceptions_(settings_, version::kProductVersion),
      env_{settings_,
           exceptions_,
           clock,
           sound,
           AddBackslash(programDir),
           ResolveLogDir(settings_, AddBackslash(programDir))},
      details_(env_),
      loggers_(env_),
      cycle_(env_, details_, loggers_, launcher) {}

std::vector<std::string> Program::RunStartupConversions() {
  env_.logDir = ResolveLogDir(settings_, env_.programDir);
  return tessarin::RunStartupConversions(env_, scores_);
}

std::optional<std::vector<std::string>> Program::FollowLogDirSetting() {
  if (ResolveLogDir(settings_, env_.programDir) == env_.logDir)
    return std::nullopt;
  return RunStartupConversions();
}

}  // namespace tessarin
