#pragma once
// The logged-results cache: result file names already found in boinc.csv, kept for the
// program's lifetime, plus the index of boinc.csv that answers for names not yet cached.

#include <string>
#include <string_view>
#include <unordered_set>

#include "core/data/result_name_index.h"

namespace tessarin {

class LoggedResults {
 public:
  // Letter case does not count.
  bool Contains(std::string_view resultFileName) const;
  void Add(std::string_view resultFileName);

  ResultNameIndex& FileIndex() { return fileIndex_; }

 private:
  std::unordered_set<std::string> lowerCaseNames_;
  ResultNameIndex fileIndex_;
};

}  // namespace tessarin
