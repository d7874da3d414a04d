#include "core/projects/project_log_index.h"

#include "core/tools/files.h"

namespace tessarin {

bool ProjectLogIndex::Holds(const std::string& path, const std::string& loggedName) {
  if (!PathExists(path))
    return false;
  return logs_[path].Find(path, loggedName) == ResultNameIndex::Answer::kFound;
}

}  // namespace tessarin
