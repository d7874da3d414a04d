#include "gui/setup/setup_dlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include <QListWidget>
#include "core/remote/remote_clients.h"
#include "core/settings/settings_store.h"
#include "core/setup/setup_fakes.h"
#include "core/setup/setup_validation.h"
#include "gui/controls/h_check_list_box.h"
#include "gui/controls/h_edit.h"
#include "gui/setup/remote_client_dlg.h"
#include "hint_test_support.h"
#include "setup_test_fakes.h"
#include "support/temp_dir.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

class SetupDlgTest : public ::testing::Test {
 protected:
  SetupDlgTest() {
    client = env.dir.MakeDir("client");
    env.dir.Write("client/client_state.xml", "<client_state/>");
  }
  SetupContext Context() {
    return SetupContext{env.dir.path(), "/usr/bin/tessarin", mapViewer, defaultClientDir,
                        autostart};
  }
  TSetupDlg& Dialog() {
    if (!dialog) {
      dialog = std::make_unique<TSetupDlg>(env.settings, Context(),
                                           SetupDialogServices{boxes, files, env.sound, &hints});
      dialog->LoadSettings();
    }
    return *dialog;
  }
  QStringList ListTexts() {
    QStringList texts;
    for (int i = 0; i < Dialog().lbBoincDirs->count(); ++i)
      texts << Dialog().lbBoincDirs->item(i)->text();
    return texts;
  }
  void SetDirs(const std::vector<std::pair<std::string, bool>>& dirs) {
    for (const auto& [dir, on] : dirs)
      env.settings.WriteBool("BoincDirs", dir, on);
  }

  QApplication& app = test::EnsureApplication();
  test::TestEnvironment env;
  test::FakeAutostart autostart;
  test::QueuedMessageBoxes boxes;
  test::ScriptedFileChoosers files;
  THintController hints;
  std::string client;
  std::string mapViewer = "/nonexistent/smv";
  std::string defaultClientDir;
  std::unique_ptr<TSetupDlg> dialog;
};

TEST_F(SetupDlgTest, PagesGroupsAndHintsAreAsOnTheForm) {
  TSetupDlg& d = Dialog();
  EXPECT_EQ(d.windowTitle(), "Setup");
  ASSERT_EQ(d.pcSetup->count(), 4);
  EXPECT_EQ(d.pcSetup->tabText(0), "Directories");
  EXPECT_EQ(d.pcSetup->tabText(1), "Notifications");
  EXPECT_EQ(d.pcSetup->tabText(2), "Sounds");
  EXPECT_EQ(d.pcSetup->tabText(3), "Other settings");

  struct Group {
    QGroupBox* box;
    int page;
    const char* caption;
    const char* hint;
  };
  const Group groups[] = {
      {d.gbBoincDirs, 0, "BOINC client directories",
       "Add all directories of your BOINC clients to this list"},
      {d.gbLogDir, 0, "Directory for log files",
       "Here you have to enter the directory, where the log files and backups will be stored"},
      {d.gbNotificationYellow, 1, "Yellow alert", ""},
      {d.gbNotificationRed, 1, "Red alert", ""},
      {d.gbSoundNewWU, 2, "New WU", "This sound will be played when a new WU has been downloaded"},
      {d.gbSoundFinishedWU, 2, "Finished WU",
       "This sound will be played when a WU has been finished"},
      {d.gbSoundYellowAlert, 2, "Yellow alert",
       "This sound will be played when a client enters yellow alert state"},
      {d.gbSoundRedAlert, 2, "Red alert",
       "This sound will be played when a client enters red alert state"},
      {d.gbSoundCacheEmpty, 2, "Cache empty",
       "This sound will be played when a client has no work left"},
      {d.gbInterval, 3, "Monitoring interval",
       "Here you can adjust how often Tessarin looks for changes"},
      {d.gbArchive, 3, "Archive",
       "Here you can choose to make archive copies of the most interesting files"},
      {d.gbOptions, 3, "Additional options", ""},
  };
  for (const Group& g : groups) {
    ASSERT_NE(g.box, nullptr) << g.caption;
    EXPECT_EQ(g.box->title(), g.caption);
    EXPECT_EQ(g.box->toolTip(), g.hint) << g.caption;
    EXPECT_TRUE(d.pcSetup->widget(g.page)->isAncestorOf(g.box)) << g.caption;
  }
  EXPECT_TRUE(d.btnOk->isDefault());
  EXPECT_EQ(d.btnOk->text(), "OK");
  EXPECT_EQ(d.btnCancel->text(), "Cancel");
  EXPECT_TRUE(d.lbBoincDirs->SpHint());
  EXPECT_TRUE(d.edLogDir->SpHint());
  EXPECT_EQ(d.lbBoincDirs->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(SetupDlgTest, ControlsCarryTheirCaptionsHintsRangesAndLabels) {
  TSetupDlg& d = Dialog();
  const std::tuple<QCheckBox*, const char*, const char*> checks[] = {
      {d.cbSoundYellowAlertOnce, "play only once", ""},
      {d.cbSoundRedAlertOnce, "play only once", ""},
      {d.cbSoundCacheEmptyOnce, "play only once", ""},
      {d.cbBackupWu, "workunit files", ""},
      {d.cbBackupResult, "result files", ""},
      {d.cbBackupState, "state files (for SETI@home only)", ""},
      {d.cbAutorun, "autorun at startup", "Automatically start Tessarin at login"},
      {d.cbClosetotray, "close to tray", "Close monitoring display into tray"},
      {d.cbSilent, "start silent", "Don't show splash message on loading"},
      {d.cbCenter, "center display", "Center the monitoring display on the screen"},
      {d.cbRecalculateProgress, "recalculate progress",
       "Recalculate progress to fix incorrect progress display of SETI@home application"},
      {d.cbNotify, "colored tray notification",
       "The color of the tray icon will show the average progress of your clients"},
      {d.cbRateScores, "rate scores", "Rate signal score in relation to previous results"},
      {d.cbWallpaper, "make wallpaper", "Let SMV automatically update your desktop wallpaper"},
  };
  for (const auto& [box, caption, hint] : checks) {
    EXPECT_EQ(box->text(), caption);
    EXPECT_EQ(box->toolTip(), hint) << caption;
  }
  EXPECT_EQ(d.tbYellowAlert->minimum(), 0);
  EXPECT_EQ(d.tbYellowAlert->maximum(), 96);
  EXPECT_EQ(d.tbYellowAlert->tickInterval(), 6);
  EXPECT_EQ(d.tbRedAlert->maximum(), 48);
  EXPECT_EQ(d.tbRedAlert->tickInterval(), 3);
  const auto labels = [](QWidget* box) {
    QStringList texts;
    for (const QLabel* label : box->findChildren<QLabel*>())
      texts << label->text();
    return texts;
  };
  EXPECT_EQ(labels(d.gbNotificationYellow), (QStringList{"0h", "24h", "48h", "72h", "96h"}));
  EXPECT_EQ(labels(d.gbNotificationRed), (QStringList{"0h", "12h", "24h", "36h", "48h"}));
  EXPECT_EQ(d.edTimer->minimum(), 0);
  EXPECT_EQ(d.edTimer->maximum(), 999);
  EXPECT_EQ(labels(d.gbInterval), QStringList{"seconds"});
  for (QPushButton* test : {d.btnTestNewWU, d.btnTestFinishedWU, d.btnTestYellowAlert,
                            d.btnTestRedAlert, d.btnTestCacheEmpty}) {
    EXPECT_EQ(test->text(), "Test");
  }
}

TEST_F(SetupDlgTest, AFirstStartShowsTheClientDirectoryUncheckedAndAutorunOn) {
  defaultClientDir = client;
  TSetupDlg& d = Dialog();
  ASSERT_EQ(d.lbBoincDirs->count(), 1);
  EXPECT_EQ(d.lbBoincDirs->item(0)->text(), QString::fromStdString(client));
  EXPECT_EQ(d.lbBoincDirs->item(0)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(d.cbAutorun->isChecked());
  EXPECT_EQ(d.edLogDir->text(), QString::fromStdString(env.dir.path() + "logs"));
  EXPECT_EQ(d.tbYellowAlert->value(), 12);
  EXPECT_EQ(d.tbRedAlert->value(), 3);
  EXPECT_EQ(d.edTimer->value(), 60);
  EXPECT_TRUE(d.cbNotify->isChecked());
  EXPECT_TRUE(d.cbBackupResult->isChecked());
  EXPECT_TRUE(d.cbWallpaper->isHidden());
}

TEST_F(SetupDlgTest, TheWallpaperOptionShowsWhenTheMapViewerExists) {
  mapViewer = env.dir.Write("smv", "#!/bin/sh\n");
  EXPECT_FALSE(Dialog().cbWallpaper->isHidden());
}

TEST_F(SetupDlgTest, OkChecksInOrderShowingTheTextsAsWritten) {
  TSetupDlg& d = Dialog();
  d.edLogDir->clear();
  d.btnOkClick();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::kError);
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(boxes.shown[0].text, "You must specify at least one BOINC directory!");

  SetDirs({{"/nowhere/a", true}});
  d.LoadSettings();
  d.edLogDir->setText(QString::fromStdString(env.env.logDir));
  boxes.answers = {MessageAnswer::kOk};
  d.btnOkClick();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].kind, MessageKind::kWarning);
  EXPECT_EQ(boxes.shown[1].buttons, MessageButtons::kOkIgnore);
  // One line break for the label, and the accent as the character U+00B4.
  EXPECT_EQ(boxes.shown[1].text, QString("The specified directory \"/nowhere/a\"\ndoesn") +
                                     QChar(0x00B4) + "t seem to be a valid BOINC directory!");

  boxes.answers = {MessageAnswer::kIgnore};
  d.btnOkClick();
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(SetupDlgTest, TheSameDirectoryIsRefusedForATickedClientAndOnlyWarnsForAnUntickedOne) {
  SetDirs({{client, true}});
  TSetupDlg& d = Dialog();
  d.edLogDir->setText(QString::fromStdString(client));
  d.btnOkClick();
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_EQ(boxes.Texts(), QStringList{setup_texts::kSameDirs});
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::kOk);
  // Nothing the user typed is lost by a failed check.
  EXPECT_EQ(d.edLogDir->text(), QString::fromStdString(client));

  SetDirs({{client, false}});
  d.LoadSettings();
  d.edLogDir->setText(QString::fromStdString(client));
  boxes.answers = {MessageAnswer::kOk};
  d.btnOkClick();
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_EQ(boxes.shown.back().buttons, MessageButtons::kOkIgnore);

  boxes.answers = {MessageAnswer::kIgnore};
  d.btnOkClick();
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(SetupDlgTest, AMissingLogDirectoryIsOfferedAndCreated) {
  SetDirs({{client, true}});
  TSetupDlg& d = Dialog();
  const std::string fresh = env.dir.path() + "fresh";
  d.edLogDir->setText(QString::fromStdString(fresh));
  boxes.answers = {MessageAnswer::kCancel};
  d.btnOkClick();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::kInformation);
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::kOkCancel);
  EXPECT_EQ(boxes.shown[0].text, QString("The specified log directory does not exist. It") +
                                     QChar(0x00B4) + "ll now be created!");
  d.btnOkClick();  // answered OK
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_TRUE(std::filesystem::is_directory(fresh));
}

TEST_F(SetupDlgTest, AddStartsAtTheSelectionOrTheProgramDirectoryAndKeepsTheListSorted) {
  SetDirs({{"/srv/m/", false}});
  TSetupDlg& d = Dialog();
  d.lbBoincDirs->setCurrentRow(-1);
  files.answers = {"/home/b", "", "/srv/z"};
  d.btnAddClick();
  EXPECT_EQ(files.folderStarts.last(), QString::fromStdString(env.dir.path()));
  EXPECT_EQ(ListTexts(), (QStringList{"/home/b", "/srv/m/"}));
  EXPECT_EQ(d.lbBoincDirs->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(d.lbBoincDirs->currentRow(), 0);

  d.lbBoincDirs->setCurrentRow(1);
  d.btnAddClick();  // cancelled
  EXPECT_EQ(files.folderStarts.last(), "/srv/m/");
  EXPECT_EQ(ListTexts().size(), 2);

  d.btnAddClick();
  EXPECT_EQ(ListTexts(), (QStringList{"/home/b", "/srv/m/", "/srv/z"}));
  EXPECT_EQ(files.newFolderAllowed, (std::vector<bool>{false, false, false}));

  // Choosing a listed directory (under another spelling) ticks it instead of listing it twice.
  files.answers = {"/srv//m"};
  d.btnAddClick();
  EXPECT_EQ(ListTexts().size(), 3);
  EXPECT_EQ(d.lbBoincDirs->item(1)->checkState(), Qt::Checked);
}

TEST_F(SetupDlgTest, RemoveDropsEverySelectedEntryIncludingNeighbours) {
  SetDirs({{"/a/", true}, {"/b/", true}, {"/c/", false}, {"/d/", true}, {"/e/", true}});
  TSetupDlg& d = Dialog();
  for (int row : {1, 2, 4})
    d.lbBoincDirs->item(row)->setSelected(true);
  d.btnRemoveClick();
  EXPECT_EQ(ListTexts(), (QStringList{"/a/", "/d/"}));
}

TEST_F(SetupDlgTest, TheLogDirectoryChooserStartsAtTheTypedTextAndMayMakeFolders) {
  TSetupDlg& d = Dialog();
  d.edLogDir->setText("/var/typed");
  files.answers = {"/var/chosen", ""};
  d.btnSelectDirClick();
  EXPECT_EQ(files.folderStarts, QStringList{"/var/typed"});
  EXPECT_EQ(files.newFolderAllowed, std::vector<bool>{true});
  EXPECT_EQ(d.edLogDir->text(), "/var/chosen");
  d.btnSelectDirClick();
  EXPECT_EQ(d.edLogDir->text(), "/var/chosen");
}

TEST_F(SetupDlgTest, ASpeakerTuneIsNeverHandedToTheFileDialog) {
  TSetupDlg& d = Dialog();
  d.edSoundNewWU->setText("/sounds/new.wav");
  d.btnSoundNewWUClick();  // cancelled
  EXPECT_EQ(files.wavePresets.last(), "/sounds/new.wav");
  EXPECT_EQ(d.edSoundNewWU->text(), "/sounds/new.wav");

  // The dialog keeps the name it had.
  d.edSoundRedAlert->setText("speaker:800,100,400,100");
  files.answers = {"/sounds/red.wav"};
  d.btnSoundRedAlertClick();
  EXPECT_EQ(files.wavePresets.last(), "/sounds/new.wav");
  EXPECT_EQ(d.edSoundRedAlert->text(), "/sounds/red.wav");

  d.edSoundCacheEmpty->setText("SPEAKER:440,50");
  d.btnSoundCacheEmptyClick();
  EXPECT_EQ(files.wavePresets.last(), "/sounds/red.wav");
  EXPECT_EQ(d.edSoundCacheEmpty->text(), "SPEAKER:440,50");

  d.edSoundYellowAlert->setText("");
  d.btnSoundYellowAlertClick();
  d.edSoundFinishedWU->setText("/f.wav");
  d.btnSoundFinishedWUClick();
  EXPECT_EQ(files.wavePresets,
            (QStringList{"/sounds/new.wav", "/sounds/new.wav", "/sounds/red.wav", "", "/f.wav"}));
}

// Plays until stopped, as a long sound on a real device would.
class EndlessSoundDevice final : public SoundDevice {
 public:
  void PlayWaveFile(const std::string&) override { Wait(); }
  void Beep(int, int) override { Wait(); }
  void Stop() override { stopped = true; }
  std::atomic<int> started{0};
  std::atomic<bool> stopped{false};

 private:
  void Wait() {
    ++started;
    while (!stopped)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
};

void AwaitQuiet(const TSetupDlg& d) {
  while (d.TestPlaying())
    QApplication::processEvents(QEventLoop::AllEvents, 1);
}

TEST_F(SetupDlgTest, TestPlaysTheSoundAsTheWatchCycleWould) {
  TSetupDlg& d = Dialog();
  const std::string wave = env.dir.Write("bell.wav", "RIFF");
  d.edSoundNewWU->setText("SPEAKER:440,100,880,50");
  d.edSoundFinishedWU->setText(QString::fromStdString(wave));
  d.edSoundRedAlert->setText("/missing.wav");
  for (QPushButton* test : {d.btnTestNewWU, d.btnTestFinishedWU, d.btnTestRedAlert,
                            d.btnTestCacheEmpty}) {  // the last one is empty: nothing
    test->click();
    AwaitQuiet(d);
  }
  EXPECT_EQ(env.sound.played,
            (std::vector<std::string>{"beep:440,100", "beep:880,50", "wave:" + wave}));
}

TEST_F(SetupDlgTest, TestLeavesTheDialogFreeAndASecondPressStopsTheWholeTune) {
  EndlessSoundDevice endless;
  TSetupDlg d(env.settings, Context(), SetupDialogServices{boxes, files, endless, &hints});
  d.LoadSettings();
  d.edSoundRedAlert->setText("SPEAKER:440,100,880,50");
  d.btnTestRedAlert->click();  // returns while the sound plays
  EXPECT_TRUE(d.TestPlaying());
  EXPECT_EQ(d.btnTestRedAlert->text(), "Stop");
  while (endless.started == 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  d.btnTestRedAlert->click();
  EXPECT_TRUE(endless.stopped);
  EXPECT_FALSE(d.TestPlaying());
  EXPECT_EQ(endless.started, 1);  // the second beep of the tune never began
  EXPECT_EQ(d.btnTestRedAlert->text(), "Test");
}

TEST_F(SetupDlgTest, NamesThatAreNotUtf8AreSavedBackByteForByte) {
  const std::string latin1Dir = "/srv/caf\xE9/boinc/";
  const std::string latin1Logs = "/srv/caf\xE9/logs";
  SetDirs({{latin1Dir, true}});
  env.settings.WriteString("Options", "logdir", latin1Logs);
  env.settings.WriteString("Sound", "NewWU", "/snd/\xE9t\xE9.wav");
  TSetupDlg& d = Dialog();
  d.SaveSettings();  // OK without touching anything
  SettingsStore reread(env.settings.FileName());
  EXPECT_EQ(reread.ReadSection("BoincDirs"), std::vector<std::string>{latin1Dir});
  EXPECT_EQ(reread.ReadString("Options", "logdir", ""), latin1Logs);
  EXPECT_EQ(reread.ReadString("Sound", "NewWU", ""), "/snd/\xE9t\xE9.wav");
}

TEST_F(SetupDlgTest, TildeIsTheHomeAndTheSoundChooserStartsInTheSoundTheme) {
  SetupContext context = Context();
  context.home = "/home/u";
  context.soundThemeDir = "/usr/share/sounds/freedesktop/stereo";
  TSetupDlg d(env.settings, context, SetupDialogServices{boxes, files, env.sound, &hints});
  d.LoadSettings();
  d.edLogDir->setText("~/tess-logs");
  d.edSoundNewWU->setText("~/new.oga");
  EXPECT_EQ(d.Values().logDir, "/home/u/tess-logs");
  EXPECT_EQ(d.Values().soundNewWU, "/home/u/new.oga");
  d.btnSoundCacheEmptyClick();  // nothing named yet
  EXPECT_EQ(files.wavePresets.last(), "/usr/share/sounds/freedesktop/stereo");
}

TEST_F(SetupDlgTest, DirectoryKeysAndChecksSurviveTheDialogsSaveAndReload) {
  SetDirs({{"/x%3Dy%5D%25/", false}});  // "/x=y]%/"
  TSetupDlg& d = Dialog();
  EXPECT_EQ(ListTexts(), QStringList{"/x=y]%/"});
  files.answers = {"/p=q]%"};
  d.btnAddClick();
  EXPECT_EQ(d.SaveSettings().flushError, "");

  SettingsStore reread(env.settings.FileName());
  EXPECT_EQ(reread.ReadSectionValues("BoincDirs"),
            (std::vector<std::pair<std::string, std::string>>{{"/p%3Dq%5D%25", "1"},
                                                              {"/x%3Dy%5D%25/", "0"}}));
  d.LoadSettings();
  EXPECT_EQ(ListTexts(), (QStringList{"/p=q]%", "/x=y]%/"}));
  EXPECT_EQ(d.lbBoincDirs->item(1)->checkState(), Qt::Unchecked);
}

TEST_F(SetupDlgTest, ControlsMapOntoTheirKeys) {
  TSetupDlg& d = Dialog();
  d.tbYellowAlert->setValue(30);
  d.tbRedAlert->setValue(6);
  d.edTimer->setValue(5);
  d.cbBackupWu->setChecked(true);
  d.cbBackupResult->setChecked(false);
  d.cbSilent->setChecked(true);
  d.cbAutorun->setChecked(false);
  d.edSoundYellowAlert->setText("/y.wav");
  d.cbSoundYellowAlertOnce->setChecked(true);
  d.SaveSettings();
  const SettingsStore& s = env.settings;
  EXPECT_EQ(s.ReadString("Options", "yellowalert", ""), "30");
  EXPECT_EQ(s.ReadString("Options", "redalert", ""), "6");
  EXPECT_EQ(s.ReadString("Options", "timer", ""), "5");
  EXPECT_EQ(s.ReadString("Backup", "WU", ""), "1");
  EXPECT_EQ(s.ReadString("Backup", "result", ""), "0");
  EXPECT_EQ(s.ReadString("Options", "silent", ""), "1");
  EXPECT_EQ(s.ReadString("Options", "autorun", ""), "0");
  EXPECT_EQ(s.ReadString("Sound", "YellowAlert", ""), "/y.wav");
  EXPECT_EQ(s.ReadString("Sound", "YellowAlertOnce", ""), "1");
  EXPECT_EQ(autostart.calls, std::vector<std::string>{"off"});
}

}  // namespace
}  // namespace tessarin

namespace tessarin {
namespace {

// "Add remote…" checks what was entered, lists the client, and its typed password goes to
// the private credentials file on OK; Tessarin.ini never holds it.
TEST_F(SetupDlgTest, AddRemoteChecksTheEntryAndKeepsThePasswordApart) {
  TSetupDlg& d = Dialog();
  TRemoteClientDlg entry(boxes, &d);
  entry.edHost->setText("bad host");
  entry.edPassword->setText("typed secret");
  entry.btnOkClick();
  EXPECT_EQ(entry.result(), QDialog::Rejected);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::kError);
  entry.edHost->setText("boinc-box");
  entry.btnOkClick();
  EXPECT_EQ(entry.result(), QDialog::Accepted);
  EXPECT_EQ(boxes.shown.size(), 1u);

  d.askRemote = [&] { return std::optional<RemoteChoice>(entry.Choice()); };
  d.btnAddRemote->click();
  ASSERT_EQ(d.lbRemoteClients->count(), 1);
  EXPECT_EQ(d.lbRemoteClients->item(0)->text(), "boinc-box:31416");
  EXPECT_EQ(d.lbRemoteClients->item(0)->checkState(), Qt::Checked);
  d.lbRemoteClients->item(0)->setCheckState(Qt::Unchecked);

  const SetupSettings values = d.Values();
  ASSERT_EQ(values.remotes.size(), 1u);
  EXPECT_FALSE(values.remotes[0].enabled);
  d.edLogDir->setText(QString::fromStdString(env.dir.MakeDir("logs")));
  d.SaveSettings();
  const std::vector<RemoteClientSetting> saved = ReadRemoteClients(env.settings);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(ReadRemotePassword(saved[0], env.dir.path()), "typed secret");
  EXPECT_EQ(env.dir.Read("Tessarin.ini").find("secret"), std::string::npos);

  d.lbRemoteClients->item(0)->setSelected(true);
  d.btnRemoveRemote->click();
  EXPECT_EQ(d.lbRemoteClients->count(), 0);
}

}  // namespace
}  // namespace tessarin
