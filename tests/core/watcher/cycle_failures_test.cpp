// Faults of the settings file and the log directory: the cycle goes on over every client and
// hands each failure to its owner.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/text.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

std::string Finished(const std::string& name) {
  return ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") +
                        ResultXml(name, "wu_" + name, 5, name + "_0"));
}

bool Mentions(const std::vector<std::string>& errors, const std::string& text) {
  for (const std::string& error : errors) {
    if (error.find(text) != std::string::npos)
      return true;
  }
  return false;
}

TEST(CycleFailures, AnUnwritableSettingsFileNeitherEndsTheScanNorGoesUntold) {
  WatcherFixture f;
  const std::string second = f.test.dir.MakeDir("second");
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(second), true);
  f.test.dir.Write("second/client_state.xml", Finished("b_1"));
  f.WriteState(Finished("a_1"));
  // The settings file cannot be replaced: a directory with something in it took its place.
  f.test.dir.Write("Tessarin.ini/keep", "x");

  const CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(outcome.published);
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_NE(log.find("\"a_1_0\""), std::string::npos);
  EXPECT_NE(log.find("\"b_1_0\""), std::string::npos);
  EXPECT_TRUE(Mentions(outcome.errors, f.test.dir.path() + "Tessarin.ini"))
      << outcome.errors.size();
}

TEST(CycleFailures, AMissingLogDirectoryIsMadeAgainAndOneThatCannotBeIsReported) {
  WatcherFixture f;
  f.WriteState(Finished("a_1"));
  fs::remove_all(f.env.logDir);
  CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(outcome.errors.empty());
  EXPECT_NE(f.ReadLog("boinc.csv").find("\"a_1_0\""), std::string::npos);

  // A file where the directory's parent should be: nothing can be made there.
  f.env.logDir = f.test.dir.Write("blocked", "") + "/logs/";
  f.WriteState(Finished("b_1"));
  outcome = f.Cycle();
  EXPECT_TRUE(outcome.published);
  EXPECT_TRUE(Mentions(outcome.errors, "WatchClients - " + f.env.logDir)) << outcome.errors.size();
  EXPECT_TRUE(Mentions(outcome.errors, "LogWU - " + f.env.logDir + "boinc.csv"));
}

}  // namespace
}  // namespace tessarin::test
