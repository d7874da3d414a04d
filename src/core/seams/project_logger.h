#pragma once
// Seam between the work-unit log and the project loggers, chosen by project kind.

#include <string>

#include "core/data/cycle_flags.h"
#include "core/data/project_record.h"

namespace tessarin {

class ProjectLogger {
 public:
  virtual ~ProjectLogger() = default;
  // `prefix` is the 43-column log row prefix, ending with ','. Kinds without a logger
  // do nothing.
  virtual void LogProjectResult(ProjectKind kind, const std::string& prefix,
                                const std::string& resultFileName, const std::string& wuName,
                                CycleFlags& flags) = 0;
};

}  // namespace tessarin
