// SplitCsvLine, CsvField and QuoteText over any line, and the History reader's own field
// splitter, which must give the same fields as SplitCsvLine with quotes stripped.
#include <cstdlib>
#include <string>

#include "core/browsers/history_line_fields.h"
#include "core/tools/csv.h"
#include "fuzz_support.h"

using namespace tessarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A log line is about a kilobyte; longer inputs only slow the search down.
  if (size > 8192)
    return 0;
  const std::string_view line = fuzz::AsText(data, size);

  const char separator = DetectSeparator(line);
  for (const bool strip : {true, false}) {
    const FieldArray fields = SplitCsvLine(line, separator, strip);
    for (int k = 1; k <= kMaxCsvFields; ++k) {
      const std::string& field = fields[k];
      if (field.size() > kMaxCsvFieldLength)
        std::abort();
      if (!field.empty() && (field.front() == ' ' || field.back() == ' '))
        std::abort();
      if (strip && field.find('"') != std::string::npos)
        std::abort();
    }
    const ColumnMap map = MapColumns(fields, fields);
    if (CountMappedColumns(map) > kMaxCsvFields)
      std::abort();
  }

  for (const char sep : {',', ';'}) {
    const FieldArray expected = SplitCsvLine(line, sep, true);
    // Split twice with one splitter: the second call must not see what the first left.
    static LineSplitter* splitters[2] = {new LineSplitter(','), new LineSplitter(';')};
    LineSplitter& splitter = *splitters[sep == ',' ? 0 : 1];
    LineFields fields;
    splitter.Split(line.substr(0, line.size() / 2), fields);
    splitter.Split(line, fields);
    for (int k = 1; k <= kMaxCsvFields; ++k) {
      if (fields[k - 1] != expected[k])
        std::abort();
    }
  }

  for (int n = 0; n <= 8; ++n) {
    const std::string field = CsvField(line, n);
    if (field.find_first_of("\"\r\n") != std::string::npos)
      std::abort();
  }

  // A quoted value can never break its row or its field, and quoting twice changes nothing.
  const std::string quoted = QuoteText(line);
  if (quoted.find_first_of("\r\n") != std::string::npos)
    std::abort();
  if (!quoted.empty() && (quoted.size() < 3 || quoted.front() != '"' || quoted.back() != '"' ||
                          quoted.substr(1, quoted.size() - 2).find('"') != std::string::npos))
    std::abort();
  if (QuoteText(quoted) != quoted)
    std::abort();
  return 0;
}
