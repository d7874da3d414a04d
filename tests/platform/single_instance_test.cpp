#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

// Exit code of a child process that tries to take the lock: 0 acquired, 1 another instance
// runs, 2 neither.
int AcquireInChild(const std::string& programDir) {
  const pid_t child = ::fork();
  if (child == 0) {
    const SingleInstance instance(programDir);
    ::_exit(instance.Acquired() ? 0 : instance.AnotherInstanceRuns() ? 1 : 2);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstanceTest, ASecondProcessIsRefusedWhileTheFirstHoldsTheLock) {
  test::TempDir dir;
  {
    const SingleInstance first(dir.path());
    ASSERT_TRUE(first.Acquired());
    EXPECT_FALSE(first.AnotherInstanceRuns());
    EXPECT_EQ(AcquireInChild(dir.path()), 1);
    // Another program directory is another installation.
    EXPECT_EQ(AcquireInChild(dir.MakeDir("portable")), 0);
  }
  EXPECT_EQ(AcquireInChild(dir.path()), 0);
  const SingleInstance again(dir.path());
  EXPECT_TRUE(again.Acquired());
}

TEST(SingleInstanceTest, AMissingProgramDirIsNoReasonToStop) {
  test::TempDir dir;
  const SingleInstance instance(dir.path() + "missing");
  EXPECT_FALSE(instance.Acquired());
  EXPECT_FALSE(instance.AnotherInstanceRuns());
}

}  // namespace
}  // namespace tessarin
