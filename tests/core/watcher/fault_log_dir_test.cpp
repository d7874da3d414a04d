// The log directory failing under a running program: full, read-only, or boinc.csv replaced
// by a directory. After each fault the rows already logged are untouched, the fault is counted
// and the next cycle logs what was missed, once.
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <filesystem>

#include "core/data/log_files.h"
#include "support/fault_support.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

std::string Finished(const std::string& wu) {
  return WorkunitXml(wu, "app", "101", "1e12", {}) + ResultXml(wu + "_0", wu, 5, wu + "_0_0");
}

std::string StateWith(const std::vector<std::string>& wus) {
  std::string body = ProjectXml(kOtherUrl, "Other@Home");
  for (const std::string& wu : wus)
    body += Finished(wu);
  return ClientStateXml(body);
}

bool PlayedFinished(const CycleOutcome& outcome) {
  for (const std::string& sound : outcome.sounds) {
    if (sound == "FinishedWU")
      return true;
  }
  return false;
}

class LogDirFault : public ::testing::Test {
 protected:
  LogDirFault() {
    f.test.dir.MakeDir("logs");
    f.WriteState(StateWith({"first"}));
    f.Cycle();
    before = f.ReadLog(logs::kBoincCsv);
    // Every fault below strikes while the second result is being logged.
    f.WriteState(StateWith({"first", "second"}));
  }

  std::string CsvPath() const { return f.env.logDir + logs::kBoincCsv; }

  // The next cycle without the fault adds exactly the second row to what was there.
  void ExpectRecovery() {
    const CycleOutcome outcome = f.Cycle();
    EXPECT_TRUE(PlayedFinished(outcome));
    const std::string after = f.ReadLog(logs::kBoincCsv);
    ASSERT_EQ(after.substr(0, before.size()), before);
    const std::vector<std::string> lines = LogLines(after);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[2].find("\"second_0_0\""), std::string::npos);
    EXPECT_EQ(Occurrences(after, "\"first_0_0\""), 1);
    EXPECT_EQ(Occurrences(after, "\"second_0_0\""), 1);
  }

  WatcherFixture f;
  std::string before;
};

TEST_F(LogDirFault, ARowCutShortByAFullDiskIsTakenBackAndWrittenWholeNextCycle) {
  ASSERT_EQ(LogLines(before).size(), 2u);
  {
    // Room for a few bytes of the row, as when the disk fills in the middle of it.
    FileSizeLimit full(before.size() + 40);
    const CycleOutcome outcome = f.Cycle();
    EXPECT_FALSE(PlayedFinished(outcome));
  }
  // A partial row would hold the first columns of "second"; none is left behind.
  EXPECT_EQ(f.ReadLog(logs::kBoincCsv), before);
  EXPECT_EQ(f.test.ExceptionCount("LogWU - " + CsvPath() + " - File too large"), 1);
  ExpectRecovery();
}

TEST_F(LogDirFault, ResultsThatLeaveTheClientWhileTheDiskIsFullAreLoggedOnceThereIsRoom) {
  // The limit binds this process's writes too, so the client state is written outside it.
  const auto cycleWhileFull = [&] {
    FileSizeLimit full(before.size());
    return f.Cycle();
  };
  cycleWhileFull();
  f.WriteState(StateWith({"first", "third"}));  // "second" reported meanwhile
  cycleWhileFull();
  f.WriteState(StateWith({"first"}));
  // Both rows are owed; the first failed write ends the retries of the cycle.
  const std::string tooLarge = "LogWU - " + CsvPath() + " - File too large";
  const int failedBefore = f.test.ExceptionCount(tooLarge);
  cycleWhileFull();
  EXPECT_EQ(f.test.ExceptionCount(tooLarge), failedBefore + 1);
  EXPECT_EQ(f.env.settings.ReadSection("BoincRowsDue").size(), 2u);
  const std::size_t callsBefore = f.loggers.calls.size();
  EXPECT_TRUE(PlayedFinished(f.Cycle()));
  f.Cycle();
  const std::string log = f.ReadLog(logs::kBoincCsv);
  EXPECT_EQ(log.substr(0, before.size()), before);
  EXPECT_EQ(LogLines(log).size(), 4u);
  for (const char* name : {"\"first_0_0\"", "\"second_0_0\"", "\"third_0_0\""})
    EXPECT_EQ(Occurrences(log, name), 1) << name;
  EXPECT_EQ(f.loggers.calls.size(), callsBefore + 2);
}

TEST_F(LogDirFault, ARowThatWouldEndExactlyAtTheLimitFailsWithNothingWritten) {
  {
    FileSizeLimit full(before.size());
    f.Cycle();
  }
  EXPECT_EQ(f.ReadLog(logs::kBoincCsv), before);
  EXPECT_EQ(f.test.ExceptionCount("LogWU - " + CsvPath() + " - File too large"), 1);
  ExpectRecovery();
}

TEST_F(LogDirFault, AReadOnlyLogIsLeftAloneAndTheResultWaits) {
  ASSERT_EQ(::chmod(CsvPath().c_str(), 0444), 0);
  {
    PermissionsEnforced enforced;
    if (!enforced.Works(CsvPath())) {
      ::chmod(CsvPath().c_str(), 0644);
      GTEST_SKIP() << "this process writes read-only files all the same";
    }
    const CycleOutcome outcome = f.Cycle();
    EXPECT_FALSE(PlayedFinished(outcome));
  }
  EXPECT_EQ(f.ReadLog(logs::kBoincCsv), before);
  EXPECT_EQ(f.test.ExceptionCount("LogWU - " + CsvPath() + " - Permission denied"), 1);
  ASSERT_EQ(::chmod(CsvPath().c_str(), 0644), 0);
  ExpectRecovery();
}

TEST_F(LogDirFault, ALogReplacedByADirectoryIsNeitherReadNorWritten) {
  fs::rename(CsvPath(), CsvPath() + ".away");
  fs::create_directory(CsvPath());
  const CycleOutcome outcome = f.Cycle();
  EXPECT_FALSE(PlayedFinished(outcome));
  EXPECT_TRUE(fs::is_empty(CsvPath()));
  EXPECT_GE(ExceptionsStartingWith(f.test.ExceptionKeys(), "AlreadyLogged - " + CsvPath()), 1);

  fs::remove(CsvPath());
  fs::rename(CsvPath() + ".away", CsvPath());
  ExpectRecovery();
}

TEST_F(LogDirFault, ALogThatVanishesIsStartedAfreshWithoutTheRowsItHeld) {
  // The user moved the log away: the next cycle writes a new one with the header, and results
  // still in the client state are logged into it (the cache remembers nothing written by
  // this run, so nothing is lost).
  fs::remove(CsvPath());
  f.Cycle();
  const std::vector<std::string> lines = LogLines(f.ReadLog(logs::kBoincCsv));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], LogLines(before)[0]);
}

TEST_F(LogDirFault, ALogDirectoryPutBackGetsWhatWasLoggedWhileItWasAway) {
  // A disk that was not mounted comes back over the directory made in its place: the rows
  // written there are hidden, so results still in the client are logged into it again.
  const fs::path dir = fs::path(f.env.logDir).parent_path();
  f.Cycle();
  fs::rename(dir, dir.string() + ".away");
  f.WriteState(StateWith({"first", "second", "third"}));
  f.Cycle();
  f.Cycle();  // long enough for this run to have found its rows again
  fs::rename(dir, dir.string() + ".meanwhile");
  fs::rename(dir.string() + ".away", dir);
  f.Cycle();
  const std::string log = f.ReadLog(logs::kBoincCsv);
  EXPECT_EQ(LogLines(log).size(), 4u);
  for (const char* name : {"\"first_0_0\"", "\"second_0_0\"", "\"third_0_0\""})
    EXPECT_EQ(Occurrences(log, name), 1) << name;
}

}  // namespace
}  // namespace tessarin::test
