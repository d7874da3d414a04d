#include "core/projects/startup_conversions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/data/log_files.h"
#include "core/settings/settings_keys.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> Contents(const test::TempDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir.path() + "logs")) {
    const std::string name = entry.path().filename();
    files[name] = entry.is_regular_file() ? dir.Read("logs/" + name) : "<dir>";
  }
  return files;
}

// An old log directory: a ';' SETI@home log with an integer column written with a
// fraction, and a command-line backup.
void WriteOldDirectory(const test::TempDir& dir) {
  std::string sah = "\"date\";\"p_fpops\";\"wu_name\";\"result_name\";\"bs_score\"";
  for (int k = 1; k <= 6; ++k) {
    sah += "\r\n\"2008.01.0" + std::to_string(k) + " 10:00:00\";1234.5;\"wu" + std::to_string(k) +
           "\";\"wu" + std::to_string(k) + "_0\";" + std::to_string(k);
  }
  dir.Write(std::string("logs/") + logs::kSahCsv, sah);
  dir.Write("logs/A_1_0_command.tess", "--startTime=1 ");
}

TEST(StartupConversionsTest, OldDirectoryIsBroughtUpToDateOnce) {
  test::TestEnvironment t;
  t.settings.Write(settings::kRateScores, true);
  WriteOldDirectory(t.dir);
  ScoreThresholds scores;

  EXPECT_TRUE(RunStartupConversions(t.env, scores).empty());
  const auto after = Contents(t.dir);
  EXPECT_EQ(after.count("A.xml"), 1u);
  EXPECT_EQ(after.count("A_1_0_command.tess"), 0u);
  EXPECT_EQ(after.at("sah_boinc.csv").rfind(logs::kSahHeader, 0), 0u);
  EXPECT_EQ(after.count("sah_boinc.1.5.2.390"), 1u);
  EXPECT_EQ(after.at("boinc.csv").rfind(logs::kBoincCsvHeader, 0), 0u);
  EXPECT_NE(after.at("boinc.csv").find("\"2008.01.06 10:00:00\",\"SETI@home\",\"setiathome\""),
            std::string::npos);
  // No Einstein@Home rows in boinc.csv: no einstein_boinc.csv either.
  EXPECT_EQ(after.count("einstein_boinc.csv"), 0u);
  EXPECT_NEAR(scores.spike.high, 13.0f / 3, 1e-5);  // the scores of the upgraded log

  EXPECT_TRUE(RunStartupConversions(t.env, scores).empty());
  EXPECT_EQ(Contents(t.dir), after);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST(StartupConversionsTest, FailingStepsAreReportedAndTheOthersStillRun) {
  test::TestEnvironment t;
  t.settings.Write(settings::kRateScores, true);
  WriteOldDirectory(t.dir);
  t.dir.MakeDir("logs/A.xml.tmp");                   // the command conversion fails
  t.dir.Write("logs/sah_boinc.1.5.2.390.bak", "?");  // so does the first upgrade
  ScoreThresholds scores;

  const std::vector<std::string> failures = RunStartupConversions(t.env, scores);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0].rfind("ConvertCommandLogs - ", 0), 0u);
  EXPECT_EQ(failures[1].rfind("UpgradeLogFiles - ", 0), 0u);
  EXPECT_EQ(t.ExceptionCount(failures[0]), 1);
  EXPECT_EQ(t.ExceptionCount(failures[1]), 1);
  // The old log stays as it was; the upgrades after it and the scores still ran.
  EXPECT_EQ(t.dir.Read("logs/sah_boinc.csv").rfind("\"date\";", 0), 0u);
  EXPECT_EQ(t.dir.Read("logs/boinc.csv").rfind(logs::kBoincCsvHeader, 0), 0u);
  EXPECT_FALSE(fs::exists(t.dir.path() + "logs/einstein_boinc.csv"));
  EXPECT_NEAR(scores.spike.high, 13.0f / 3, 1e-5);
  EXPECT_EQ(t.dir.Read("logs/A_1_0_command.tess"), "--startTime=1 ");
}

}  // namespace
}  // namespace tessarin
