#include "core/watcher/result_element.h"

#include <exception>

#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"
#include "core/watcher/result_list.h"

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

}  // namespace tessarin
