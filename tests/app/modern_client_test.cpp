// tessarin-cli over client directories as real clients write them: a copy of a directory
// written by BOINC 7.20, and the bundled samples whose finished results were never seen
// running.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "support/temp_dir.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

std::string RealClientSource() {
  const char* dir = std::getenv("TESSARIN_REALDATA_DIR");
  return dir != nullptr ? dir : "/work/shared/realdata/boinc-7.20-client";
}

std::size_t Rows(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct ModernClientTest : ::testing::Test {
  // Copies `source` as the only client of a fresh program directory.
  std::string UseClient(const std::string& source) {
    client = CopyTree(source, dir.path() + "client");
    // The original may be read-only; the copy must be removable with the temp dir.
    for (const auto& entry : fs::recursive_directory_iterator(client)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
    home = dir.path() + "home";
    const CliRun init = RunCli({"--home", home, "init", "--client", client});
    EXPECT_EQ(init.exitCode, 0) << init.err;
    return client;
  }
  nlohmann::json Once() {
    const CliRun run =
        RunCli({"--home", home, "once", "--json", "--sound-capture", dir.path() + "s.wav"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return nlohmann::json::parse(run.out);
  }
  const nlohmann::json& Entry(const nlohmann::json& cycle, const std::string& result) {
    for (const auto& entry : cycle["display"]) {
      if (entry["ResultName"] == result)
        return entry;
    }
    ADD_FAILURE() << "no cell for " << result;
    static const nlohmann::json none;
    return none;
  }
  std::string Log(const std::string& name) { return dir.Read("home/logs/" + name); }

  TempDir dir;
  std::string client;
  std::string home;
};

TEST_F(ModernClientTest, RunningTasksOfABoinc720ClientShowTheirRealProgress) {
  if (!fs::exists(RealClientSource() + "/client_state.xml"))
    GTEST_SKIP() << "no copy of a BOINC 7.20 client directory at " << RealClientSource();
  UseClient(RealClientSource());
  const nlohmann::json cycle = Once();
  ASSERT_EQ(cycle["display"].size(), 2u);

  // Checkpointed at 18.2288 % after 9.89 s of CPU time.
  const nlohmann::json& busy = Entry(cycle, "loopback_wu_004_0");
  EXPECT_NEAR(busy["Progress"].get<double>(), 18.2288, 1e-9);
  EXPECT_EQ(busy["StatusText"], "18.229 % (active)");
  EXPECT_EQ(busy["TimeLeft"], 44);
  EXPECT_EQ(busy["CpuText"], ": 0:00:10 (0:00:44 left)");
  EXPECT_EQ(busy["HostName"], "vm");
  EXPECT_EQ(busy["ProjectName"], "Loopback Test Project");
  EXPECT_EQ(busy["AppName"], "loopapp");
  EXPECT_EQ(busy["ReadyCount"], 2);
  // Not checkpointed yet: its estimate of 60 s is all left.
  const nlohmann::json& fresh = Entry(cycle, "loopback_wu_003_0");
  EXPECT_EQ(fresh["StatusText"], "0.000 % (active)");
  EXPECT_EQ(fresh["TimeLeft"], 60);

  // The two uploaded results are logged, none of the running or queued ones.
  const std::string log = Log("boinc.csv");
  EXPECT_EQ(Rows(log), 2u);
  EXPECT_NE(log.find("\"loopback_wu_001\",\"loopback_wu_001_0_r1771098287_0\",59.808510,"),
            std::string::npos);
  EXPECT_NE(log.find("\"loopback_wu_002\",\"loopback_wu_002_0_r1046466063_0\",59.294100,"),
            std::string::npos);
}

TEST_F(ModernClientTest, ALaterCheckpointInTheSlotIsShown) {
  if (!fs::exists(RealClientSource() + "/client_state.xml"))
    GTEST_SKIP() << "no copy of a BOINC 7.20 client directory at " << RealClientSource();
  UseClient(RealClientSource());
  // The application checkpointed again; client_state.xml was not rewritten.
  std::string state = dir.Read("client/slots/0/boinc_task_state.xml");
  const auto replace = [&](const std::string& from, const std::string& to) {
    const std::size_t at = state.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    state.replace(at, from.size(), to);
  };
  replace("<checkpoint_cpu_time>9.893262<", "<checkpoint_cpu_time>19.750000<");
  replace("<fraction_done>0.182288<", "<fraction_done>0.329000<");
  dir.Write("client/slots/0/boinc_task_state.xml", state);

  const nlohmann::json cycle = Once();
  const nlohmann::json& busy = Entry(cycle, "loopback_wu_004_0");
  EXPECT_EQ(busy["StatusText"], "32.900 % (active)");
  EXPECT_EQ(busy["CpuText"], ": 0:00:20 (0:00:40 left)");
}

TEST_F(ModernClientTest, AFinishedSetiResultNeverSeenRunningGetsItsScienceRows) {
  UseClient(SampleClient("seti-host"));
  Once();
  const std::string result = "\"12no08ab.2043.7434.9.8.120_1_0\"";
  const std::string sah = Log("sah_boinc.csv");
  ASSERT_EQ(Rows(sah), 1u) << sah;
  EXPECT_NE(sah.find(result), std::string::npos);
  for (const char* signalLog : {"sah_boinc_spike.csv", "sah_boinc_gaussian.csv",
                                "sah_boinc_pulse.csv", "sah_boinc_triplet.csv"}) {
    EXPECT_NE(Log(signalLog).find("\r\n" + result + ","), std::string::npos) << signalLog;
  }
  // Backup/WU is off: the logger removed the work-unit copies it was given.
  EXPECT_FALSE(fs::exists(home + "/logs/12no08ab.2043.7434.9.8.120.tess"));
  EXPECT_FALSE(fs::exists(home + "/logs/12no08ab.2043.7434.9.8.120.xml"));

  // Nothing twice.
  Once();
  EXPECT_EQ(Log("sah_boinc.csv"), sah);
}

TEST_F(ModernClientTest, AFinishedAstropulseResultNeverSeenRunningGetsItsRow) {
  UseClient(SampleClient("mixed-host"));
  Once();
  const std::string ap = Log("ap_boinc.csv");
  ASSERT_EQ(Rows(ap), 1u) << ap;
  EXPECT_NE(ap.find("\"ap_20dc08ab_B4_P0_00112_20081224_07501.wu_1_0\""), std::string::npos);
}

}  // namespace
}  // namespace tessarin::test
