#include "core/watcher/logged_results.h"

#include <sys/stat.h>

#include "core/tools/text.h"

namespace tessarin {

bool LoggedResults::Contains(std::string_view resultFileName) const {
  return lowerCaseNames_.count(LowerCase(resultFileName)) > 0;
}

void LoggedResults::Add(std::string_view resultFileName) {
  lowerCaseNames_.insert(LowerCase(resultFileName));
}

void LoggedResults::StartCycle(const std::string& csvPath) {
  asked_.clear();
  struct stat info {};
  const bool present = ::stat(csvPath.c_str(), &info) == 0;
  const std::uint64_t device = present ? info.st_dev : 0;
  const std::uint64_t inode = present ? info.st_ino : 0;
  if (device != device_ || inode != inode_)
    lowerCaseNames_.clear();
  device_ = device;
  inode_ = inode;
}

void LoggedResults::MarkAsked(std::string_view resultFileName) {
  asked_.emplace(resultFileName);
}

bool LoggedResults::AskedThisCycle(std::string_view resultFileName) const {
  return asked_.count(std::string(resultFileName)) > 0;
}

}  // namespace tessarin
