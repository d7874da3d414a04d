#include "core/watcher/result_element.h"

#include <exception>

#include "core/data/result_list.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"
#include "core/watcher/app_version_speeds.h"
#include "core/watcher/client_state_walk.h"

namespace tessarin {

namespace {

std::string CleanErrorLine(std::string text) {
  text = DeleteChars(text, "\r");
  ReplaceCharInPlace(text, '\n', ' ');
  return TrimBlanks(text);
}

}  // namespace

std::string ErrorText(const std::string& result, bool failed) {
  const std::string message = CleanErrorLine(ExtractTag(result, "message"));
  const std::string stderrText = failed ? CleanErrorLine(ExtractTag(result, "stderr_txt")) : "";
  if (!message.empty() && !stderrText.empty())
    return message + "; " + stderrText;
  return message.empty() ? stderrText : message;
}

double FinishTime(const std::string& result, double now) {
  const double completed = StrToFloatSafe(ExtractTag(result, "completed_time"));
  return completed > 0 && completed <= now ? completed : now;
}

// Clients since 5.5 mark an abort by state 6 rather than aborted_via_gui; a failed upload (7)
// is a finished result with an error, like a compute error.
int ResultState(const std::string& result) {
  int state = 0;
  try {
    state = DigitsToInt(ExtractTag(result, "state"));
  } catch (const std::exception&) {
    state = 0;
  }
  if (state > 255)
    state = 0;
  if (state == result_state::kClientUploadFailed)
    state = result_state::kComputeError;
  if (state == result_state::kClientAborted || ContainsText(result, "aborted_via_gui"))
    state = result_state::kAborted;
  return state;
}

std::uint8_t ListState(int state, const ProjectRecord& project, std::string_view result) {
  if (project.suspended || ContainsText(result, "suspended_via_gui"))
    state = result_state::kSuspended;
  if (project.non_cpu_intensive) {
    state = state >= result_state::kComputeError && state <= result_state::kUploaded
                ? result_state::kNonCpuFinished
                : result_state::kNonCpuOther;
  }
  return static_cast<std::uint8_t>(state);
}

WorkunitApps AppsOfWorkunits(const std::vector<ElementUnderProject>& workunits) {
  WorkunitApps apps;
  for (const ElementUnderProject& element : workunits) {
    apps.try_emplace(ExtractTag(element.text, "name"), ExtractTag(element.text, "app_name"),
                     ExtractTag(element.text, "version_num"));
  }
  return apps;
}

double FlopsOfResult(const AppVersionSpeeds& speeds, const WorkunitApps& apps,
                     const std::string& masterUrl, const std::string& result,
                     const std::string& wuName) {
  const auto app = apps.find(wuName);
  if (app == apps.end())
    return 0;
  std::string versionNum = ExtractTag(result, "version_num");
  if (versionNum.empty())
    versionNum = app->second.second;
  return speeds.FlopsOf(masterUrl, app->second.first, versionNum, ExtractTag(result, "plan_class"));
}

}  // namespace tessarin
