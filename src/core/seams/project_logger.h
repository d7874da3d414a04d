#pragma once
// Seam between the work-unit log and the project loggers, chosen by project kind.

#include <stdexcept>
#include <string>

#include "core/data/cycle_flags.h"
#include "core/data/project_record.h"

namespace tessarin {

// Thrown by a logger whose row cannot be written yet because a copy it reads is not there (a
// full disk kept it from being made, the log directory is away): the row is owed, but no
// write failed.
class ProjectRowNotReady : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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
