#pragma once
// The logged-results cache: result file names already found in boinc.csv, kept while that
// file stays the same file, plus the index of boinc.csv that answers for names not yet cached.

#include <cstdint>
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
  // At the start of each cycle. A boinc.csv that is gone or another file now (a log directory
  // put back, a disk mounted again) may lack the cached names: they are looked up there again.
  void StartCycle(const std::string& csvPath);
  // Results whose project logger was asked in this cycle, however it went.
  void MarkAsked(std::string_view resultFileName);
  bool AskedThisCycle(std::string_view resultFileName) const;

  ResultNameIndex& FileIndex() { return fileIndex_; }

 private:
  std::unordered_set<std::string> lowerCaseNames_;
  std::unordered_set<std::string> asked_;
  std::uint64_t device_ = 0;
  std::uint64_t inode_ = 0;
  ResultNameIndex fileIndex_;
};

}  // namespace tessarin
