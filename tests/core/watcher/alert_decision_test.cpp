#include "core/watcher/alert_decision.h"

#include <gtest/gtest.h>

#include "core/settings/settings_keys.h"
#include "support/test_environment.h"

namespace tessarin::test {
namespace {

struct AlertTest : ::testing::Test {
  // Runs one decision; returns which alert flag it raised ("" for none).
  std::string Decide(AlertConditions conditions) {
    CycleFlags flags;
    changed = DecideAlert(conditions, t.settings, memory, flags);
    if (flags.cacheEmpty)
      return "empty";
    if (flags.redAlert)
      return "red";
    if (flags.yellowAlert)
      return "yellow";
    return "";
  }
  TestEnvironment t;
  AlertMemory memory;
  bool changed = false;
};

constexpr AlertConditions kNone{};
constexpr AlertConditions kYellow{true, false, false};
constexpr AlertConditions kRed{true, true, false};
constexpr AlertConditions kEmpty{true, true, true};

TEST_F(AlertTest, WithoutOnceEveryAlertCycleRaisesItsSound) {
  EXPECT_EQ(Decide(kRed), "red");
  EXPECT_EQ(Decide(kRed), "red");
  EXPECT_EQ(Decide(kEmpty), "empty");
  EXPECT_EQ(Decide(kEmpty), "empty");
  EXPECT_EQ(Decide(kYellow), "yellow");
  EXPECT_EQ(Decide(kNone), "");
  EXPECT_EQ(memory.alertState, 0);
}

TEST_F(AlertTest, OnceSoundsPlayOnEnteringTheirState) {
  t.settings.Write(settings::kRedAlertOnce, true);
  t.settings.Write(settings::kYellowAlertOnce, true);
  EXPECT_EQ(Decide(kRed), "red");
  EXPECT_EQ(Decide(kRed), "");
  EXPECT_EQ(Decide(kYellow), "");  // coming down from red is not entering yellow
  EXPECT_EQ(memory.alertState, 1);
  EXPECT_EQ(Decide(kRed), "red");
  EXPECT_EQ(Decide(kEmpty), "empty");
  EXPECT_EQ(Decide(kRed), "");  // cache empty to red is not entering red
  EXPECT_EQ(Decide(kNone), "");
  EXPECT_EQ(Decide(kYellow), "yellow");
}

TEST_F(AlertTest, CacheEmptyOnceDefaultsToPlayOnce) {
  t.settings.Write(settings::kPlayOnce, true);
  EXPECT_EQ(Decide(kEmpty), "empty");
  EXPECT_EQ(Decide(kEmpty), "");
  t.settings.WriteBool("Sound", "CacheEmptyOnce", false);
  EXPECT_EQ(Decide(kEmpty), "empty");
}

TEST_F(AlertTest, TrayLevelFollowsAlertsButTheImageChangesOnlyWithNotify) {
  EXPECT_EQ(memory.trayLevel, 1);
  Decide(kNone);
  EXPECT_EQ(memory.trayLevel, 0);
  EXPECT_FALSE(changed);
  Decide(kEmpty);
  EXPECT_EQ(memory.trayLevel, 2);
  EXPECT_FALSE(changed);

  t.settings.Write(settings::kNotifyInCycle, true);
  Decide(kRed);
  EXPECT_FALSE(changed);  // same level as cache empty
  Decide(kYellow);
  EXPECT_TRUE(changed);
  EXPECT_EQ(memory.trayLevel, 1);
}

}  // namespace
}  // namespace tessarin::test
