// Both Einstein@Home command-line forms over any text.
#include <cstdlib>
#include <string>

#include "core/projects/einstein_command_line.h"
#include "fuzz_support.h"

using namespace tessarin;

namespace {

void Check(const EinsteinSearchRange& range) {
  for (const std::string* time :
       {&range.startTime1, &range.startTime2, &range.endTime1, &range.endTime2}) {
    if (time->size() > 20)
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view commandLine = fuzz::AsText(data, size);
  Check(ParseOldCommandLine(commandLine));
  Check(ParseIfoCommandLine(commandLine));
  const std::string columns = ParseEinsteinCommandLine(commandLine);
  if (columns.empty() || columns.back() != ',')
    std::abort();
  return 0;
}
