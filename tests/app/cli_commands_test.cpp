// The headless command's contract: init, once, watch, exit codes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <thread>

#include "cli_runner.h"
#include "support/temp_dir.h"

namespace tessarin::test {
namespace {

struct CliCommandsTest : ::testing::Test {
  CliCommandsTest() {
    for (const char* name : {"seti-host", "einstein-host", "lost-host"}) {
      clients.push_back(CopyTree(SampleClient(name), dir.path() + "clients/" + name));
    }
    home = dir.path() + "home";
  }
  CliRun Init() {
    std::vector<std::string> args{"--home", home, "init"};
    for (const std::string& client : clients) {
      args.push_back("--client");
      args.push_back(client);
    }
    return RunCli(args);
  }
  // `watch --json` in a child process, once its first cycle has written boinc.csv; -1 when
  // it could not be started.
  pid_t StartWatchAndWaitForFirstCycle() {
    const pid_t child = ::fork();
    if (child == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::execl(TESSARIN_CLI_PATH, TESSARIN_CLI_PATH, "--home", home.c_str(), "watch", "--json",
              "--sound-capture", (dir.path() + "w.wav").c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; child > 0 && i < 200 && dir.Read("home/logs/boinc.csv").empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return child;
  }
  TempDir dir;
  std::vector<std::string> clients;
  std::string home;
};

TEST_F(CliCommandsTest, InitThenOnceLogsEachFinishedResultOnce) {
  ASSERT_EQ(Init().exitCode, 0);
  EXPECT_EQ(Init().exitCode, 2) << "an existing Tessarin.ini is not replaced without --force";

  const CliRun first =
      RunCli({"--home", home, "once", "--json", "--sound-capture", dir.path() + "sounds.wav"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const nlohmann::json cycle = nlohmann::json::parse(first.out);
  // Two SETI@home tasks, three Einstein@Home tasks, one lost connection.
  ASSERT_EQ(cycle["display"].size(), 6u);
  int lost = 0;
  for (const auto& entry : cycle["display"]) {
    if (entry["StatusText"] == "Connection to client lost !") {
      ++lost;
      EXPECT_EQ(entry["StatusColor"], "#FF0000");
      EXPECT_EQ(entry["ReadyCount"], -1);
    }
  }
  EXPECT_EQ(lost, 1);
  EXPECT_FALSE(cycle["results"].empty());
  EXPECT_EQ(cycle["sounds"].front(), "FinishedWU");

  const std::string log = dir.Read("home/logs/boinc.csv");
  ASSERT_FALSE(log.empty());
  const auto rows = [&](const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
  };
  // The uploading SETI@home result and the uploaded Einstein@Home one.
  EXPECT_EQ(rows(log), 2);

  const CliRun second =
      RunCli({"--home", home, "once", "--json", "--sound-capture", dir.path() + "sounds2.wav"});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(dir.Read("home/logs/boinc.csv"), log) << "nothing is logged twice";
  // Held in a variable: a range-for over a member of the temporary would outlive it.
  const nlohmann::json outcome = nlohmann::json::parse(second.out);
  for (const auto& sound : outcome["sounds"]) {
    EXPECT_NE(sound, "FinishedWU");
  }
}

TEST_F(CliCommandsTest, MissingSettingsGiveAClearMessageAndExitCode2) {
  for (const char* command : {"once", "watch"}) {
    const CliRun run = RunCli({"--home", dir.path() + "nowhere", command});
    EXPECT_EQ(run.exitCode, 2) << command;
    EXPECT_NE(run.err.find("Tessarin.ini"), std::string::npos) << run.err;
  }
  EXPECT_NE(RunCli({"--home", home, "init", "--client", dir.path() + "missing"}).exitCode, 0);
}

TEST_F(CliCommandsTest, InitRefusesALogOrProgramDirectoryInsideAClient) {
  const std::string client = clients.front();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--home", home, "init", "--client", client, "--logdir", client},
        {"--home", home, "init", "--client", client, "--logdir", client + "x/../logs//"},
        {"--home", client + "tessarin", "init", "--client", client}}) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << args.back();
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("inside the client directory"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(home));
  EXPECT_FALSE(std::filesystem::exists(client + "tessarin"));
  EXPECT_FALSE(std::filesystem::exists(client + "logs"));
}

TEST_F(CliCommandsTest, InitRefusesAnUnusableRemoteClient) {
  const std::string shared = dir.Write("shared.pw", "secret");
  std::filesystem::permissions(shared, std::filesystem::perms(0644));
  const std::string own = dir.Write("own.pw", "secret");
  std::filesystem::permissions(own, std::filesystem::perms(0600));
  const struct {
    std::vector<std::string> remote;
    const char* says;
  } cases[] = {
      {{"--remote", "host:port:x"}, "is not HOST or HOST:PORT"},
      {{"--remote", "host:70000"}, "is not HOST or HOST:PORT"},
      {{"--remote", "host", "--password-file", shared}, "can be read by other users"},
      {{"--remote", "host", "--password-file", dir.path() + "none.pw"}, "does not exist"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"--home",          home, "init", "--remote", "good:31416",
                                  "--password-file", own};
    args.insert(args.end(), c.remote.begin(), c.remote.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("secret"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(home + "/Tessarin.ini")) << c.says;
  }
}

TEST_F(CliCommandsTest, AHandEditedLogDirectoryInsideAClientStopsEveryWrite) {
  ASSERT_EQ(Init().exitCode, 0);
  const std::string ini = "home/Tessarin.ini";
  std::string settings = dir.Read(ini);
  settings.replace(settings.find("[Options]\r\n"), 11,
                   "[Options]\r\nlogdir=" + clients.front() + "./\r\n");
  dir.Write(ini, settings);
  const CliRun run = RunCli({"--home", home, "once", "--sound-capture", dir.path() + "s.wav"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("lies inside the client directory"), std::string::npos) << run.err;
  for (const auto& entry : std::filesystem::directory_iterator(clients.front())) {
    EXPECT_NE(entry.path().extension(), ".csv") << entry.path();
    EXPECT_NE(entry.path().extension(), ".tess") << entry.path();
  }
}

TEST_F(CliCommandsTest, AProjectNameCannotDriveTheTerminal) {
  const std::string state = clients.front() + "client_state.xml";
  std::string xml = dir.Read(state.substr(dir.path().size()));
  const std::string name = "<project_name>SETI@home</project_name>";
  ASSERT_NE(xml.find(name), std::string::npos);
  xml.replace(xml.find(name), name.size(),
              "<project_name>SETI@home\x1b[31m\x1b]0;owned\x07\xc2\x9b"
              "2J</project_name>");
  dir.Write(state.substr(dir.path().size()), xml);
  ASSERT_EQ(Init().exitCode, 0);

  const CliRun text = RunCli({"--home", home, "once", "--sound-capture", dir.path() + "a.wav"});
  EXPECT_NE(text.out.find("SETI@home?[31m?]0;owned??2J"), std::string::npos) << text.out;
  const CliRun json =
      RunCli({"--home", home, "once", "--json", "--sound-capture", dir.path() + "b.wav"});
  for (const CliRun& run : {text, json}) {
    EXPECT_EQ(run.out.find_first_of("\x1b\x07\x7f"), std::string::npos);
    EXPECT_EQ(run.out.find("\xc2\x9b"), std::string::npos);
  }
  EXPECT_NE(json.out.find("SETI@home\\u001b[31m\\u001b]0;owned\\u0007\\u009b2J"), std::string::npos)
      << json.out;
}

TEST_F(CliCommandsTest, WatchStopsCleanlyOnSigterm) {
  ASSERT_EQ(Init().exitCode, 0);
  const pid_t child = StartWatchAndWaitForFirstCycle();
  ASSERT_GT(child, 0);
  // Then ask it to stop.
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // Both rows complete: each ends with the error flag and an empty error text.
  const std::string log = dir.Read("home/logs/boinc.csv");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
  EXPECT_TRUE(log.ends_with(",false,")) << log.substr(log.size() - 40);
}

// Names, sizes and contents of every file below `root`, to see that nothing was written.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
  }
  return files;
}

TEST_F(CliCommandsTest, ASecondWatcherIsRefusedWhileReadersStillWork) {
  ASSERT_EQ(Init().exitCode, 0);
  const pid_t child = StartWatchAndWaitForFirstCycle();
  ASSERT_GT(child, 0);
  for (const char* command : {"once", "watch"}) {
    const CliRun second = RunCli({"--home", home, command});
    EXPECT_EQ(second.exitCode, 3) << command;
    EXPECT_NE(second.err.find(home), std::string::npos) << second.err;
    EXPECT_NE(second.err.find(std::to_string(child)), std::string::npos) << second.err;
    EXPECT_EQ(std::count(second.err.begin(), second.err.end(), '\n'), 1) << second.err;
  }
  const CliRun overview = RunCli({"--home", home, "overview", "--json"});
  EXPECT_EQ(overview.exitCode, 0) << overview.err;
  EXPECT_EQ(RunCli({"--home", home, "history"}).exitCode, 0);
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(CliCommandsTest, OverviewAndHistoryWriteNothing) {
  ASSERT_EQ(Init().exitCode, 0);
  const auto before = Snapshot(home);
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(RunCli({"--home", home, "overview"}).exitCode, 0);
    EXPECT_EQ(RunCli({"--home", home, "history", "--json"}).exitCode, 0);
  }
  EXPECT_EQ(Snapshot(home), before);
  EXPECT_FALSE(std::filesystem::exists(home + "/logs/boinc.csv"));
}

TEST_F(CliCommandsTest, OnceTellsOfEveryFailedWriteAndExitsWith1) {
  ASSERT_EQ(Init().exitCode, 0);
  // A settings leftover of a killed run goes at the start.
  const std::string leftover = dir.Write("home/Tessarin.ini.tmp4242-0", "[Options]");
  // boinc.csv can neither be read nor written.
  std::filesystem::create_directories(home + "/logs/boinc.csv");
  const CliRun run =
      RunCli({"--home", home, "once", "--json", "--sound-capture", dir.path() + "s.wav"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(leftover));
  const nlohmann::json cycle = nlohmann::json::parse(run.out);
  EXPECT_TRUE(cycle["published"]);
  ASSERT_FALSE(cycle["errors"].empty());
  for (const auto& error : cycle["errors"]) {
    const std::string text = error;
    EXPECT_NE(text.find(home + "/logs/boinc.csv"), std::string::npos) << text;
    EXPECT_NE(text.find("Is a directory"), std::string::npos) << text;
    EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
  }

  std::filesystem::remove(home + "/logs/boinc.csv");
  const CliRun mended =
      RunCli({"--home", home, "once", "--json", "--sound-capture", dir.path() + "s.wav"});
  EXPECT_EQ(mended.exitCode, 0) << mended.err;
  EXPECT_TRUE(nlohmann::json::parse(mended.out)["errors"].empty());
  EXPECT_EQ(mended.err, "");
}

TEST(CliVersionTest, PrintsTheVersion) {
  const CliRun run = RunCli({"--version"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("Tessarin 1.52 (1.5.2.390)"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tessarin::test
