#pragma once
// The project loggers behind the work-unit log, chosen by the project record's kind.

#include <string>

#include "core/projects/project_log_index.h"
#include "core/seams/project_logger.h"
#include "core/settings/environment.h"

namespace tessarin {

class ProjectLoggers final : public ProjectLogger {
 public:
  explicit ProjectLoggers(const Environment& env) : env_(env) {}

  // SETI@home -> LogSah, Astropulse -> LogAp, Einstein@Home -> LogEinstein; other kinds
  // have no project log.
  void LogProjectResult(ProjectKind kind, const std::string& prefix,
                        const std::string& resultFileName, const std::string& wuName,
                        CycleFlags& flags) override;

 private:
  const Environment& env_;
  ProjectLogIndex index_;
};

}  // namespace tessarin
