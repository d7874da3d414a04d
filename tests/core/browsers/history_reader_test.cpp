#include "core/browsers/history_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/browsers/grid_sort.h"
#include "core/browsers/history_columns.h"
#include "core/browsers/history_tree.h"
#include "history_test_log.h"
#include "history_test_time_zone.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

using test::LogRow;
using test::LogText;
namespace col = history_columns;

constexpr std::size_t kDate = 1;
constexpr std::size_t kVendor = 6;
constexpr std::size_t kLastUpdate = 22;
constexpr std::size_t kUserCreateTime = 29;
constexpr std::size_t kDeadline = 36;
constexpr std::size_t kResultName = 42;

class HistoryReaderTest : public ::testing::Test {
 protected:
  HistoryLog Read(const std::string& text, const Synonyms& synonyms = {}) {
    return ReadHistoryLog(dir_.Write("boinc.csv", text), synonyms);
  }
  test::TempDir dir_;
};

TEST_F(HistoryReaderTest, ReadsRowsInFileOrderWithRowNumbers) {
  const HistoryLog log = Read(LogText({
      LogRow({{"project_name", "SETI@home"}, {"result_name", "r1"}, {"cpu", "3725.9"}}),
      "",
      LogRow({{"project_name", "Einstein@Home"}, {"result_name", "r2"}}),
  }));
  ASSERT_EQ(log.table.RowCount(), 2u);
  ASSERT_EQ(log.table.ColumnCount(), kHistoryColumnCount);
  EXPECT_EQ(log.table.Header()[0], "nr");
  EXPECT_EQ(log.table.Header()[46], "error_txt");
  EXPECT_EQ(log.table.Cell(0, col::kNumber), "1");
  EXPECT_EQ(log.table.Cell(1, col::kNumber), "2");  // the empty line is skipped, not counted
  EXPECT_EQ(log.table.Cell(0, col::kProject), "SETI@home");
  EXPECT_EQ(log.table.Cell(1, kResultName), "r2");
  EXPECT_EQ(log.table.Cell(0, col::kCpu), "01:02:05");
  EXPECT_EQ(log.table.Cell(1, col::kCpu), "");
  // 3725.9 seconds count as 3726 in the statistics.
  ASSERT_EQ(log.stats.Entries().size(), 2u);
  EXPECT_EQ(log.stats.Entries()[0].counts.cpuSeconds[kStatGood], 3726u);
  EXPECT_EQ(log.stats.Entries()[1].counts.workUnits[kStatZero], 1u);
}

TEST_F(HistoryReaderTest, SemicolonLogWithDecimalCommas) {
  std::string header = logs::kBoincCsvHeader;
  for (char& c : header) {
    if (c == ',')
      c = ';';
  }
  const std::string text =
      header + "\r\n" + LogRow({{"project_name", "a,b"}, {"cpu", "12,5"}, {"p_fpops", "1,5"}}, ';');
  const HistoryLog log = Read(text);
  ASSERT_EQ(log.table.RowCount(), 1u);
  EXPECT_EQ(log.table.Cell(0, 8), "1.5");
  EXPECT_EQ(log.table.Cell(0, col::kProject), "a.b");
  EXPECT_EQ(log.table.Cell(0, col::kCpu), "00:00:12");
  EXPECT_EQ(log.stats.Entries()[0].counts.cpuSeconds[kStatGood], 12u);  // 12.5: halves to even
}

TEST_F(HistoryReaderTest, ColumnsInAnotherOrderOrMissing) {
  const std::string text =
      "\"cpu\",\"result_name\",\"project_name\",\"unknown\",\"date\"\r\n"
      "\"60\",\"r1\",\"P\",\"x\",\"2024.01.02 03:04:05\"";
  const HistoryLog log = Read(text);
  ASSERT_EQ(log.table.RowCount(), 1u);
  EXPECT_EQ(log.table.Cell(0, kDate), "2024.01.02 03:04:05");
  EXPECT_EQ(log.table.Cell(0, col::kProject), "P");
  EXPECT_EQ(log.table.Cell(0, kResultName), "r1");
  EXPECT_EQ(log.table.Cell(0, col::kCpu), "00:01:00");
  EXPECT_EQ(log.table.Cell(0, kVendor), "");
}

TEST_F(HistoryReaderTest, FewerThanThreeMatchedColumnsGiveNoRows) {
  EXPECT_EQ(Read("\"date\",\"cpu\",\"other\"\r\n\"x\",\"1\",\"y\"").table.RowCount(), 0u);
  EXPECT_EQ(Read("\"date\",\"cpu\",\"error\"\r\n\"x\",\"1\",\"false\"").table.RowCount(), 1u);
}

TEST_F(HistoryReaderTest, FirstLineWithManyDigitsIsNoHeader) {
  // A log without header: its first row is not taken for one.
  const std::string row = LogRow({{"project_name", "P"},
                                  {"p_fpops", "1234567890"},
                                  {"p_iops", "1234567890"},
                                  {"d_total", "123456789012"}});
  EXPECT_EQ(Read(row + "\r\n" + row).table.RowCount(), 0u);
  // Header names never matched exactly (case counts) are no header either.
  EXPECT_EQ(Read("\"DATE\",\"CPU\",\"ERROR\"\r\n\"x\",\"1\",\"false\"").table.RowCount(), 0u);
}

TEST_F(HistoryReaderTest, MissingOrEmptyFileOrHeaderOnly) {
  EXPECT_EQ(ReadHistoryLog(dir_.path() + "none.csv", {}).table.RowCount(), 0u);
  EXPECT_EQ(Read("").table.RowCount(), 0u);
  const HistoryLog headerOnly = Read(logs::kBoincCsvHeader);
  EXPECT_EQ(headerOnly.table.RowCount(), 0u);
  EXPECT_EQ(headerOnly.table.Header().size(), kHistoryColumnCount);
}

TEST_F(HistoryReaderTest, TimeColumnsInLocalTime) {
  const test::ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
  constexpr long long k2006 = 1136073600;      // 2006-01-01 00:00 UTC
  constexpr long long kJuly2006 = 1151712000;  // 2006-07-01 00:00 UTC
  const HistoryLog log = Read(LogText({
      LogRow({{"last_update", std::to_string(k2006)},
              {"user_create_time", std::to_string(kJuly2006) + ".4"},
              {"host_create_time", "0"},
              {"exp_avg_mod_time", "not a time"},
              {"deadline", "1136073600"},
              {"project_name", "P"}}),
  }));
  ASSERT_EQ(log.table.RowCount(), 1u);
  EXPECT_EQ(log.table.Cell(0, kLastUpdate), "2005.12.31 19:00:00");
  EXPECT_EQ(log.table.Cell(0, kUserCreateTime), "2006.06.30 20:00:00");  // daylight time
  EXPECT_EQ(log.table.Cell(0, 33), "");                                  // 0 stays empty
  EXPECT_EQ(log.table.Cell(0, 35), "");                                  // no number
  EXPECT_EQ(log.table.Cell(0, kDeadline), "2005.12.31 19:00:00");
}

TEST_F(HistoryReaderTest, DeadlinesSortByTime) {
  // As text, the seconds of 2001 (nine digits) would sort after those of 2006.
  const HistoryLog log = Read(LogText({
      LogRow({{"project_name", "P"}, {"deadline", "1700000000"}}),
      LogRow({{"project_name", "P"}, {"deadline", "999999999"}}),
      LogRow({{"project_name", "P"}, {"deadline", ""}}),
      LogRow({{"project_name", "P"}, {"deadline", "1136073600"}}),
  }));
  std::vector<std::uint32_t> order{0, 1, 2, 3};
  SortRowsByColumn(log.table, kDeadline, order);
  EXPECT_EQ(order, (std::vector<std::uint32_t>{2, 1, 3, 0}));
}

TEST_F(HistoryReaderTest, HostsDifferingInCaseBecomeOneLowerCaseHost) {
  const HistoryLog log = Read(LogText({
      LogRow({{"project_name", "P"}, {"domain_name", "MyHost"}, {"cpu", "10"}}),
      LogRow({{"project_name", "p"}, {"domain_name", "myhost"}, {"cpu", "20"}}),
      LogRow({{"project_name", "P"}, {"domain_name", "MYHOST"}, {"cpu", "30"}}),
  }));
  EXPECT_EQ(log.table.Cell(0, col::kHost), "myhost");
  EXPECT_EQ(log.table.Cell(2, col::kHost), "myhost");
  EXPECT_EQ(log.hosts, std::vector<std::string>{"myhost"});
  // Projects keep their spelling; the menu holds the first spelling once.
  EXPECT_EQ(log.table.Cell(1, col::kProject), "p");
  EXPECT_EQ(log.projects, std::vector<std::string>{"P"});
  // The statistics group them the same way, under the same spelling.
  ASSERT_EQ(log.stats.Entries().size(), 1u);
  EXPECT_EQ(log.stats.Entries()[0].project, "P");
  EXPECT_EQ(log.stats.Entries()[0].counts.workUnits[kStatGood], 3u);
  EXPECT_EQ(log.stats.Entries()[0].counts.cpuSeconds[kStatGood], 60u);
}

TEST_F(HistoryReaderTest, MenusAreSortedWithoutCaseAndSkipEmptyNames) {
  const HistoryLog log = Read(LogText({
      LogRow({{"project_name", "rosetta"}, {"domain_name", "b"}}),
      LogRow({{"project_name", "Einstein"}, {"domain_name", "A"}}),
      LogRow({{"project_name", ""}, {"domain_name", ""}}),
      LogRow({{"project_name", "Climate"}, {"domain_name", "b"}}),
  }));
  EXPECT_EQ(log.projects, (std::vector<std::string>{"Climate", "Einstein", "rosetta"}));
  EXPECT_EQ(log.hosts, (std::vector<std::string>{"a", "b"}));
}

TEST_F(HistoryReaderTest, SynonymsRenameProjectsApplicationsAndHosts) {
  Synonyms synonyms;
  synonyms.AddProject("SETI@home", "SETI");
  synonyms.AddApplication("setiathome_enhanced", "Enhanced");
  synonyms.AddHost("box", "Workstation");
  const HistoryLog log = Read(LogText({LogRow({{"project_name", "SETI@home"},
                                               {"app_name", "setiathome_enhanced"},
                                               {"domain_name", "BOX"}})}),
                              synonyms);
  EXPECT_EQ(log.table.Cell(0, col::kProject), "SETI");
  EXPECT_EQ(log.table.Cell(0, col::kApplication), "Enhanced");
  EXPECT_EQ(log.table.Cell(0, col::kHost), "workstation");
  EXPECT_EQ(log.stats.Entries()[0].project, "SETI");
  EXPECT_EQ(log.stats.Entries()[0].host, "workstation");
}

TEST_F(HistoryReaderTest, SynonymsFileIsReadWithoutRegardToCase) {
  const std::string path = dir_.Write(
      "Synonyms.ini", "[Projects]\r\nseti@home=SETI\r\n[Hosts]\r\nbox=Main\r\n[Applications]\r\n");
  const Synonyms synonyms = Synonyms::Load(path);
  EXPECT_EQ(synonyms.Project("SETI@HOME"), "SETI");
  EXPECT_EQ(synonyms.Project("Other"), "Other");
  EXPECT_EQ(synonyms.Host("Box"), "main");
  EXPECT_EQ(synonyms.Application("app"), "app");
  EXPECT_EQ(Synonyms::Load(dir_.path() + "missing.ini").Project("x"), "x");
}

TEST_F(HistoryReaderTest, ErrorFlagInAnyCase) {
  const HistoryLog log = Read(LogText({
      LogRow({{"project_name", "P"}, {"cpu", "100"}, {"error", "TRUE"}}),
      LogRow({{"project_name", "P"}, {"cpu", "100"}, {"error", "True"}}),
      LogRow({{"project_name", "P"}, {"cpu", "100"}, {"error", "false"}}),
      LogRow({{"project_name", "P"}, {"cpu", "100"}, {"error", "TRUE1"}}),
  }));
  const StatCounts& counts = log.stats.Entries()[0].counts;
  EXPECT_EQ(counts.workUnits[kStatError], 2u);
  EXPECT_EQ(counts.workUnits[kStatGood], 2u);
}

TEST_F(HistoryReaderTest, RowsOfLogsWithLfOnlyAndTrailingLineBreak) {
  const std::string text = std::string(logs::kBoincCsvHeader) + "\n" +
                           LogRow({{"project_name", "A"}}) + "\n" +
                           LogRow({{"project_name", "B"}}) + "\n";
  const HistoryLog log = Read(text);
  ASSERT_EQ(log.table.RowCount(), 2u);
  EXPECT_EQ(log.table.Cell(1, col::kProject), "B");
}

TEST_F(HistoryReaderTest, LastRowIsTakenOnlyWhenWhole) {
  // The logger writes the line break first, so a row it is still writing ends the file short.
  const std::string whole = LogRow({{"project_name", "A"}, {"cpu", "10"}});
  const std::string next = LogRow({{"project_name", "B"}, {"cpu", "20"}});
  const std::string started = LogText({whole}) + "\r\n" + next.substr(0, next.size() / 2);
  EXPECT_EQ(Read(started).table.RowCount(), 1u);
  EXPECT_EQ(Read(LogText({whole, next})).table.RowCount(), 2u);
  // A short row that a line break closes is an old row, not one being written.
  EXPECT_EQ(Read(started + "\r\n").table.RowCount(), 2u);
}

// Everything a reading gives, as text: the cells, the statistics in their order, the tree built
// from them and the menus.
std::vector<std::string> Everything(const HistoryLog& log) {
  std::vector<std::string> lines;
  for (std::size_t row = 0; row < log.table.RowCount(); ++row) {
    std::string line;
    for (std::size_t column = 0; column < log.table.ColumnCount(); ++column)
      line.append(log.table.Cell(row, column)).append("|");
    lines.push_back(line);
  }
  const auto counts = [](const StatCounts& c) {
    std::string text;
    for (std::size_t k = 0; k < c.workUnits.size(); ++k)
      text += " " + std::to_string(c.workUnits[k]) + "/" + std::to_string(c.cpuSeconds[k]);
    return text;
  };
  for (const StatEntry& e : log.stats.Entries())
    lines.push_back(e.project + "|" + e.application + "|" + e.host + "|" + e.version +
                    counts(e.counts));
  TStatArray sorted = log.stats;
  sorted.SortStats();
  for (const StatNode& node : BuildStatTree(sorted.Entries()).nodes)
    lines.push_back(std::to_string(static_cast<int>(node.level)) + node.name + counts(node.counts));
  for (const auto* menu : {&log.projects, &log.hosts}) {
    for (const std::string& name : *menu)
      lines.push_back("menu " + name);
  }
  return lines;
}

std::string WithSeparator(std::string text, char separator) {
  for (char& c : text) {
    if (c == ',')
      c = separator;
  }
  return text;
}

std::string WithLineBreak(std::string text, const std::string& lineBreak) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text.compare(at, 2, "\r\n") == 0) {
      out += lineBreak;
      ++at;
    } else {
      out += text[at];
    }
  }
  return out;
}

// Read in parts on several threads, a log gives exactly what one pass over it gives, wherever
// the parts begin; some part starts fall inside a quoted field that holds a line break.
TEST_F(HistoryReaderTest, PartsGiveWhatOnePassGives) {
  Synonyms synonyms;
  synonyms.AddProject("SETI@home", "SETI");
  synonyms.AddApplication("astropulse", "AP");
  synonyms.AddHost("box", "Workstation");
  std::vector<std::string> rows;
  for (int i = 0; i < 12; ++i) {
    rows.push_back(LogRow({{"project_name", i % 3 == 0   ? "SETI@home"
                                            : i % 3 == 1 ? "seti@HOME"
                                                         : ""},
                           {"app_name", i % 2 ? "astropulse" : "x, y"},
                           {"domain_name", i % 4 ? "BOX" : "Other"},
                           {"app_version", std::to_string(i % 3)},
                           {"cpu", std::to_string(i * 1000) + ".5"},
                           {"last_update", std::to_string(1600000000 + i)},
                           {"error", i % 5 ? "false" : "TRUE"},
                           {"result_name", "r" + std::to_string(i)}}));
  }
  const std::string text = LogText(rows);
  const std::string semicolon = std::string(WithSeparator(logs::kBoincCsvHeader, ';')) + "\r\n" +
                                LogRow({{"project_name", "A"}, {"cpu", "12,5"}}, ';') + "\r\n" +
                                LogRow({{"project_name", "B"}, {"cpu", "1,5"}}, ';');
  const std::string quotedBreak =
      LogText({LogRow({{"project_name", "A"}, {"error_txt", "one\r\ntwo, \"three\""}}),
               LogRow({{"project_name", "B"}, {"error_txt", "\r\n\r\n"}})});
  const struct {
    const char* name;
    std::string text;
  } logsToRead[] = {
      {"rows", text},
      {"LF only", WithLineBreak(text, "\n") + "\n"},
      {"CR only", WithLineBreak(text, "\r")},
      {"byte-order mark", "\xEF\xBB\xBF" + text},
      {"semicolons", semicolon},
      {"one row", LogText({rows[0]})},
      {"line breaks in quotes", quotedBreak},
      {"empty lines", WithLineBreak(text, "\r\n\r\n\n")},
  };
  for (const auto& log : logsToRead) {
    const std::string path = dir_.Write("boinc.csv", log.text);
    const std::vector<std::string> onePass = Everything(ReadHistoryLog(path, synonyms, 1));
    ASSERT_GT(onePass.size(), 2u) << log.name;
    for (std::size_t parts = 2; parts <= log.text.size(); parts += 1 + parts / 4) {
      EXPECT_EQ(Everything(ReadHistoryLog(path, synonyms, parts)), onePass)
          << log.name << " in " << parts << " parts";
    }
  }
}

// Logs saved back from a spreadsheet start with a byte-order mark, and some with a carriage
// return alone at each line end: both read as the log the program wrote.
TEST_F(HistoryReaderTest, ByteOrderMarkAndCarriageReturnsAlone) {
  const std::string text =
      LogText({LogRow({{"date", "2024.01.02 03:04:05"}, {"project_name", "A"}}),
               LogRow({{"date", "2024.01.03 03:04:05"}, {"project_name", "B"}})});
  const std::vector<std::string> written = Everything(Read(text));
  ASSERT_EQ(Read(text).table.Cell(0, kDate), "2024.01.02 03:04:05");
  EXPECT_EQ(Everything(Read("\xEF\xBB\xBF" + text)), written);
  EXPECT_EQ(Everything(Read(WithLineBreak(text, "\r"))), written);
}

}  // namespace
}  // namespace tessarin
