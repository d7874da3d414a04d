// The tray program's start: one instance per program directory, the first run, and the
// start-up conversions' messages.

#include "gui/display/tray_program.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/program/program.h"
#include "core/settings/settings_store.h"
#include "core/tools/sound.h"
#include "display_test_support.h"
#include "gui/controls/panel_ex.h"
#include "hint_test_support.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

class TrayProgramTest : public ::testing::Test {
 protected:
  TrayProgramTest() { test::EnsureApplication(); }

  std::unique_ptr<TrayProgram> Launch(WindowOpeners openers = {}) {
    TrayStartOptions options;
    options.homeOption = home();
    options.trayAvailable = true;
    options.openers = std::move(openers);
    return std::make_unique<TrayProgram>(std::move(options), boxes, sound, launcher);
  }
  std::string home() const { return dir.path() + "home/"; }
  void WriteSettings(const std::string& text) { dir.Write("home/Tessarin.ini", text); }

  test::TempDir dir;
  test::ScriptedMessageBoxes boxes;
  SilentSoundDevice sound;
  test::RecordingLauncher launcher;
};

TEST_F(TrayProgramTest, ASecondStartInTheSameProgramDirectoryEndsSilently) {
  WriteSettings("[Options]\r\ntimer=60\r\n");
  auto first = Launch();
  ASSERT_EQ(first->state(), TrayProgram::State::kRunning);
  EXPECT_EQ(first->programDir(), home());
  ASSERT_NE(first->form(), nullptr);

  auto second = Launch();
  EXPECT_EQ(second->state(), TrayProgram::State::kAnotherInstance);
  EXPECT_EQ(second->form(), nullptr);
  EXPECT_EQ(second->program(), nullptr);
  EXPECT_TRUE(boxes.shown.empty());
  second.reset();
  // The refused start took nothing away from the first.
  EXPECT_EQ(first->state(), TrayProgram::State::kRunning);

  first.reset();
  EXPECT_EQ(Launch()->state(), TrayProgram::State::kRunning);
}

TEST_F(TrayProgramTest, AFirstRunSaysHowToCreateTheSettingsAndEnds) {
  auto tray = Launch();
  EXPECT_EQ(tray->state(), TrayProgram::State::kFirstRun);
  EXPECT_EQ(tray->form(), nullptr);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Tessarin v1.52");
  EXPECT_TRUE(boxes.shown[0].text.contains(
      QString::fromStdString("tessarin-cli --home \"" + home() + "\" init --client")));
  // Nothing was written: the next start is a first run again.
  EXPECT_FALSE(std::filesystem::exists(home() + "Tessarin.ini"));
  tray.reset();

  // Options/timer = 9999 counts as a first run as well.
  WriteSettings("[Options]\r\ntimer=9999\r\n");
  EXPECT_EQ(Launch()->state(), TrayProgram::State::kFirstRun);
}

TEST_F(TrayProgramTest, AFirstRunOpensTheSetupWhenThereIsOne) {
  int setups = 0;
  WindowOpeners openers;
  openers.setup = [&](const WindowContext& context) {
    EXPECT_EQ(context.parent, nullptr);
    return ++setups > 1;  // cancelled the first time
  };
  EXPECT_EQ(Launch(openers)->state(), TrayProgram::State::kFirstRun);
  EXPECT_EQ(setups, 1);
  EXPECT_TRUE(boxes.shown.empty());

  // Confirmed: the setup has written Options/timer into the program's store.
  openers.setup = [](const WindowContext& context) {
    context.env.settings.WriteInteger("Options", "timer", 60);
    context.env.settings.UpdateFile();
    return true;
  };
  auto tray = Launch(openers);
  EXPECT_EQ(tray->state(), TrayProgram::State::kRunning);
  EXPECT_NE(tray->form(), nullptr);
}

TEST_F(TrayProgramTest, ConversionFailuresAreShownAndStartUpGoesOn) {
  WriteSettings("[Options]\r\ntimer=60\r\n");
  // A directory where a log should be: its upgrade cannot read it.
  std::filesystem::create_directories(home() + "logs/sah_boinc.csv");
  auto tray = Launch();
  ASSERT_EQ(tray->state(), TrayProgram::State::kRunning);
  tray->Start();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::kError);
  EXPECT_TRUE(boxes.shown[0].text.startsWith("UpgradeLogFiles - "));
  EXPECT_TRUE(tray->form()->Timer().isActive());
  EXPECT_TRUE(tray->form()->isVisible());  // the start-up bar
}

}  // namespace
}  // namespace tessarin
