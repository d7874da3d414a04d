// The History window's reading of boinc.csv, over any file content.
#include <cstdlib>
#include <string>

#include "core/browsers/history_line_reader.h"
#include "core/browsers/history_reader.h"
#include "fuzz_support.h"

using namespace tessarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchDir() + "boinc.csv";
  static const Synonyms* synonyms = [] {
    auto* made = new Synonyms();
    made->AddProject("SETI@home", "SETI");
    made->AddHost("alpha", "Alpha");
    return made;
  }();
  const std::string_view content = fuzz::AsText(data, size);
  fuzz::WriteFile(path, content);

  std::size_t lines = 0;
  std::size_t bytes = 0;
  {
    HistoryLineReader reader(path);
    std::string line;
    while (reader.NextLine(line)) {
      ++lines;
      bytes += line.size();
      if (line.find('\n') != std::string::npos || lines > size + 1)
        std::abort();
    }
    if (bytes > size)
      std::abort();
  }

  const HistoryLog log = ReadHistoryLog(path, *synonyms);
  if (log.table.RowCount() > lines)
    std::abort();
  return 0;
}
