#pragma once
// Where the science files of a running task are.

#include <string>

#include "core/data/active_task_facts.h"
#include "core/settings/environment.h"

namespace tessarin {

// The backup copy of the running work unit: log directory + work-unit file + ".tess".
std::string WorkUnitBackupPath(const Environment& env, const ActiveTaskFacts& facts);

// The result's output file in the project directory.
std::string ResultFilePath(const ActiveTaskFacts& facts);

// A file of the task's project or slot directory, read as a client file: empty when missing
// or refused, at most Options/maxbackupmb.
std::string ReadTaskFile(const Environment& env, const ActiveTaskFacts& facts,
                         const std::string& path);

}  // namespace tessarin
