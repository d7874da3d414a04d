#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "core/tools/tag_extract.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::size_t Occurrences(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++count;
  return count;
}

int Total(const json& node) {
  return node.at("notDone").get<int>() + node.at("done").get<int>();
}

// A program directory made with init over a copy of the bundled sample clients.
class OverviewCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path clients = test::CopyTree(std::string(TESSARIN_SOURCE_DIR) + "/samples/clients",
                                            home.path() + "clients");
    std::vector<std::string> arguments{"--home", home.path(), "init"};
    for (const fs::directory_entry& client : fs::directory_iterator(clients)) {
      arguments.insert(arguments.end(), {"--client", client.path().string()});
      const std::string state = test::ReadAll(client.path() / "client_state.xml");
      if (!state.empty()) {
        const std::string host = ExtractTag(state, "domain_name");
        // Results of several directories on one host name land on one host node.
        expectedResults[host] += static_cast<int>(Occurrences(state, "<result>"));
        expectedCpus[host] = std::stoi(ExtractTag(state, "p_ncpus"));
      }
    }
    const test::CliRun init = test::RunCli(arguments);
    ASSERT_EQ(init.exitCode, 0) << init.err;
  }

  test::CliRun RunOverview(bool json) const {
    std::vector<std::string> arguments{"--home", home.path(), "overview", "--sound-capture",
                                       home.path() + "sounds.wav"};
    if (json)
      arguments.push_back("--json");
    return test::RunCli(arguments);
  }

  test::TempDir home;
  std::map<std::string, int> expectedResults;  // by host name
  std::map<std::string, int> expectedCpus;     // by host name
};

TEST_F(OverviewCommandTest, JsonTreeHoldsEveryHostWithConsistentCountsAndEstimates) {
  const test::CliRun run = RunOverview(true);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json overview = json::parse(run.out);
  const double now = overview.at("now").get<double>();
  const json& hosts = overview.at("hosts");

  ASSERT_FALSE(expectedResults.empty());
  std::map<std::string, int> seen;
  std::string previousHost;
  for (const json& host : hosts) {
    const std::string name = host.at("name").get<std::string>();
    SCOPED_TRACE(name);
    EXPECT_EQ(host.at("level"), 1);
    EXPECT_LT(previousHost, name);  // hosts in byte order, each once
    previousHost = name;
    seen[name] = Total(host);
    EXPECT_EQ(host.at("cpus"), expectedCpus.at(name));

    int notDone = 0, done = 0;
    std::uint64_t timeLeft = 0;
    for (const json& project : host.at("children")) {
      SCOPED_TRACE(project.at("name").get<std::string>());
      EXPECT_EQ(project.at("level"), 0);
      int projectNotDone = 0, projectDone = 0;
      std::uint64_t projectTimeLeft = 0;
      double previousDeadline = 0;
      for (const json& result : project.at("children")) {
        SCOPED_TRACE(result.at("name").get<std::string>());
        EXPECT_EQ(result.at("level"), 2);
        EXPECT_TRUE(result.at("children").empty());
        EXPECT_EQ(Total(result), 1);
        projectNotDone += result.at("notDone").get<int>();
        projectDone += result.at("done").get<int>();
        projectTimeLeft += result.at("timeLeft").get<std::uint64_t>();
        const double deadline = result.at("deadline").get<double>();
        EXPECT_LE(previousDeadline, deadline);  // earliest deadline first
        previousDeadline = deadline;
        EXPECT_GE(result.at("finishAllShares").get<double>(), now);
        EXPECT_GE(result.at("finishActiveShares").get<double>(), now);
        // Both estimates count the same remaining work; sharing with fewer projects is never
        // slower.
        EXPECT_LE(result.at("finishActiveShares").get<double>(),
                  result.at("finishAllShares").get<double>() + 1);
      }
      EXPECT_EQ(project.at("notDone"), projectNotDone);
      EXPECT_EQ(project.at("done"), projectDone);
      EXPECT_EQ(project.at("timeLeft"), projectTimeLeft);
      if (projectTimeLeft == 0) {
        EXPECT_EQ(project.at("activeShare"), 0);
      }
      if (!project.at("children").empty()) {
        EXPECT_GE(project.at("finishAllShares").get<double>(), now);
      }
      notDone += projectNotDone;
      done += projectDone;
      timeLeft += projectTimeLeft;
    }
    EXPECT_EQ(host.at("notDone"), notDone);
    EXPECT_EQ(host.at("done"), done);
    EXPECT_EQ(host.at("timeLeft"), timeLeft);
    EXPECT_TRUE(host.at("deadline").is_null());
    EXPECT_TRUE(host.at("finishActiveShares").is_null());
  }
  // Every result of every readable sample client, on the right host.
  EXPECT_EQ(seen, expectedResults);
}

TEST_F(OverviewCommandTest, TextTreeIsIndentedAndAligned) {
  const test::CliRun jsonRun = RunOverview(true);
  ASSERT_EQ(jsonRun.exitCode, 0) << jsonRun.err;
  const json hosts = json::parse(jsonRun.out).at("hosts");
  const test::CliRun textRun = RunOverview(false);
  ASSERT_EQ(textRun.exitCode, 0) << textRun.err;
  const std::string& out = textRun.out;

  std::vector<std::string> lines;
  std::istringstream stream(out);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  ASSERT_FALSE(lines.empty());
  const std::string& header = lines.front();
  EXPECT_EQ(header.rfind("Project", 0), 0u);
  for (const char* column : {"Workunits", "Time left", "Deadline", "Est. finish", "LTD"})
    EXPECT_NE(header.find(column), std::string::npos) << column;
  // "Workunits" is right-aligned: every count ends where its header ends.
  const std::size_t workunitsEnd = header.find("Workunits") + std::string("Workunits").size();

  std::size_t line = 1;
  auto expectLine = [&](const json& node, std::size_t indent) {
    ASSERT_LT(line, lines.size());
    const std::string& text = lines[line++];
    const std::string name = node.at("name").get<std::string>();
    EXPECT_EQ(text.substr(0, indent + name.size()), std::string(indent, ' ') + name);
    if (node.at("level") != 2 && Total(node) > 0) {
      const std::string counts =
          std::to_string(node.at("notDone").get<int>()) + " / " + std::to_string(Total(node));
      const std::size_t at = text.find(counts, indent + name.size());
      ASSERT_NE(at, std::string::npos) << text;
      EXPECT_EQ(at + counts.size(), workunitsEnd) << text;
    }
  };
  for (const json& host : hosts) {
    expectLine(host, 0);
    for (const json& project : host.at("children")) {
      expectLine(project, 2);
      for (const json& result : project.at("children"))
        expectLine(result, 4);
    }
  }
  EXPECT_EQ(line, lines.size());
}

TEST(OverviewCommandSetupTest, MissingSettingsFileIsReported) {
  test::TempDir home;
  const test::CliRun run = test::RunCli({"--home", home.path(), "overview", "--json"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("init"), std::string::npos);
}

}  // namespace
}  // namespace tessarin
