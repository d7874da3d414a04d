#include "core/watcher/task_checkpoint.h"

#include "core/data/client_file.h"
#include "core/settings/environment.h"
#include "core/settings/settings_keys.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"

namespace tessarin {

namespace {

TaskCheckpoint CheckpointOf(std::string_view element) {
  return {StrToFloatSafe(ExtractTag(element, "checkpoint_cpu_time")), FractionDone(element)};
}

}  // namespace

double FractionDone(std::string_view element) {
  const std::string fraction = ExtractTag(element, "fraction_done");
  if (!fraction.empty())
    return StrToFloatSafe(fraction);
  return StrToFloatSafe(ExtractTag(element, "checkpoint_fraction_done"));
}

TaskCheckpoint ReadTaskCheckpoint(std::string_view activeTask, const std::string& clientDir,
                                  const std::string& slotDir, Environment& env) {
  TaskCheckpoint checkpoint = CheckpointOf(activeTask);
  const std::string resultName = ExtractTag(activeTask, "result_name");
  if (resultName.empty())
    return checkpoint;
  // The slot may already hold the next task of the client; only the same result counts.
  const std::string slotState = ClientFileAsString(clientDir, slotDir + "boinc_task_state.xml",
                                                   MaxBackupBytes(env.settings), env.exceptions);
  if (slotState.empty() || ExtractTag(slotState, "result_name") != resultName)
    return checkpoint;
  const TaskCheckpoint fresher = CheckpointOf(slotState);
  return fresher.cpuTime > checkpoint.cpuTime ? fresher : checkpoint;
}

}  // namespace tessarin
