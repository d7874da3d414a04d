// The History window's reading of boinc.csv, over any file content: the lines of every part
// are lines of the whole, and a reading in parts gives what one pass gives.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/browsers/history_line_reader.h"
#include "core/browsers/history_reader.h"
#include "fuzz_support.h"

using namespace tessarin;

namespace {

bool SameLog(const HistoryLog& a, const HistoryLog& b) {
  if (a.table.RowCount() != b.table.RowCount() || a.projects != b.projects || a.hosts != b.hosts ||
      a.stats.Entries().size() != b.stats.Entries().size())
    return false;
  for (std::size_t row = 0; row < a.table.RowCount(); ++row) {
    for (std::size_t column = 0; column < a.table.ColumnCount(); ++column) {
      if (a.table.Cell(row, column) != b.table.Cell(row, column))
        return false;
    }
  }
  for (std::size_t i = 0; i < a.stats.Entries().size(); ++i) {
    const StatEntry& x = a.stats.Entries()[i];
    const StatEntry& y = b.stats.Entries()[i];
    if (x.project != y.project || x.application != y.application || x.host != y.host ||
        x.version != y.version || x.counts.workUnits != y.counts.workUnits ||
        x.counts.cpuSeconds != y.counts.cpuSeconds)
      return false;
  }
  return true;
}

}  // namespace

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
  {
    const HistoryLogFile file(path);
    const char lineBreak = LineBreakOf(file, 0);
    HistoryLineReader reader(file, 0, file.Size(), lineBreak);
    std::span<char> line;
    std::size_t bytes = 0;
    while (reader.NextLine(line)) {
      ++lines;
      bytes += line.size();
      if (std::find(line.begin(), line.end(), lineBreak) != line.end() || lines > size + 1)
        std::abort();
    }
    if (bytes > size)
      std::abort();
  }

  const HistoryLog log = ReadHistoryLog(path, *synonyms, 1);
  if (log.table.RowCount() > lines)
    std::abort();
  if (!SameLog(log, ReadHistoryLog(path, *synonyms, 1 + size % 7)))
    std::abort();
  return 0;
}
