// A log or program directory inside a watched client directory (a hand-edited Tessarin.ini):
// the cycle writes nothing there and says why.
#include "core/watcher/client_dir_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/settings/settings_keys.h"
#include "core/tools/text.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> FilesBelow(const std::string& dir) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    files.insert(entry.path().string() + " " +
                 std::to_string(fs::last_write_time(entry).time_since_epoch().count()));
  return files;
}

TEST(ClientDirGuard, ACycleWritesNothingIntoTheClientDirectory) {
  const struct {
    const char* what;
    bool programDir;
    std::string dirBelowTemp;  // the log or program directory, below the temp dir
  } cases[] = {
      {"log directory is the client directory", false, "client/"},
      {"log directory inside it, spelled oddly", false, "client//projects/../logs/."},
      {"log directory through a link to it", false, "link/logs/"},
      {"program directory inside it", true, "client/tessarin/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WatcherFixture f;
    fs::create_directory_symlink(f.clientDir, f.test.dir.path() + "link");
    f.WriteState(
        ClientStateXml(ProjectXml(kSetiUrl, "SETI@home") +
                       WorkunitXml("sah_wu", "setiathome_enhanced", "528", "3e13", {"sah_wu"}) +
                       ResultXml("sah_wu_1", "sah_wu", 5, "sah_wu_1_0") +
                       ActiveTaskXml(kSetiUrl, "sah_wu_1", "0", "10.5")));
    f.WriteClientFile(std::string(kSetiDir) + "sah_wu_1_0", "output");
    f.WriteClientFile("slots/0/state.sah", "state");
    (c.programDir ? f.env.programDir : f.env.logDir) = f.test.dir.path() + c.dirBelowTemp;
    const std::set<std::string> before = FilesBelow(f.clientDir);

    const CycleOutcome first = f.Cycle();
    f.Cycle();

    EXPECT_EQ(FilesBelow(f.clientDir), before);
    EXPECT_FALSE(first.published);
    EXPECT_NE(first.writeRefusal.find(" lies inside the client directory " + f.clientDir),
              std::string::npos)
        << first.writeRefusal;
    // Tessarin.ini in the client directory is not written either, not even to count this.
    const int counted = f.test.ExceptionCount("WatchClients - " + first.writeRefusal);
    EXPECT_EQ(counted, c.programDir ? 0 : 1);
    EXPECT_EQ(f.test.ExceptionKeys().size(), c.programDir ? 0u : 1u);
  }
}

TEST(ClientDirGuard, ADisabledClientDirectoryHoldsNothingBack) {
  WatcherFixture f;
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(f.clientDir), false);
  f.env.logDir = f.clientDir + "logs/";
  EXPECT_EQ(WriteIntoClientRefusal(f.test.settings, f.env).text, "");
}

}  // namespace
}  // namespace tessarin::test
