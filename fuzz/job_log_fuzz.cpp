// The clients' job-log lines over any text, line by line as the import reads them.
#include <cstdlib>
#include <string>

#include "core/watcher/job_log.h"
#include "fuzz_support.h"

using namespace tessarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos)
      end = text.size();
    if (const auto line = ParseJobLogLine(text.substr(begin, end - begin))) {
      // A line that parses names its result by one word and finished at a real time.
      if (line->resultName.empty() ||
          line->resultName.find_first_of(" \t\r\n") != std::string::npos || !(line->time > 0)) {
        std::abort();
      }
      line->failed();
    }
    begin = end + 1;
  }
  return 0;
}
