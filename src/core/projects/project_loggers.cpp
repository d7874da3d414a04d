#include "core/projects/project_loggers.h"

#include "core/projects/ap_logger.h"
#include "core/projects/einstein_logger.h"
#include "core/projects/sah_logger.h"

namespace tessarin {

void ProjectLoggers::LogProjectResult(ProjectKind kind, const std::string& prefix,
                                      const std::string& resultFileName, const std::string& wuName,
                                      CycleFlags& flags) {
  switch (kind) {
    case ProjectKind::kSeti:
      LogSah(env_, index_, flags, prefix, resultFileName, wuName);
      break;
    case ProjectKind::kAstropulse:
      LogAp(env_, index_, flags, prefix, resultFileName, wuName);
      break;
    case ProjectKind::kEinstein:
      LogEinstein(env_, index_, flags, prefix, resultFileName, wuName);
      break;
    case ProjectKind::kOther:
    case ProjectKind::kPredictor:
    case ProjectKind::kClimate:
    case ProjectKind::kLhc:
      break;
  }
}

}  // namespace tessarin
