// tessarin-cli import-joblog over a BOINC 7.20 directory whose two finished results were
// reported and removed from client_state.xml while no watcher ran: only the client's job log
// still knows them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "cli_runner.h"
#include "core/tools/date_time.h"
#include "support/temp_dir.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

struct ImportJoblogTest : ::testing::Test {
  ImportJoblogTest() {
    const std::string client =
        CopyTree(std::string(TESSARIN_SOURCE_DIR) + "/tests/app/data/boinc-7.20-reported",
                 dir.path() + "client");
    const CliRun init = RunCli({"--home", home, "init", "--client", client});
    EXPECT_EQ(init.exitCode, 0) << init.err;
  }
  CliRun Import() { return RunCli({"--home", home, "import-joblog"}); }
  std::string Log() { return dir.Read("home/logs/boinc.csv"); }

  TempDir dir;
  std::string home = dir.path() + "home";
};

TEST_F(ImportJoblogTest, EachResultOfTheJobLogIsAddedOnce) {
  const CliRun first = Import();
  EXPECT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.out, "Rows added: 2\nRows skipped: 0\n");
  const CliRun second = Import();
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.out, "Rows added: 0\nRows skipped: 2\n");

  const std::string log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
  // Dated when the client finished the task, not when the import ran.
  EXPECT_EQ(log.find("\r\n\"" + FormatLogDate(1796699391) + "\""), log.find("\r\n"));
  // Project and host from the client state; CPU time, fpops_est and error from the line.
  EXPECT_NE(log.find("\"Loopback Test Project\",,\"vm\",2,"), std::string::npos) << log;
  EXPECT_NE(log.find(",\"loopback_wu_001\",\"loopback_wu_001_0\",59.808510,60000000000,false,"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(",\"loopback_wu_002\",\"loopback_wu_002_0\",59.294100,60000000000,false,"),
            std::string::npos)
      << log;

  // A watch cycle afterwards adds nothing of them.
  EXPECT_EQ(RunCli({"--home", home, "once"}).exitCode, 0);
  EXPECT_EQ(Log(), log);
}

TEST_F(ImportJoblogTest, WaitsForARunningWatcher) {
  const int fd = ::open((home + "/Tessarin.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  const CliRun run = Import();
  ::close(fd);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(home + "/logs/boinc.csv"));
}

}  // namespace
}  // namespace tessarin::test
