#include "core/watcher/logged_results.h"

#include "core/tools/text.h"

namespace tessarin {

bool LoggedResults::Contains(std::string_view resultFileName) const {
  return lowerCaseNames_.count(LowerCase(resultFileName)) > 0;
}

void LoggedResults::Add(std::string_view resultFileName) {
  lowerCaseNames_.insert(LowerCase(resultFileName));
}

}  // namespace tessarin
