#include "core/projects/startup_conversions.h"

#include <exception>

#include "core/projects/command_log_conversion.h"
#include "core/projects/einstein_log_builder.h"
#include "core/projects/log_upgrade.h"
#include "core/settings/exception_log.h"

namespace tessarin {

namespace {

template <class Step>
void RunStep(const Environment& env, const char* name, Step step,
             std::vector<std::string>& failures) {
  try {
    step();
  } catch (const std::exception& error) {
    failures.push_back(std::string(name) + " - " + error.what());
    try {
      env.exceptions.LogException(failures.back());
    } catch (const std::exception&) {
      // The message still reaches the user; an unwritable settings file is not a reason
      // to skip the remaining steps.
    }
  }
}

}  // namespace

std::vector<std::string> RunStartupConversions(const Environment& env, ScoreThresholds& scores) {
  std::vector<std::string> failures;
  RunStep(
      env, "ConvertCommandLogs", [&] { ConvertCommandLogs(env); }, failures);
  RunStep(
      env, "UpgradeLogFiles", [&] { UpgradeLogFiles(env); }, failures);
  RunStep(
      env, "BuildEinsteinLog", [&] { BuildEinsteinLog(env); }, failures);
  RunStep(
      env, "GetScores", [&] { scores = GetScores(env); }, failures);
  return failures;
}

}  // namespace tessarin
