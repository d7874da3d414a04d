#include "core/settings/environment.h"

#include <gtest/gtest.h>

#include "core/settings/settings_store.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

TEST(ResolveLogDirTest, DefaultsToLogsInTheProgramDirAndAlwaysEndsWithASeparator) {
  test::TempDir dir;
  SettingsStore store(dir.path() + "Tessarin.ini");
  EXPECT_EQ(ResolveLogDir(store, "/opt/tessarin/"), "/opt/tessarin/logs/");
  EXPECT_EQ(ResolveLogDir(store, "/opt/tessarin"), "/opt/tessarin/logs/");

  store.WriteString("Options", "Logdir", "/data/boinc-logs");
  EXPECT_EQ(ResolveLogDir(store, "/opt/tessarin/"), "/data/boinc-logs/");
  store.WriteString("Options", "logdir", "/data/boinc-logs/");
  EXPECT_EQ(ResolveLogDir(store, "/opt/tessarin/"), "/data/boinc-logs/");

  // An empty value is kept: the files then go to the current directory.
  store.WriteString("Options", "logdir", "");
  EXPECT_EQ(ResolveLogDir(store, "/opt/tessarin/"), "");
}

}  // namespace
}  // namespace tessarin
