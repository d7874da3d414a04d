#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/setup/load_settings.h"
#include "core/setup/save_settings.h"
#include "setup_fakes.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

using test::FakeAutostart;
using test::TempDir;

class SetupStoreTest : public ::testing::Test {
 protected:
  std::string IniPath() const { return dir.path() + "Tessarin.ini"; }
  SetupContext Context() {
    return SetupContext{dir.path(), "/opt/tess app/tessarin", "/usr/games/smv",
                        "/var/lib/boinc-client/", autostart};
  }
  // Saves through one store and loads through a fresh one read from the file.
  SetupSettings SaveAndReload(const SetupSettings& values) {
    {
      SettingsStore store(IniPath());
      const SaveOutcome outcome = SaveSettings(store, values, Context());
      EXPECT_EQ(outcome.flushError, "");
    }
    SettingsStore reread(IniPath());
    return LoadSettings(reread, Context());
  }

  TempDir dir;
  FakeAutostart autostart;
};

TEST_F(SetupStoreTest, FirstStartOffersTheClientDirectoryUncheckedAndTurnsAutorunOn) {
  SettingsStore store(IniPath());
  const SetupSettings s = LoadSettings(store, Context());
  EXPECT_TRUE(IsFirstStart(store));
  EXPECT_TRUE(s.autorun);
  ASSERT_EQ(s.boincDirs.size(), 1u);
  EXPECT_EQ(s.boincDirs[0], (BoincDirEntry{"/var/lib/boinc-client/", false}));
  EXPECT_EQ(s.logDir, dir.path() + "logs");
  EXPECT_EQ(s.yellowAlert, 12);
  EXPECT_EQ(s.redAlert, 3);
  EXPECT_EQ(s.timer, 60);
  EXPECT_TRUE(s.backupResult);
  EXPECT_FALSE(s.backupWU);
  EXPECT_FALSE(s.backupState);
  EXPECT_TRUE(s.notify);  // the dialog's default, unlike the watch cycle's
  EXPECT_TRUE(s.center);
  EXPECT_TRUE(s.closeToTray);
  EXPECT_TRUE(s.recalculateProgress);
  EXPECT_FALSE(s.wallpaper);
  EXPECT_FALSE(s.wallpaperAvailable);  // no map viewer at that path
}

TEST_F(SetupStoreTest, AutorunFollowsTheEntryOnceSetUpAndTimer9999StillCountsAsFirstStart) {
  SettingsStore store(IniPath());
  store.WriteInteger("Options", "timer", 30);
  EXPECT_FALSE(LoadSettings(store, Context()).autorun);
  autostart.on = true;
  EXPECT_TRUE(LoadSettings(store, Context()).autorun);

  autostart.on = false;
  store.WriteInteger("Options", "timer", 9999);
  EXPECT_TRUE(IsFirstStart(store));
  const SetupSettings s = LoadSettings(store, Context());
  EXPECT_TRUE(s.autorun);
  EXPECT_EQ(s.timer, kTimerMax);  // the spin edit cannot show 9999
}

TEST_F(SetupStoreTest, StoredDirectoriesLoadSortedWithTheirChecksAndNoDefaultIsAdded) {
  SettingsStore store(IniPath());
  store.WriteString("BoincDirs", "/srv/b/", "0");
  store.WriteString("BoincDirs", "/home/A/", "");
  store.WriteString("BoincDirs", "/data/", "yes");
  store.WriteString("BoincDirs", "/home/a%3Db/", "1");
  const SetupSettings s = LoadSettings(store, Context());
  EXPECT_EQ(s.boincDirs,
            (std::vector<BoincDirEntry>{
                {"/data/", true}, {"/home/A/", true}, {"/home/a=b/", true}, {"/srv/b/", false}}));
}

TEST_F(SetupStoreTest, SpellingsOfOneDirectoryLoadAsOneEntryWatchedWhenEitherWas) {
  SettingsStore store(IniPath());
  store.WriteString("BoincDirs", "/var/lib/boinc-client", "0");
  store.WriteString("BoincDirs", "/var/lib/boinc-client/", "1");
  store.WriteString("BoincDirs", "/var/lib/BOINC-client/", "0");
  EXPECT_EQ(LoadSettings(store, Context()).boincDirs,
            (std::vector<BoincDirEntry>{{"/var/lib/boinc-client", true},
                                        {"/var/lib/BOINC-client/", false}}));
}

TEST_F(SetupStoreTest, OnlyAFirstStartIsOfferedTheDataDirectoryForLogs) {
  SettingsStore store(IniPath());
  SetupContext context = Context();
  context.firstStartLogDir = "/home/u/.local/share/Tessarin/logs";
  EXPECT_EQ(LoadSettings(store, context).logDir, "/home/u/.local/share/Tessarin/logs");
  // Set up before without a log directory: it has always logged beside Tessarin.ini.
  store.WriteInteger("Options", "timer", 60);
  EXPECT_EQ(LoadSettings(store, context).logDir, dir.path() + "logs");
  store.WriteString("Options", "logdir", "/srv/logs/");
  EXPECT_EQ(LoadSettings(store, context).logDir, "/srv/logs/");
}

TEST_F(SetupStoreTest, NoDefaultClientDirectoryLeavesTheListEmpty) {
  SettingsStore store(IniPath());
  SetupContext context = Context();
  context.defaultClientDir.clear();
  EXPECT_TRUE(LoadSettings(store, context).boincDirs.empty());
}

TEST_F(SetupStoreTest, CacheEmptySoundFallsBackToTheOlderKeysWhichSavingLeavesAlone) {
  SettingsStore store(IniPath());
  store.WriteString("Options", "sndfile", "/old.wav");
  store.WriteBool("Options", "playonce", true);
  SetupSettings s = LoadSettings(store, Context());
  EXPECT_EQ(s.soundCacheEmpty, "/old.wav");
  EXPECT_TRUE(s.cacheEmptyOnce);

  s.soundCacheEmpty = "SPEAKER:440,100";
  s.cacheEmptyOnce = false;
  SaveSettings(store, s, Context());
  EXPECT_EQ(store.ReadString("Options", "sndfile", ""), "/old.wav");
  EXPECT_TRUE(store.ReadBool("Options", "playonce", false));
  const SetupSettings again = LoadSettings(store, Context());
  EXPECT_EQ(again.soundCacheEmpty, "SPEAKER:440,100");
  EXPECT_FALSE(again.cacheEmptyOnce);
}

TEST_F(SetupStoreTest, DirectoriesWithEqualsBracketAndPercentSurviveSaveAndReload) {
  SetupSettings s;
  s.boincDirs = {{"/a%25b/", true}, {"/c=d/", false}, {"/e]f/", true}, {"/g=]%/", true}};
  const SetupSettings reloaded = SaveAndReload(s);
  EXPECT_EQ(reloaded.boincDirs, s.boincDirs);

  const std::string file = dir.Read("Tessarin.ini");
  EXPECT_NE(file.find("/a%2525b/=1"), std::string::npos);
  EXPECT_NE(file.find("/c%3Dd/=0"), std::string::npos);
  EXPECT_NE(file.find("/e%5Df/=1"), std::string::npos);
  EXPECT_NE(file.find("/g%3D%5D%25/=1"), std::string::npos);
}

TEST_F(SetupStoreTest, BoincDirsIsRewrittenWholeWithUncheckedEntriesAsZero) {
  SettingsStore store(IniPath());
  store.WriteString("BoincDirs", "/gone/", "1");
  store.WriteString("BoincDirs", "/kept/", "1");
  SetupSettings s = LoadSettings(store, Context());
  s.boincDirs = {{"/kept/", false}, {"/new/", true}};
  SaveSettings(store, s, Context());
  EXPECT_EQ(store.ReadSectionValues("BoincDirs"),
            (std::vector<std::pair<std::string, std::string>>{{"/kept/", "0"}, {"/new/", "1"}}));
}

TEST_F(SetupStoreTest, EveryValueRoundTripsAndTheMapViewerDirectoryIsSaved) {
  SetupSettings s;
  s.boincDirs = {{"/x/", true}};
  s.logDir = "/logs here";
  s.yellowAlert = 96;
  s.redAlert = 0;
  s.soundNewWU = "/n.wav";
  s.soundFinishedWU = "speaker:1000,50";
  s.soundYellowAlert = "/y.wav";
  s.yellowAlertOnce = true;
  s.soundRedAlert = "/r.wav";
  s.redAlertOnce = true;
  s.soundCacheEmpty = "/c.wav";
  s.cacheEmptyOnce = true;
  s.timer = 0;
  s.backupWU = true;
  s.backupResult = false;
  s.backupState = true;
  s.maxBackupMb = 8;
  s.autorun = false;
  s.closeToTray = false;
  s.silent = true;
  s.center = false;
  s.recalculateProgress = false;
  s.notify = false;
  s.desktopNotify = false;
  s.rateScores = true;
  s.wallpaper = true;
  SetupSettings expected = s;
  expected.wallpaperAtLoad = true;
  autostart.on = true;  // switched off by the save
  EXPECT_EQ(SaveAndReload(s), expected);
  EXPECT_EQ(autostart.calls, (std::vector<std::string>{"off"}));

  SettingsStore reread(IniPath());
  EXPECT_EQ(reread.ReadString("Options", "smvdir", ""), "/usr/games/");
  EXPECT_FALSE(reread.ReadBool("Options", "autorun", true));
  EXPECT_EQ(reread.ReadString("Options", "timer", ""), "0");
}

TEST_F(SetupStoreTest, AutorunOnHandsOverTheProgramPathAndAFailureIsReported) {
  SettingsStore store(IniPath());
  SetupSettings s = LoadSettings(store, Context());
  s.autorun = true;
  EXPECT_FALSE(SaveSettings(store, s, Context()).autostartFailed);
  EXPECT_EQ(autostart.calls, (std::vector<std::string>{"on:/opt/tess app/tessarin"}));
  EXPECT_TRUE(store.ReadBool("Options", "autorun", false));
  // Started with --home: login opens the same program directory.
  SetupContext home = Context();
  home.autostartArguments = {"--home", "/srv/tess/"};
  SaveSettings(store, s, home);
  EXPECT_EQ(autostart.calls.back(), "on:/opt/tess app/tessarin --home /srv/tess/");

  autostart.fail = true;
  EXPECT_TRUE(SaveSettings(store, s, Context()).autostartFailed);
}

TEST_F(SetupStoreTest, WallpaperIsRequestedOnlyWhenSwitchedFromOffToOn) {
  SettingsStore store(IniPath());
  struct Case {
    bool atLoad;
    bool now;
    bool requested;
  };
  for (const Case& c : {Case{false, true, true}, Case{true, true, false}, Case{true, false, false},
                        Case{false, false, false}}) {
    store.WriteBool("Special", "wallpaper", c.atLoad);
    SetupSettings s = LoadSettings(store, Context());
    EXPECT_EQ(s.wallpaperAtLoad, c.atLoad);
    s.wallpaper = c.now;
    EXPECT_EQ(SaveSettings(store, s, Context()).wallpaperRequest, c.requested)
        << c.atLoad << " -> " << c.now;
  }
}

TEST_F(SetupStoreTest, AnUnwritableFileIsReportedAndTheValuesStayInMemory) {
  std::filesystem::create_directory(IniPath());  // a directory where the file should be
  SettingsStore store(IniPath());
  SetupSettings s = LoadSettings(store, Context());
  s.timer = 15;
  s.wallpaper = true;
  const SaveOutcome outcome = SaveSettings(store, s, Context());
  EXPECT_NE(outcome.flushError, "");
  EXPECT_TRUE(outcome.wallpaperRequest);
  EXPECT_EQ(store.ReadInteger("Options", "timer", 0), 15);
}

TEST_F(SetupStoreTest, WallpaperIsOfferedOnlyWhenTheMapViewerExists) {
  SettingsStore store(IniPath());
  SetupContext context = Context();
  context.mapViewerPath = dir.Write("bin/smv", "#!/bin/sh\n");
  EXPECT_TRUE(LoadSettings(store, context).wallpaperAvailable);
  context.mapViewerPath = dir.path() + "bin";  // a directory is no program
  EXPECT_FALSE(LoadSettings(store, context).wallpaperAvailable);
}

TEST(DirectoryOfTest, KeepsTheTrailingSeparator) {
  EXPECT_EQ(DirectoryOf("/usr/bin/smv"), "/usr/bin/");
  EXPECT_EQ(DirectoryOf("/smv"), "/");
  EXPECT_EQ(DirectoryOf("smv"), "");
}

}  // namespace
}  // namespace tessarin

namespace tessarin {
namespace {

// Remote clients survive a save and reload; a typed password goes to the private credentials
// file, never into Tessarin.ini.
TEST_F(SetupStoreTest, RemoteClientsAndTypedPasswordsAreSavedApart) {
  SettingsStore store(IniPath());
  SetupSettings values = LoadSettings(store, Context());
  values.remotes = {{RemoteAddress{"boinc-box", 31416}, true, ""},
                    {RemoteAddress{"10.0.0.7", 1043}, false, dir.path() + "box.pw"}};
  values.typedPasswords = {{"boinc-box:31416", "typed secret"}};
  const SetupSettings reloaded = SaveAndReload(values);
  EXPECT_EQ(reloaded.remotes, values.remotes);
  EXPECT_EQ(ReadRemotePassword(reloaded.remotes[0], dir.path()), "typed secret");
  EXPECT_EQ(dir.Read("Tessarin.ini").find("secret"), std::string::npos);
}

}  // namespace
}  // namespace tessarin
