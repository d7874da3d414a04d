#include "platform/process_launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

TEST(PosixProgramLauncherTest, StartsDetachedWithArguments) {
  test::TempDir dir;
  const std::string script = dir.Write("viewer", "#!/bin/sh\necho \"$1\" > \"$2\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  const std::string marker = dir.path() + "started";

  PosixProgramLauncher launcher;
  EXPECT_TRUE(launcher.Exists(script));
  EXPECT_FALSE(launcher.Exists(dir.path()));  // a directory is no program
  ASSERT_TRUE(launcher.StartDetached(script, {"-wallpaper", marker}));
  for (int i = 0; i < 200 && dir.Read("started").empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(dir.Read("started"), "-wallpaper\n");
}

TEST(PosixProgramLauncherTest, MissingProgramFailsWithoutHarm) {
  PosixProgramLauncher launcher;
  EXPECT_FALSE(launcher.Exists("/nonexistent/smv"));
  EXPECT_FALSE(launcher.StartDetached("/nonexistent/smv", {"-wallpaper"}));
}

}  // namespace
}  // namespace tessarin
