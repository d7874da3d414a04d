#include "core/projects/einstein_logger.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/data/log_files.h"
#include "core/projects/project_log_index.h"
#include "core/settings/settings_keys.h"
#include "core/tools/files.h"
#include "core/tools/text.h"
#include "support/test_environment.h"
#include "zip_fixture.h"

namespace tessarin {
namespace {

// Two detector lists, a coincidence block that comes too early, and every kind of line that
// has to be left out.
const char* const kOutput =
    "1 2 3 4\n"
    "%1\r\n"
    "  100.5   1.0  0.5   12.5  \n"
    "200.25 2.0 -0.25 7\n"
    "300 1 1\n"
    "%coincidences\n"
    "0 0 7\n"
    "%2\n"
    "150.125 0.5 0.1 3.25\n"
    "%coincidences\n"
    "0 0 2.5\n"
    " 1  0   0.1234567890123456789 \n"
    "2 0 9.0\n"
    "0 1 1.0\n"
    "0 0\n"
    "99999999999 0 5\n"
    "0 0 1.5";

const std::string kRow1 =
    R"("r_0",100.5000,3.820,28.65,12.5000,150.1250,1.910,5.73,3.2500,2.5000000000000000)";
const std::string kRow2 =
    R"("r_0",200.2500,7.639,-14.32,7.0000,150.1250,1.910,5.73,3.2500,0.1234567890123457)";
const std::string kRow3 =
    R"("r_0",100.5000,3.820,28.65,12.5000,150.1250,1.910,5.73,3.2500,1.5000000000000000)";

const char* const kDescription =
    "<workunit>\r\n    <name>w</name>\r\n"
    "    <command_line>--startTime=100 --endTime=200 -s 1234.0 -e 1234.5 -x</command_line>\r\n"
    "</workunit>\r\n";

const std::string kPrefix = "\"2026.12.08 13:00:00\",host,p3,false,";

class EinsteinLoggerTest : public ::testing::Test {
 protected:
  std::string LogPath(const std::string& name) const { return t.env.logDir + name; }
  std::string ReadLog(const std::string& name) const { return t.dir.Read("logs/" + name); }
  void WriteBackups() {
    test::WriteZip(LogPath("r_0.tess"), {{"r_0", kOutput}});
    t.dir.Write("logs/w.xml", kDescription);
  }

  test::TestEnvironment t;
  CycleFlags flags;
  ProjectLogIndex index;
};

TEST(ReadStreamLineTest, SplitsAtLineFeedsAndDropsEveryCarriageReturn) {
  const std::string data = "a\r\nb\rc\n\nlast";
  std::size_t position = 0;
  EXPECT_EQ(ReadStreamLine(data, position), "a");
  EXPECT_EQ(ReadStreamLine(data, position), "bc");
  EXPECT_EQ(ReadStreamLine(data, position), "");
  EXPECT_EQ(ReadStreamLine(data, position), "last");
  EXPECT_EQ(position, data.size());
  EXPECT_EQ(ReadStreamLine(data, position), "");
}

TEST_F(EinsteinLoggerTest, WritesOneRowPerValidCoincidence) {
  WriteBackups();
  EXPECT_EQ(LogResultEinstein(t.env, index, "r_0"), 3);
  const std::string header = std::string(logs::kEinsteinResultHeader) + "\r\n";
  EXPECT_EQ(ReadLog(logs::kEinsteinResultCsv),
            header + kRow1 + "\r\n" + kRow2 + "\r\n" + kRow3 + "\r\n");

  // A second result appends under the same header.
  EXPECT_EQ(LogResultEinstein(t.env, index, "r_0"), 3);
  EXPECT_EQ(ReadLog(logs::kEinsteinResultCsv).find(header, 1), std::string::npos);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(EinsteinLoggerTest, LogsTheRowAfterItsHeaderAndRaisesTheWallpaperRequest) {
  WriteBackups();
  t.settings.Write(settings::kBackupWU, true);
  LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  const std::string row = kPrefix + "100,200,,,1234.000000,1234.500000,3";
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv), std::string(logs::kEinsteinHeader) + "\r\n" + row);
  EXPECT_TRUE(flags.wallpaperRequest);

  LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv),
            std::string(logs::kEinsteinHeader) + "\r\n" + row + "\r\n" + row);
}

TEST_F(EinsteinLoggerTest, DefaultBackupOptionsKeepTheResultAndDropTheDescription) {
  WriteBackups();
  LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  EXPECT_TRUE(PathExists(LogPath("r_0.tess")));
  EXPECT_FALSE(PathExists(LogPath("w.xml")));
}

TEST_F(EinsteinLoggerTest, BackupOptionsTheOtherWayRound) {
  WriteBackups();
  t.settings.Write(settings::kBackupResult, false);
  t.settings.Write(settings::kBackupWU, true);
  LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  EXPECT_FALSE(PathExists(LogPath("r_0.tess")));
  EXPECT_TRUE(PathExists(LogPath("w.xml")));
}

TEST_F(EinsteinLoggerTest, ACommandLineBetweenLineBreaksGivesItsRange) {
  t.dir.Write("logs/w.xml",
              "<workunit>\n    <name>w</name>\n    <command_line>\n-s 1234.0\n-e 1234.5\n"
              "--startTime=100\n--endTime=200\n    </command_line>\n</workunit>\n");
  LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv), std::string(logs::kEinsteinHeader) + "\r\n" + kPrefix +
                                             "100,200,,,1234.000000,1234.500000,0");
}

// Today's applications write gzip or plain text: a row without coincidences, nothing counted.
TEST_F(EinsteinLoggerTest, AnOutputThatIsNoArchiveHoldsNoCoincidences) {
  t.dir.Write("logs/w.xml", kDescription);
  t.settings.Write(settings::kBackupWU, true);
  for (const std::string& output :
       {std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03gzip", 14), std::string(kOutput)}) {
    t.dir.Write("logs/r_0.tess", output);
    LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  }
  const std::string row = kPrefix + "100,200,,,1234.000000,1234.500000,0";
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv),
            std::string(logs::kEinsteinHeader) + "\r\n" + row + "\r\n" + row);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(EinsteinLoggerTest, MissingBackupsGiveAnEmptyRangeAndNoCoincidences) {
  LogEinstein(t.env, index, flags, kPrefix, "r_0", "w");
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv),
            std::string(logs::kEinsteinHeader) + "\r\n" + kPrefix + ",,,,0.000000,0.000000,0");
  EXPECT_EQ(ReadLog(logs::kEinsteinResultCsv), std::string(logs::kEinsteinResultHeader) + "\r\n");
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(EinsteinLoggerTest, NamesThatLeaveTheLogDirectoryAreNeitherReadNorDeleted) {
  // Real backups one level up, where a crafted name would point.
  test::WriteZip(t.dir.path() + "r_0.tess", {{"r_0", kOutput}});
  t.dir.Write("w.xml", kDescription);
  t.settings.Write(settings::kBackupResult, false);
  LogEinstein(t.env, index, flags, kPrefix, "../r_0", "../w");
  LogEinstein(t.env, index, flags, kPrefix, "..", "");

  EXPECT_TRUE(PathExists(t.dir.path() + "r_0.tess"));
  EXPECT_TRUE(PathExists(t.dir.path() + "w.xml"));
  const std::string emptyRow = "\r\n" + kPrefix + ",,,,0.000000,0.000000,0";
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv), logs::kEinsteinHeader + emptyRow + emptyRow);
  EXPECT_EQ(t.ExceptionCount("LogResultEinstein - Unsafe file name"), 2);
  EXPECT_EQ(t.ExceptionCount("LogEinstein - Unsafe file name"), 2);
}

TEST_F(EinsteinLoggerTest, AnUnwritableCoincidenceLogHoldsBackTheRowUntilBothHoldTheResultOnce) {
  WriteBackups();
  std::filesystem::create_directory(LogPath(logs::kEinsteinResultCsv));
  EXPECT_THROW(LogEinstein(t.env, index, flags, kPrefix, "r_0", "w"), std::exception);
  EXPECT_FALSE(PathExists(LogPath(logs::kEinsteinCsv)));

  // Column 40 holds the result name, as in the prefix the work-unit log builds.
  std::string prefix;
  for (int k = 1; k <= 43; ++k)
    prefix += k == 40 ? "\"r_0\"," : ",";
  std::filesystem::remove(LogPath(logs::kEinsteinResultCsv));
  LogEinstein(t.env, index, flags, prefix, "r_0", "w");
  ProjectLogIndex afterRestart;
  WriteBackups();
  LogEinstein(t.env, afterRestart, flags, prefix, "r_0", "w");
  EXPECT_EQ(ReadLog(logs::kEinsteinCsv), std::string(logs::kEinsteinHeader) + "\r\n" + prefix +
                                             "100,200,,,1234.000000,1234.500000,3");
  EXPECT_EQ(CountFields(ReadLog(logs::kEinsteinResultCsv), '\n'), 5);  // header, 3 rows
}

TEST_F(EinsteinLoggerTest, AFailedRowWriteReachesTheCallerAndKeepsTheBackups) {
  WriteBackups();
  t.settings.Write(settings::kBackupResult, false);
  std::filesystem::create_directory(LogPath(logs::kEinsteinCsv));
  EXPECT_THROW(LogEinstein(t.env, index, flags, kPrefix, "r_0", "w"), std::exception);
  EXPECT_TRUE(PathExists(LogPath("r_0.tess")));
  EXPECT_TRUE(PathExists(LogPath("w.xml")));
  EXPECT_FALSE(flags.wallpaperRequest);
}

}  // namespace
}  // namespace tessarin
