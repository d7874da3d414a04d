#include "core/browsers/history_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <set>
#include <span>
#include <thread>

#include "core/browsers/history_columns.h"
#include "core/browsers/history_line_fields.h"
#include "core/browsers/history_line_reader.h"
#include "core/browsers/history_log_file.h"
#include "core/browsers/history_parts.h"
#include "core/browsers/history_time_text.h"
#include "core/data/log_files.h"
#include "core/tools/csv.h"
#include "core/tools/number_format.h"
#include "core/tools/run_parts.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// Below this share of digits (separators not counted) the first line is a header.
constexpr double kHeaderDigitShare = 0.1;
constexpr int kMinMatchedColumns = 3;

unsigned char LowerByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

struct CaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerByte(x) < LowerByte(y); });
  }
};

// Menu items: the first spelling of a name is kept.
class NameList {
 public:
  void Add(std::string_view name) {
    if (name.empty() || name == last_)
      return;
    last_.assign(name);
    names_.insert(last_);
  }
  // Names of a later part of the log: a spelling seen here first stays.
  void Append(const NameList& later) { names_.insert(later.names_.begin(), later.names_.end()); }
  std::vector<std::string> Sorted() const { return {names_.begin(), names_.end()}; }

 private:
  std::set<std::string, CaseLess> names_;
  std::string last_;
};

// Unix seconds as local "yyyy.mm.dd hh:nn:ss"; 0 (or no number) stays empty. Logs repeat the
// same times row after row, so the last conversion is kept.
class TimeColumn {
 public:
  std::string_view Convert(std::string_view field) {
    if (field != lastField_) {
      lastField_.assign(field);
      const double seconds = std::nearbyint(StrToFloatSafe(field));  // halves to even
      lastText_ = seconds == 0 ? std::string() : LocalLogDate(seconds);
    }
    return lastText_;
  }

 private:
  std::string lastField_;
  std::string lastText_;
};

// What each of the 46 log columns takes from a line.
class RowBuilder {
 public:
  RowBuilder(const ColumnMap& map, const Synonyms& synonyms) : synonyms_(synonyms) {
    const std::vector<std::string>& names = LogColumns();
    for (std::size_t k = 1; k <= kLogColumnCount; ++k) {
      position_[k] = map[static_cast<int>(k)];
      for (std::size_t t = 0; t < kHistoryTimeColumns.size(); ++t) {
        if (names[k - 1] == kHistoryTimeColumns[t])
          timeColumn_[k] = static_cast<int>(t) + 1;
      }
    }
  }

  void Add(const LineFields& fields, std::size_t rowNumber, GridTable& table, TStatArray& stats) {
    std::array<std::string_view, kHistoryColumnCount> cells{};
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, rowNumber);
    cells[history_columns::kNumber] = std::string_view(digits, written.ptr - digits);

    std::string_view cpuText;
    for (std::size_t k = 1; k <= kLogColumnCount; ++k) {
      if (position_[k] == 0)
        continue;
      const std::string_view field = fields[position_[k] - 1];
      if (field.empty())
        continue;
      if (timeColumn_[k] != 0) {
        cells[k] = times_[static_cast<std::size_t>(timeColumn_[k] - 1)].Convert(field);
      } else if (k == history_columns::kCpu) {
        cpuText = field;
        cpuShown_ = FormatSecondsText(field);
        cells[k] = cpuShown_;
      } else {
        cells[k] = field;
      }
    }

    using namespace history_columns;
    cells[kProject] = synonyms_.Project(cells[kProject]);
    cells[kApplication] = synonyms_.Application(cells[kApplication]);
    host_ = synonyms_.Host(cells[kHost]);
    cells[kHost] = host_;

    stats.AddStat(cells[kProject], cells[kApplication], cells[kHost], cells[kAppVersion],
                  CpuSecondsOf(cpuText), UpperCase(cells[kError]) == "TRUE");
    projects_.Add(cells[kProject]);
    hosts_.Add(cells[kHost]);
    table.AppendRow(cells);
  }

  NameList& Projects() { return projects_; }
  NameList& Hosts() { return hosts_; }

 private:
  const Synonyms& synonyms_;
  std::array<int, kLogColumnCount + 1> position_{};    // field number in the line, 0 = none
  std::array<int, kLogColumnCount + 1> timeColumn_{};  // 1-based index into times_, 0 = none
  std::array<TimeColumn, kHistoryTimeColumns.size()> times_;
  std::string cpuShown_;
  std::string host_;
  NameList projects_;
  NameList hosts_;
};

const FieldArray& WantedHeader() {
  static const FieldArray header = SplitCsvLine(logs::kBoincCsvHeader, ',', true);
  return header;
}

// Logs below this size are read on one thread: starting more costs more than it saves.
constexpr std::size_t kPartMinBytes = std::size_t{4} << 20;
constexpr std::size_t kMaxParts = 16;

std::size_t DefaultParts(std::size_t bytes) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return std::clamp<std::size_t>(bytes / kPartMinBytes, 1, std::min(cores, kMaxParts));
}

std::size_t BomLength(const HistoryLogFile& file) {
  char start[kUtf8ByteOrderMark.size()];
  const std::size_t got = file.ReadAt(0, start, sizeof start);
  return std::string_view(start, got) == kUtf8ByteOrderMark ? kUtf8ByteOrderMark.size() : 0;
}

// What the rows of one part of the log give; parts are joined in file order.
struct HistoryPart {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t rows = 0;      // its non-empty lines
  std::size_t firstRow = 0;  // rows in the parts before it
  std::optional<GridTable> table;
  TStatArray stats;
  NameList projects;
  NameList hosts;
};

// Fields of a line: its separators outside quotes, plus one.
std::size_t CountRowFields(std::string_view line, char separator) {
  std::size_t fields = 1;
  bool quoted = false;
  for (const char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == separator && !quoted)
      ++fields;
  }
  return fields;
}

// What a line of the log must be to count as a row.
struct RowShape {
  char separator;
  std::size_t headerFields;

  // The logger writes the line break before a row, so the last line is open while a row is
  // being written: it is taken once it holds all of the header's fields.
  bool IsRow(const HistoryLineReader& reader, std::span<const char> line) const {
    if (line.empty())
      return false;
    return !reader.LastLineOpen() ||
           CountRowFields(std::string_view(line.data(), line.size()), separator) >= headerFields;
  }
};

// The rows of [part.begin, part.end), counted without being taken apart.
std::size_t CountRows(const HistoryLogFile& file, const HistoryPart& part, char lineBreak,
                      const RowShape& shape) {
  HistoryLineReader reader(file, part.begin, part.end, lineBreak);
  std::span<char> line;
  std::size_t rows = 0;
  while (reader.NextLine(line))
    rows += shape.IsRow(reader, line) ? 1 : 0;
  return rows;
}

void ReadPart(const HistoryLogFile& file, char lineBreak, const RowShape& shape,
              const ColumnMap& map, const Synonyms& synonyms, HistoryPart& part) {
  const char separator = shape.separator;
  part.table.emplace(HistoryGridHeader());
  part.table->ReserveRows(part.rows);
  RowBuilder builder(map, synonyms);
  LineSplitter splitter(separator);
  LineFields fields;
  HistoryLineReader reader(file, part.begin, part.end, lineBreak);
  std::span<char> line;
  std::size_t rowNumber = part.firstRow;
  // A row the count did not see (the file changed meanwhile) is left out, so the numbers of
  // the next part stay right.
  while (rowNumber < part.firstRow + part.rows && reader.NextLine(line)) {
    if (!shape.IsRow(reader, line))
      continue;
    if (separator == ';')
      std::replace(line.begin(), line.end(), ',', '.');
    splitter.Split(std::string_view(line.data(), line.size()), fields);
    builder.Add(fields, ++rowNumber, *part.table, part.stats);
  }
  part.projects = std::move(builder.Projects());
  part.hosts = std::move(builder.Hosts());
}

}  // namespace

HistoryLog::HistoryLog() : table(HistoryGridHeader()) {}

HistoryLog ReadHistoryLog(const std::string& path, const Synonyms& synonyms, std::size_t parts) {
  HistoryLog log;
  const HistoryLogFile file(path);
  const std::size_t headerStart = BomLength(file);
  const char lineBreak = LineBreakOf(file, headerStart);
  HistoryLineReader headerReader(file, headerStart, file.Size(), lineBreak);
  std::span<char> headerLine;
  if (!headerReader.NextLine(headerLine))
    return log;
  const std::string_view header(headerLine.data(), headerLine.size());
  const char separator = DetectSeparator(header);
  if (!DigitShareBelow(header, separator, kHeaderDigitShare))
    return log;
  const ColumnMap map = MapColumns(SplitCsvLine(header, separator, true), WantedHeader());
  if (CountMappedColumns(map) < kMinMatchedColumns)
    return log;
  const RowShape shape{separator, CountRowFields(header, separator)};

  const std::size_t rowsStart = headerReader.Position();
  const std::vector<std::size_t> starts =
      PartStarts(file, rowsStart, file.Size(),
                 parts > 0 ? parts : DefaultParts(file.Size() - rowsStart), lineBreak);
  std::vector<HistoryPart> partList(starts.size() - 1);
  for (std::size_t k = 0; k < partList.size(); ++k) {
    partList[k].begin = starts[k];
    partList[k].end = starts[k + 1];
  }
  const std::size_t threads = std::max(2u, std::thread::hardware_concurrency());
  RunParts(partList.size(), threads, [&](std::size_t k) {
    partList[k].rows = CountRows(file, partList[k], lineBreak, shape);
  });
  std::size_t rows = 0;
  for (HistoryPart& part : partList) {
    part.firstRow = rows;
    rows += part.rows;
  }
  RunParts(partList.size(), threads,
           [&](std::size_t k) { ReadPart(file, lineBreak, shape, map, synonyms, partList[k]); });

  NameList projects;
  NameList hosts;
  log.table.ReserveRows(rows);
  for (HistoryPart& part : partList) {
    log.table.AppendTable(std::move(*part.table));
    log.stats.AppendStats(part.stats);
    projects.Append(part.projects);
    hosts.Append(part.hosts);
  }
  log.projects = projects.Sorted();
  log.hosts = hosts.Sorted();
  return log;
}

}  // namespace tessarin
