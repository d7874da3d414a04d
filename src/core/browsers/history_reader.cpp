#include "core/browsers/history_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <set>

#include "core/browsers/history_columns.h"
#include "core/browsers/history_line_fields.h"
#include "core/browsers/history_line_reader.h"
#include "core/browsers/history_time_text.h"
#include "core/data/log_files.h"
#include "core/tools/csv.h"
#include "core/tools/number_format.h"
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

  void Add(const LineFields& fields, std::size_t rowNumber, HistoryLog& log) {
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

    log.stats.AddStat(cells[kProject], cells[kApplication], cells[kHost], cells[kAppVersion],
                      CpuSecondsOf(cpuText), UpperCase(cells[kError]) == "TRUE");
    projects_.Add(cells[kProject]);
    hosts_.Add(cells[kHost]);
    log.table.AppendRow(cells);
  }

  void FinishMenus(HistoryLog& log) const {
    log.projects = projects_.Sorted();
    log.hosts = hosts_.Sorted();
  }

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

}  // namespace

HistoryLog::HistoryLog() : table(HistoryGridHeader()) {}

HistoryLog ReadHistoryLog(const std::string& path, const Synonyms& synonyms) {
  HistoryLog log;
  HistoryLineReader reader(path);
  std::string line;
  if (!reader.NextLine(line))
    return log;

  const char separator = DetectSeparator(line);
  if (!DigitShareBelow(line, separator, kHeaderDigitShare))
    return log;
  const ColumnMap map = MapColumns(SplitCsvLine(line, separator, true), WantedHeader());
  if (CountMappedColumns(map) < kMinMatchedColumns)
    return log;

  // A row is never shorter than its separators; the rest of the reservation is never touched.
  log.table.ReserveRows(reader.FileSize() / kLogColumnCount + 1);
  RowBuilder builder(map, synonyms);
  LineSplitter splitter(separator);
  LineFields fields;
  std::size_t rowNumber = 0;
  while (reader.NextLine(line)) {
    if (line.empty())
      continue;
    if (separator == ';')
      ReplaceCharInPlace(line, ',', '.');
    splitter.Split(line, fields);
    builder.Add(fields, ++rowNumber, log);
  }
  builder.FinishMenus(log);
  return log;
}

}  // namespace tessarin
