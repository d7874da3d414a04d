#include "core/settings/exception_log.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "core/settings/settings_store.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

TEST(ExceptionLogTest, CountsEachMessageUnderItsVersionAndLeavesTheWriteToTheCycle) {
  test::TestEnvironment t;
  t.exceptions.LogException("LogWU - bad row");
  t.exceptions.LogException("LogWU - bad row");
  t.exceptions.LogException("");
  EXPECT_EQ(t.ExceptionCount("LogWU - bad row"), 2);
  EXPECT_EQ(t.ExceptionKeys(), (std::vector<std::string>{"v1.52 - LogWU - bad row", "v1.52 - "}));

  // A burst of errors costs no rewrite of the file; the cycle's one flush takes them along.
  EXPECT_EQ(t.dir.Read("Tessarin.ini"), "");
  t.settings.UpdateFile();
  SettingsStore reread(t.settings.FileName());
  EXPECT_EQ(reread.ReadInteger("Exceptions", "v1.52 - LogWU - bad row", 0), 2);
  EXPECT_EQ(reread.ReadInteger("Exceptions", "v1.52 - ", 0), 1);
}

TEST(ExceptionLogTest, ANewVersionStartsItsOwnCount) {
  test::TestEnvironment t;
  t.exceptions.LogException("GetSlot - x");
  ExceptionLog next(t.settings, "1.53");
  next.LogException("GetSlot - x");
  next.LogException("GetSlot - x");
  EXPECT_EQ(t.settings.ReadInteger("Exceptions", "v1.52 - GetSlot - x", 0), 1);
  EXPECT_EQ(t.settings.ReadInteger("Exceptions", "v1.53 - GetSlot - x", 0), 2);
}

TEST(ExceptionLogTest, MessagesWithEqualsSignsOrLineBreaksKeepCountingAfterARestart) {
  test::TestEnvironment t;
  const std::string message = "FileAsString - /data/a=b\nc - Permission denied";
  t.exceptions.LogException(message);
  t.settings.UpdateFile();
  SettingsStore reread(t.settings.FileName());
  ExceptionLog restarted(reread, "1.52");
  restarted.LogException(message);
  EXPECT_EQ(reread.ReadSectionValues("Exceptions"),
            (std::vector<std::pair<std::string, std::string>>{
                {"v1.52 - FileAsString - /data/a%3Db c - Permission denied", "2"}}));
}

TEST(ExceptionLogTest, TwoThreadsLoseNoCount) {
  test::TestEnvironment t;
  auto work = [&t] {
    for (int i = 0; i < 50; ++i)
      t.exceptions.LogException("WatchClients - busy");
  };
  std::thread worker(work);
  work();
  worker.join();
  EXPECT_EQ(t.ExceptionCount("WatchClients - busy"), 100);
}

TEST(ExceptionLogTest, FailuresAreCountedAndHandedOnOnceEvenWithAnUnwritableSettingsFile) {
  test::TestEnvironment t;
  SettingsStore unwritable(t.dir.path() + "no-such-dir/Tessarin.ini");
  ExceptionLog log(unwritable, "1.52");
  log.LogException("GetSlot - x");
  log.LogFailure("LogWU - /logs/boinc.csv - No space left on device");
  log.LogFailure("LogWU - /logs/boinc.csv - No space left on device");
  EXPECT_EQ(unwritable.ReadInteger("Exceptions",
                                   "v1.52 - LogWU - /logs/boinc.csv - No space "
                                   "left on device",
                                   0),
            2);
  EXPECT_EQ(log.TakeFailures(),
            std::vector<std::string>(2, "LogWU - /logs/boinc.csv - No space left on device"));
  EXPECT_TRUE(log.TakeFailures().empty());
}

}  // namespace
}  // namespace tessarin
