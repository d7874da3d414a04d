#include "gui/setup/run_setup_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "core/settings/settings_store.h"
#include "core/setup/setup_fakes.h"
#include "gui/controls/h_check_list_box.h"
#include "gui/controls/h_edit.h"
#include "gui/setup/setup_dlg.h"
#include "hint_test_support.h"
#include "setup_test_fakes.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

class SetupRunTest : public ::testing::Test {
 protected:
  SetupRunTest() {
    client = env.dir.MakeDir("client");
    env.dir.Write("client/client_state.xml", "<client_state/>");
    mapViewer = env.dir.Write("bin/smv", "#!/bin/sh\n");
    hooks.applyTimerInterval = [this] {
      applied.push_back(env.settings.ReadInteger("Options", "timer", -1));
    };
    hooks.requestWallpaper = [this] { ++wallpaperRequests; };
    hooks.scoresChanged = [this](const ScoreThresholds&) { ++scoreRuns; };
    hooks.hints = &hints;
  }

  // Runs the modal dialog; `act` works on it once it shows.
  bool Run(const std::function<void(TSetupDlg&)>& act) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TSetupDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
      if (dialog->isVisible())
        dialog->reject();  // a failed check must not leave the test hanging
    });
    const SetupContext context{env.dir.path(), "/usr/bin/tessarin", mapViewer, client, autostart};
    return RunSetupDialog(env.env, context, boxes, files, hooks);
  }
  static void Confirm(TSetupDlg& d) {
    d.lbBoincDirs->item(0)->setCheckState(Qt::Checked);
    d.btnOk->click();
  }

  QApplication& app = test::EnsureApplication();
  test::TestEnvironment env;
  test::FakeAutostart autostart;
  test::QueuedMessageBoxes boxes;
  test::ScriptedFileChoosers files;
  THintController hints;
  SetupDialogHooks hooks;
  std::string client;
  std::string mapViewer;
  std::vector<int> applied;
  int wallpaperRequests = 0;
  int scoreRuns = 0;
};

TEST_F(SetupRunTest, OkSavesFlushesAppliesTheIntervalAndRatesScoresAgain) {
  const bool accepted = Run([](TSetupDlg& d) {
    d.edTimer->setValue(17);
    Confirm(d);
  });
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(applied, std::vector<int>{17});
  EXPECT_EQ(scoreRuns, 1);
  EXPECT_EQ(wallpaperRequests, 0);
  SettingsStore onDisk(env.settings.FileName());
  EXPECT_EQ(onDisk.ReadInteger("Options", "timer", -1), 17);
  EXPECT_TRUE(onDisk.ReadBool("BoincDirs", client, false));
  EXPECT_EQ(autostart.calls, std::vector<std::string>{"on:/usr/bin/tessarin"});
}

TEST_F(SetupRunTest, CancelWritesNothingAndLeavesAutostartButStillRatesScores) {
  const bool accepted = Run([](TSetupDlg& d) {
    d.edTimer->setValue(17);
    d.btnCancel->click();
  });
  EXPECT_FALSE(accepted);
  EXPECT_FALSE(std::filesystem::exists(env.settings.FileName()));
  EXPECT_FALSE(env.settings.SectionExists("Options"));
  EXPECT_TRUE(applied.empty());
  EXPECT_TRUE(autostart.calls.empty());
  EXPECT_EQ(scoreRuns, 1);
}

TEST_F(SetupRunTest, AFailedCheckKeepsTheDialogOpen) {
  bool stillOpen = false;
  const bool accepted = Run([&](TSetupDlg& d) {
    d.edLogDir->setText(QString::fromStdString(env.dir.path() + "not yet"));
    boxes.answers = {MessageAnswer::kCancel};  // do not create it
    d.btnOk->click();
    stillOpen = d.isVisible();
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_FALSE(accepted);
  EXPECT_TRUE(applied.empty());
}

TEST_F(SetupRunTest, SwitchingTheWallpaperOnRequestsOneUpdateAndKeepingItOnNone) {
  EXPECT_TRUE(Run([](TSetupDlg& d) {
    EXPECT_FALSE(d.cbWallpaper->isHidden());
    d.cbWallpaper->setChecked(true);
    Confirm(d);
  }));
  EXPECT_EQ(wallpaperRequests, 1);
  EXPECT_TRUE(Run([](TSetupDlg& d) {
    EXPECT_TRUE(d.cbWallpaper->isChecked());
    Confirm(d);
  }));
  EXPECT_EQ(wallpaperRequests, 1);
}

TEST_F(SetupRunTest, AFirstStartRunsWithoutTheMainWindowsHooks) {
  SetupDialogHooks none;
  hooks = none;
  EXPECT_TRUE(Run(Confirm));
  EXPECT_EQ(env.settings.ReadInteger("Options", "timer", -1), 60);
}

TEST_F(SetupRunTest, SettingsThatCannotBeWrittenOrAnAutostartFailureAreReported) {
  std::filesystem::create_directory(env.settings.FileName());  // the file's place is taken
  autostart.fail = true;
  EXPECT_TRUE(Run(Confirm));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::kError);
  EXPECT_TRUE(boxes.shown[0].text.startsWith("The settings could not be written to "));
  EXPECT_EQ(boxes.shown[1].text, "The autostart entry could not be changed.");
  EXPECT_EQ(applied, std::vector<int>{60});  // the new values still apply to this run
}

}  // namespace
}  // namespace tessarin
