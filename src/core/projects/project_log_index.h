#pragma once
// Which results each result or signal log already holds, read from its "result_name" column,
// so that a project logger run again after a failure writes only what is still missing.

#include <string>
#include <unordered_map>

#include "core/data/result_name_index.h"

namespace tessarin {

class ProjectLogIndex {
 public:
  // True when the log at `path` has a row whose result_name is `loggedName` (the text the
  // row stores, LoggedText). A missing log, or one without that column, holds nothing.
  // Throws std::runtime_error when the log cannot be read.
  bool Holds(const std::string& path, const std::string& loggedName);

 private:
  std::unordered_map<std::string, ResultNameIndex> logs_;
};

}  // namespace tessarin
