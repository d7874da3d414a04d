#include "core/display/slot_paths.h"

namespace tessarin {

std::string WorkUnitBackupPath(const Environment& env, const ActiveTaskFacts& facts) {
  return env.logDir + facts.wuFile + ".tess";
}

std::string ResultFilePath(const ActiveTaskFacts& facts) {
  return facts.projectDir + facts.resultFileName;
}

}  // namespace tessarin
