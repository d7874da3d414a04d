#include "core/watcher/work_unit_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/data/log_files.h"
#include "core/tools/csv.h"
#include "core/tools/date_time.h"
#include "core/watcher/logged_results.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

// The shared block of the fixture's host and project, as every row carries it.
const std::string kBlock =
    "\"alpha\",4,,,2000000000,,,,\"Linux\",,,,,,,0.980000,,0.900000,,,,\"Alice\",,,,,77,,,,,,";

std::string Uploaded(const std::string& extra = "") {
  return ClientStateXml(
      ProjectXml(kOtherUrl, "Other@Home") +
      WorkunitXml("wu_one", "otherapp", "512", "60000000000.000000", {"wu_one.in"}) +
      ResultXml("wu_one_0", "wu_one", 5, "wu_one_0_r1_0", extra));
}

int Rows(const std::string& log) {
  int breaks = 0;
  for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 1)) {
    ++breaks;
  }
  return breaks;
}

TEST(WorkUnitLog, NewLogGetsHeaderAndOneRowAndTheLoggerThePrefix) {
  WatcherFixture f;
  f.WriteState(Uploaded());
  const CycleOutcome outcome = f.Cycle();

  const std::string date = "\"" + FormatLogDate(f.test.clock.Now()) + "\",";
  const std::string after =
      "1797304121,\"home\",7.20,1.52,5.12,\"wu_one\",\"wu_one_0_r1_0\",59.808510,60000000000,";
  EXPECT_EQ(f.ReadLog("boinc.csv"), std::string(logs::kBoincCsvHeader) + "\r\n" + date +
                                        "\"Other@Home\",\"otherapp\"," + kBlock + after + "false,");
  ASSERT_EQ(f.loggers.calls.size(), 1u);
  const RecordingLogger::Call& call = f.loggers.calls[0];
  EXPECT_EQ(call.kind, ProjectKind::kOther);
  EXPECT_EQ(call.prefix, date + kBlock + after + "false,");
  EXPECT_EQ(std::count(call.prefix.begin(), call.prefix.end(), ','), 43);
  EXPECT_EQ(call.resultFileName, "wu_one_0_r1_0");
  EXPECT_EQ(call.wuName, "wu_one");
  ASSERT_FALSE(outcome.sounds.empty());
  EXPECT_EQ(outcome.sounds.front(), "FinishedWU");
}

TEST(WorkUnitLog, ComputeErrorRowCarriesTheCleanedErrorText) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(
      ProjectXml(kOtherUrl, "Other@Home") +
      ResultXml("wu_two_0", "wu_two", 3, "wu_two_0_0",
                "<message>process \"exited\"\r\n with code 1</message>\n"
                "<stderr_out><![CDATA[\n<stderr_txt>\nline one\nline \"two\"\n</stderr_txt>\n]]>"
                "</stderr_out>\n")));
  f.Cycle();
  const std::string log = f.ReadLog("boinc.csv");
  const std::string ending = ",true,\"process exited  with code 1; line one line two\"";
  ASSERT_GE(log.size(), ending.size());
  EXPECT_EQ(log.substr(log.size() - ending.size()), ending);
}

TEST(WorkUnitLog, ResultIsLoggedOnceAcrossCyclesAndRestarts) {
  WatcherFixture f;
  f.WriteState(Uploaded());
  f.Cycle();
  const CycleOutcome second = f.Cycle();
  EXPECT_TRUE(std::find(second.sounds.begin(), second.sounds.end(), "FinishedWU") ==
              second.sounds.end());
  f.Restart();
  f.Cycle();
  EXPECT_EQ(Rows(f.ReadLog("boinc.csv")), 1);
}

// Fields of a CSV line, commas inside double quotes not counting.
int QuotedAwareFields(const std::string& line) {
  int fields = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      ++fields;
  }
  return fields;
}

TEST(WorkUnitLog, HostileClientValuesGiveOneWholeRowThatIsFoundAgainAfterARestart) {
  const std::string nul(1, '\0');
  const std::pair<std::string, std::string> cases[] = {
      {"<on_frac>0.980000</on_frac>", "<on_frac>0,98</on_frac>"},
      {"<p_ncpus>4</p_ncpus>", "<p_ncpus>2\r\n\"x\",3</p_ncpus>"},
      {"<hostid>77</hostid>", "<hostid>7" + nul + "7</hostid>"},
      {"<version_num>512</version_num>", "<version_num>5,1\n2</version_num>"},
      {"<final_cpu_time>59.808510</final_cpu_time>", "<final_cpu_time>59,8\"</final_cpu_time>"},
      {"wu_one_0_r1_0", " wu_\"one\"_0_r1_0 "},
      {"wu_one_0_r1_0", "wu_one_0\r\n_r1_0"},
      {"wu_one_0_r1_0", "wu_one_0" + nul + "_r1_0"},
      {"Other@Home", "Other" + nul + "@Home"},
  };
  for (const auto& [from, to] : cases) {
    WatcherFixture f;
    std::string state = Uploaded();
    for (std::size_t at = state.find(from); at != std::string::npos;
         at = state.find(from, at + to.size())) {
      state.replace(at, from.size(), to);
    }
    f.WriteState(state);
    f.Cycle();
    f.Cycle();
    f.Restart();
    f.Cycle();
    const std::string log = f.ReadLog("boinc.csv");
    EXPECT_EQ(log.find('\0'), std::string::npos) << to;
    ASSERT_EQ(Rows(log), 1) << to;
    const std::string row = log.substr(log.find("\r\n") + 2);
    EXPECT_EQ(row.find_first_of("\r\n"), std::string::npos) << to;
    EXPECT_EQ(QuotedAwareFields(row), 46) << to;
    // Names that are no plain file name reach no project logger.
    if (!f.loggers.calls.empty()) {
      EXPECT_EQ(QuotedAwareFields(f.loggers.calls[0].prefix), 44) << to;  // 43 and the last ','
    }
    EXPECT_EQ(f.test.dir.Read("Tessarin.ini").find('\0'), std::string::npos) << to;
  }
}

TEST(WorkUnitLog, RowInTheFileCountsOnlyWithTheSameLetterCase) {
  WatcherFixture f;
  const std::string header = logs::kBoincCsvHeader;
  std::string other(45, ',');
  other.insert(41, "\"WU_ONE_0_R1_0\"");
  f.test.dir.Write("logs/boinc.csv", header + "\r\n" + other);
  f.WriteState(Uploaded());
  f.Cycle();
  EXPECT_EQ(Rows(f.ReadLog("boinc.csv")), 2);
}

TEST(WorkUnitLog, AFailedProjectLoggerIsAskedAgainUntilItSucceedsAndTheRowStaysSingle) {
  WatcherFixture f;
  f.loggers.fail = true;
  f.WriteState(Uploaded());
  f.Cycle();
  f.Cycle();
  EXPECT_EQ(f.test.ExceptionCount("LogWU - sah_boinc.csv locked"), 2);
  f.loggers.fail = false;
  f.Cycle();
  f.Cycle();
  EXPECT_EQ(Rows(f.ReadLog("boinc.csv")), 1);
  EXPECT_EQ(f.loggers.calls.size(), 1u);  // the one that succeeded; then the name is cached
}

TEST(WorkUnitLog, AProjectRowOwedIsWrittenAfterTheResultLeftTheClientAndARestart) {
  WatcherFixture f;
  f.loggers.fail = true;
  f.WriteState(Uploaded());
  f.Cycle();
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home")));  // reported and gone
  f.Restart();
  f.Cycle();
  ASSERT_TRUE(f.loggers.calls.empty());
  f.loggers.fail = false;
  f.Cycle();
  f.Cycle();
  ASSERT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_EQ(f.loggers.calls[0].resultFileName, "wu_one_0_r1_0");
  EXPECT_EQ(f.loggers.calls[0].wuName, "wu_one");
  EXPECT_EQ(f.loggers.calls[0].prefix.substr(f.loggers.calls[0].prefix.size() - 6), "false,");
  EXPECT_EQ(Rows(f.ReadLog("boinc.csv")), 1);
  EXPECT_TRUE(f.env.settings.ReadSection("ProjectLogsDue").empty());

  // One that can never be written (its copies are gone for good) is given up after a week.
  f.loggers.fail = true;
  f.WriteState(Uploaded().replace(Uploaded().find("wu_one_0_r1_0"), 13, "wu_one_0_r2_0"));
  f.Cycle();
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home")));
  f.test.clock.Advance(6 * 86400);
  f.Cycle();
  EXPECT_EQ(f.env.settings.ReadSection("ProjectLogsDue").size(), 1u);
  f.test.clock.Advance(2 * 86400);
  f.Cycle();
  EXPECT_TRUE(f.env.settings.ReadSection("ProjectLogsDue").empty());
  EXPECT_EQ(f.test.ExceptionCount("LogWU - Project log row given up after 7 days"), 1);
}

TEST(WorkUnitLog, EmptyLogFileGetsTheHeaderToo) {
  WatcherFixture f;
  f.test.dir.Write("logs/boinc.csv", "");
  f.WriteState(Uploaded());
  f.Cycle();
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_EQ(log.rfind(logs::kBoincCsvHeader, 0), 0u);
  EXPECT_EQ(Rows(log), 1);
  f.Cycle();
  EXPECT_EQ(Rows(f.ReadLog("boinc.csv")), 1);
}

TEST(WorkUnitLog, UnreadableLogSkipsTheResultUntilItCanBeRead) {
  WatcherFixture f;
  f.test.dir.MakeDir("logs/boinc.csv");
  f.WriteState(Uploaded());
  f.Cycle();
  const std::string path = f.env.logDir + "boinc.csv";
  EXPECT_EQ(f.test.ExceptionCount("AlreadyLogged - " + path + " - Is a directory"), 1);
  EXPECT_TRUE(f.loggers.calls.empty());

  std::filesystem::remove(path);
  f.Cycle();
  EXPECT_EQ(Rows(f.ReadLog("boinc.csv")), 1);
}

TEST(WorkUnitLog, LockedLogAnswersLogged) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "root reads every file";
  TestEnvironment t;
  const std::string path = t.dir.Write("logs/boinc.csv", std::string(logs::kBoincCsvHeader));
  ::chmod(path.c_str(), 0);
  LoggedResults logged;
  EXPECT_TRUE(AlreadyLogged(logged, "r_0", path, t.exceptions));
  EXPECT_EQ(t.ExceptionCount("AlreadyLogged - " + path + " - Permission denied"), 1);
  ::chmod(path.c_str(), 0644);
  EXPECT_FALSE(AlreadyLogged(logged, "r_0", path, t.exceptions));
}

TEST(AlreadyLogged, FileMatchIsExactAndTheCacheIgnoresCase) {
  TestEnvironment t;
  const std::string path =
      t.dir.Write("logs/boinc.csv", "\"date\",\"result_name\"\r\n\"d\",\"Abc_0\"\r\n\"d\",\"x_0\"");
  LoggedResults logged;
  EXPECT_FALSE(AlreadyLogged(logged, "abc_0", path, t.exceptions));
  EXPECT_TRUE(AlreadyLogged(logged, "Abc_0", path, t.exceptions));
  EXPECT_TRUE(AlreadyLogged(logged, "x_0", path, t.exceptions));
  std::filesystem::remove(path);
  // Only LogWU fills the cache, once the project logger had its turn too.
  EXPECT_FALSE(AlreadyLogged(logged, "ABC_0", path, t.exceptions));
  logged.Add(LoggedText("Abc_0"));
  EXPECT_TRUE(AlreadyLogged(logged, "ABC_0", path, t.exceptions));
  EXPECT_FALSE(AlreadyLogged(logged, "other_0", path, t.exceptions));
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST(AlreadyLogged, HeaderWithoutResultNameAnswersNoAndSaysSoEveryTime) {
  TestEnvironment t;
  const std::string path = t.dir.Write("logs/boinc.csv", "\"date\",\"wu_name\"\r\n\"d\",\"r_0\"");
  LoggedResults logged;
  EXPECT_FALSE(AlreadyLogged(logged, "r_0", path, t.exceptions));
  EXPECT_FALSE(AlreadyLogged(logged, "r_0", path, t.exceptions));
  EXPECT_EQ(t.ExceptionCount("AlreadyLogged - No result name field"), 2);
}

TEST(AlreadyLogged, SemicolonHeaderLocatesTheColumn) {
  TestEnvironment t;
  const std::string path =
      t.dir.Write("logs/boinc.csv", "\"a\";\"b\";\"result_name\"\r\nx,y,\"r_0\"");
  LoggedResults logged;
  EXPECT_TRUE(AlreadyLogged(logged, "r_0", path, t.exceptions));
}

TEST(AlreadyLogged, FollowsRowsAppendedByAnyWriter) {
  TestEnvironment t;
  const std::string path = t.dir.Write("logs/boinc.csv", "\"date\",\"result_name\"\r\n\"d\",\"ab");
  LoggedResults logged;
  EXPECT_FALSE(AlreadyLogged(logged, "abcd_0", path, t.exceptions));
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << "cd_0\"\r\n\"d\",\"next_0\"";
  }
  EXPECT_TRUE(AlreadyLogged(logged, "abcd_0", path, t.exceptions));
  EXPECT_TRUE(AlreadyLogged(logged, "next_0", path, t.exceptions));
  EXPECT_FALSE(AlreadyLogged(logged, "ab", path, t.exceptions));
}

TEST(AlreadyLogged, ReadsAgainWhenTheFileIsRewrittenReplacedOrShrinks) {
  TestEnvironment t;
  const std::string path = t.dir.Write("logs/boinc.csv", "\"result_name\"\r\n\"old_0\"\r\n\"x\"");
  LoggedResults logged;
  EXPECT_FALSE(AlreadyLogged(logged, "new_0", path, t.exceptions));

  // Rewritten in place, longer, with the column moved: the old positions mean nothing now.
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "\"date\",\"result_name\"\r\n\"d\",\"moved_0\"\r\n\"d\",\"x\"";
  }
  EXPECT_TRUE(AlreadyLogged(logged, "moved_0", path, t.exceptions));

  // Replaced by a shorter file.
  const std::string replacement = t.dir.Write("logs/new.csv", "\"result_name\"\r\n\"b_0\"");
  std::rename(replacement.c_str(), path.c_str());
  EXPECT_FALSE(AlreadyLogged(logged, "old_0", path, t.exceptions));
  EXPECT_TRUE(AlreadyLogged(logged, "b_0", path, t.exceptions));
}

}  // namespace
}  // namespace tessarin::test
