// tessarin-cli history: the statistics tree of boinc.csv without a window, over a log that
// `once` wrote from the sample clients and over small logs of known contents.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "core/tools/csv.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

int Count(const json& node) {
  const json& counts = node.at("counts");
  return counts.at("good").get<int>() + counts.at("error").get<int>() +
         counts.at("zero").get<int>();
}

long long CpuSum(const json& node) {
  const json& cpu = node.at("cpuSeconds");
  return cpu.at("good").get<long long>() + cpu.at("error").get<long long>() +
         cpu.at("zero").get<long long>();
}

test::CliRun History(const std::string& home, std::vector<std::string> flags = {}) {
  std::vector<std::string> arguments{"--home", home, "history"};
  arguments.insert(arguments.end(), flags.begin(), flags.end());
  return test::RunCli(arguments);
}

// A program directory made with init over a copy of the bundled sample clients, after one
// cycle has logged their finished results.
class HistoryCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path clients = test::CopyTree(std::string(TESSARIN_SOURCE_DIR) + "/samples/clients",
                                            home.path() + "clients");
    std::vector<std::string> arguments{"--home", home.path(), "init"};
    for (const fs::directory_entry& client : fs::directory_iterator(clients))
      arguments.insert(arguments.end(), {"--client", client.path().string()});
    const test::CliRun init = test::RunCli(arguments);
    ASSERT_EQ(init.exitCode, 0) << init.err;
    const test::CliRun once = test::RunCli(
        {"--home", home.path(), "once", "--sound-capture", home.path() + "sounds.wav"});
    ASSERT_EQ(once.exitCode, 0) << once.err;
    ASSERT_TRUE(fs::exists(LogPath()));
  }

  fs::path LogPath() const { return fs::path(home.path()) / "logs" / "boinc.csv"; }

  test::TempDir home;
};

struct Expected {
  int rows = 0;
  long long cpuSeconds = 0;
  std::map<std::string, int> hosts;
};

TEST_F(HistoryCommandTest, JsonTreeCountsEveryLoggedResultByProjectApplicationHostAndVersion) {
  // What the log says, read with the plain CSV splitter.
  const std::vector<std::string> lines = Lines(test::ReadAll(LogPath()));
  ASSERT_GE(lines.size(), 2u);
  const FieldArray header = SplitCsvLine(lines[0], ',', true);
  std::map<std::string, int> column;
  for (int k = 1; k <= kMaxCsvFields; ++k)
    column[header[k]] = k;
  std::map<std::string, Expected> expected;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const FieldArray fields = SplitCsvLine(lines[i], ',', true);
    Expected& project = expected[fields[column["project_name"]]];
    ++project.rows;
    // Whole seconds, halves to even (the samples log 61234.5 and 9876.5).
    project.cpuSeconds += static_cast<long long>(std::nearbyint(std::stod(fields[column["cpu"]])));
    ++project.hosts[fields[column["domain_name"]]];
  }

  const test::CliRun run = History(home.path(), {"--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json history = json::parse(run.out);
  EXPECT_EQ(history.at("rows"), lines.size() - 1);
  EXPECT_EQ(history.at("options"), json({{"errors", false}, {"zero", false}}));

  std::map<std::string, Expected> seen;
  std::string previous;
  for (const json& project : history.at("projects")) {
    const std::string name = project.at("name").get<std::string>();
    SCOPED_TRACE(name);
    EXPECT_EQ(project.at("level"), "project");
    EXPECT_LT(previous, name);  // the samples' projects all start with a capital
    previous = name;
    Expected& counted = seen[name];
    counted.rows = Count(project);
    counted.cpuSeconds = CpuSum(project);
    EXPECT_EQ(project.at("workunits"), std::to_string(counted.rows));
    int applicationRows = 0;
    for (const json& application : project.at("children")) {
      EXPECT_EQ(application.at("level"), "application");
      applicationRows += Count(application);
      for (const json& host : application.at("children")) {
        EXPECT_EQ(host.at("level"), "host");
        counted.hosts[host.at("name").get<std::string>()] += Count(host);
        int versionRows = 0;
        for (const json& version : host.at("children")) {
          EXPECT_EQ(version.at("level"), "version");
          EXPECT_EQ(version.at("name").get<std::string>().rfind("Version ", 0), 0u);
          EXPECT_TRUE(version.at("children").empty());
          versionRows += Count(version);
        }
        EXPECT_EQ(versionRows, Count(host));
      }
    }
    EXPECT_EQ(applicationRows, counted.rows);
  }
  ASSERT_EQ(seen.size(), expected.size());
  for (const auto& [name, want] : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(seen[name].rows, want.rows);
    EXPECT_EQ(seen[name].cpuSeconds, want.cpuSeconds);
    EXPECT_EQ(seen[name].hosts, want.hosts);
  }
}

TEST_F(HistoryCommandTest, TextTreeIsIndentedAndAlignedWithTheFiveColumns) {
  const test::CliRun jsonRun = History(home.path(), {"--json"});
  ASSERT_EQ(jsonRun.exitCode, 0) << jsonRun.err;
  const json first = json::parse(jsonRun.out).at("projects").at(0);

  const test::CliRun run = History(home.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0].rfind("Project ", 0), 0u);
  const std::size_t end = lines[0].find("Avg. CPU Time") + std::string("Avg. CPU Time").size();
  ASSERT_NE(lines[0].find("Workunits"), std::string::npos);
  EXPECT_EQ(lines[0].size(), end);
  // The first project, then its application, host and version each two blanks further in.
  EXPECT_EQ(lines[1].rfind(first.at("name").get<std::string>(), 0), 0u);
  const json& application = first.at("children").at(0);
  EXPECT_EQ(lines[2].rfind("  " + application.at("name").get<std::string>(), 0), 0u);
  const json& host = application.at("children").at(0);
  EXPECT_EQ(lines[3].rfind("    " + host.at("name").get<std::string>(), 0), 0u);
  EXPECT_EQ(lines[4].rfind("      Version ", 0), 0u);
  // Right-aligned numbers end under the end of their header.
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].size(), end) << lines[i];
    EXPECT_TRUE(lines[i].ends_with(" hours")) << lines[i];
  }
  EXPECT_NE(lines[1].find(first.at("totalCpuTime").get<std::string>()), std::string::npos);
}

TEST_F(HistoryCommandTest, ReadingLeavesTheLogAndTheSettingsAlone) {
  const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(LogPath(), past);
  const std::string log = test::ReadAll(LogPath());
  const fs::path ini = fs::path(home.path()) / "Tessarin.ini";
  const std::string settings = test::ReadAll(ini);
  ASSERT_EQ(History(home.path()).exitCode, 0);
  ASSERT_EQ(History(home.path(), {"--json", "--errors", "--zero"}).exitCode, 0);
  EXPECT_EQ(test::ReadAll(LogPath()), log);
  EXPECT_EQ(fs::last_write_time(LogPath()), past);
  EXPECT_EQ(test::ReadAll(ini), settings);
}

// --- Small logs of known contents ----------------------------------------------------------

constexpr const char* kHeader =
    "\"date\",\"project_name\",\"app_name\",\"domain_name\",\"app_version\",\"cpu\",\"error\"";

class HistoryOptionsTest : public ::testing::Test {
 protected:
  void WriteLog(const std::vector<std::string>& rows) const {
    std::string text = kHeader;
    for (const std::string& row : rows)
      text += "\r\n" + row;
    home.Write("logs/boinc.csv", text);
  }
  std::vector<std::string> ProjectTexts(std::vector<std::string> flags) const {
    flags.push_back("--json");
    const test::CliRun run = History(home.path(), flags);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const json project = json::parse(run.out).at("projects").at(0);
    return {project.at("workunits"), project.at("errors"), project.at("totalCpuTime"),
            project.at("avgCpuTime")};
  }

  test::TempDir home;
};

TEST_F(HistoryOptionsTest, ErrorsAndZeroFlagsInAllFourCombinations) {
  // Without a Tessarin.ini the log is in the program directory's "logs".
  WriteLog({"\"x\",\"Rosetta\",\"rosetta\",\"Lyra\",\"4.07\",7200,\"false\"",
            "\"x\",\"Rosetta\",\"rosetta\",\"lyra\",\"4.07\",3600,\"True\"",
            "\"x\",\"Rosetta\",\"rosetta\",\"lyra\",\"4.07\",0.4,\"FALSE\""});
  using Texts = std::vector<std::string>;
  EXPECT_EQ(ProjectTexts({}), (Texts{"3", "1", "0.1 days", "1.0 hours"}));
  EXPECT_EQ(ProjectTexts({"--errors"}), (Texts{"2", "1", "0.1 days", "1.0 hours"}));
  EXPECT_EQ(ProjectTexts({"--errors", "--zero"}), (Texts{"1", "2", "0.1 days", "2.0 hours"}));
  EXPECT_EQ(ProjectTexts({"--zero"}), (Texts{"3", "2", "0.1 days", "1.0 hours"}));

  const test::CliRun run = History(home.path(), {"--json", "--zero"});
  const json history = json::parse(run.out);
  EXPECT_EQ(history.at("options"), json({{"errors", false}, {"zero", true}}));
  // Host names that differ only in case are one lower-case host.
  const json& hosts = history.at("projects").at(0).at("children").at(0).at("children");
  ASSERT_EQ(hosts.size(), 1u);
  EXPECT_EQ(hosts.at(0).at("name"), "lyra");
  EXPECT_FALSE(fs::exists(home.path() + "Tessarin.ini"));
}

TEST_F(HistoryOptionsTest, UnnamedProjectsAndVersionsAreCalledUnknown) {
  WriteLog({"\"x\",\"\",\"\",\"\",\"\",60,\"FALSE\""});
  const test::CliRun run = History(home.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1].rfind("Unknown project ", 0), 0u);
  EXPECT_EQ(lines[2].rfind("  Unknown application ", 0), 0u);
  EXPECT_EQ(lines[3].rfind("    Unknown host ", 0), 0u);
  EXPECT_EQ(lines[4].rfind("      Unknown version ", 0), 0u);
}

TEST_F(HistoryOptionsTest, AMissingLogIsAnEmptyTreeAndAnUnreadableOneAnError) {
  const test::CliRun missing = History(home.path(), {"--json"});
  EXPECT_EQ(missing.exitCode, 0);
  EXPECT_NE(missing.err.find("no logged results"), std::string::npos);
  EXPECT_EQ(json::parse(missing.out).at("projects"), json::array());
  EXPECT_EQ(json::parse(missing.out).at("rows"), 0);

  home.MakeDir("logs/boinc.csv");
  const test::CliRun unreadable = History(home.path());
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_NE(unreadable.err.find("boinc.csv"), std::string::npos);
  EXPECT_TRUE(unreadable.out.empty());
}

}  // namespace
}  // namespace tessarin
