#include "core/watcher/job_log_import.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/data/log_files.h"
#include "core/watcher/job_log.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

constexpr const char* kLoopUrl = "http://127.0.0.1:39833/loopback/";
constexpr const char* kJobLog = "job_log_127.0.0.1_39833_loopback.txt";

TEST(JobLog, LinesGiveTimeCpuFpopsNameAndExitStatus) {
  const auto line = ParseJobLogLine(
      "1796699391 ue 60.000000 ct 59.808510 fe 60000000000 nm loopback_wu_001_0 et 62.106178 "
      "es 0\r");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->time, 1796699391);
  EXPECT_EQ(line->cpuTime, "59.808510");
  EXPECT_EQ(line->fpopsEst, "60000000000");
  EXPECT_EQ(line->resultName, "loopback_wu_001_0");
  EXPECT_FALSE(line->failed());
  EXPECT_TRUE(ParseJobLogLine("1796699391 nm x_0 es -177")->failed());
  // A keyword of a later client is passed over.
  EXPECT_EQ(ParseJobLogLine("1796699391 zz 1 nm x_0 ct 3")->cpuTime, "3");
  for (const char* bad : {"", "nm x_0", "garbage", "1796699391 ct 5", "-5 nm x_0"})
    EXPECT_FALSE(ParseJobLogLine(bad)) << bad;
}

std::size_t Rows(const std::string& log) {
  return static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
}

// 10,000 tasks the client finished before the program was installed; a few of them the log
// knows already, under their output file names, and one the client still lists.
TEST(JobLogImport, ALongJobLogIsImportedOnceWhateverTheNamesInTheLog) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                              ResultXml("t_9999_0", "t_9999", 5, "t_9999_0_r7_0")));
  std::string lines;
  for (int k = 0; k < 10000; ++k) {
    lines += std::to_string(1700000000 + k) + " ue 60.000000 ct " + std::to_string(k) +
             ".5 fe 60000000000 nm t_" + std::to_string(k) + "_0 et 62.1 es " +
             (k == 7 ? "1" : "0") + "\n";
  }
  f.WriteClientFile(kJobLog, lines + "torn line without a name\n");
  // Rows with nothing but their result_name, column 42.
  std::string log = logs::kBoincCsvHeader;
  for (const char* name : {"t_1_0_r123_0", "t_2_0_0", "t_3_0"})
    log += "\r\n" + std::string(41, ',') + "\"" + name + "\",,,,";
  f.test.dir.Write("logs/boinc.csv", log);

  const JobLogImport first = ImportJobLogs(f.env);
  EXPECT_EQ(first.added, 9996);
  EXPECT_EQ(first.skipped, 4);
  EXPECT_EQ(first.failed, 0);
  log = f.ReadLog("boinc.csv");
  EXPECT_EQ(Rows(log), 3u + 9996u);
  EXPECT_NE(log.find(",\"t_7\",\"t_7_0\",7.5,60000000000,true,"), std::string::npos);
  EXPECT_EQ(log.find("\"t_9999_0\""), std::string::npos);

  const JobLogImport second = ImportJobLogs(f.env);
  EXPECT_EQ(second.added, 0);
  EXPECT_EQ(second.skipped, 10000);
  EXPECT_EQ(f.ReadLog("boinc.csv"), log);
  EXPECT_TRUE(f.test.ExceptionKeys().empty());
}

TEST(JobLogImport, AClientStateCutOffLeavesThatClientsJobLogForLater) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project"), "1e9", false));
  f.WriteClientFile(kJobLog, "1700000000 ct 1 fe 6e10 nm t_1_0 es 0\n");
  const JobLogImport import = ImportJobLogs(f.env);
  EXPECT_EQ(import.added, 0);
  EXPECT_EQ(import.unreadableClients, std::vector<std::string>{f.clientDir});
  EXPECT_EQ(f.ReadLog("boinc.csv"), "");
}

}  // namespace
}  // namespace tessarin::test
