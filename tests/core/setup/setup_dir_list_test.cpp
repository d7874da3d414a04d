#include <gtest/gtest.h>

#include "core/setup/boinc_dir_list.h"
#include "core/setup/setup_paths.h"
#include "core/setup/sound_choice.h"

namespace tessarin {
namespace {

TEST(BoincDirListTest, AddingKeepsTheListSortedWithoutRegardToCase) {
  std::vector<BoincDirEntry> dirs;
  EXPECT_EQ(AddBoincDir(dirs, "/srv/b/"), 0u);
  EXPECT_EQ(AddBoincDir(dirs, "/Home/x/"), 0u);
  EXPECT_EQ(AddBoincDir(dirs, "/home/y/"), 1u);
  EXPECT_EQ(AddBoincDir(dirs, "/var/"), 3u);
  EXPECT_EQ(dirs, (std::vector<BoincDirEntry>{
                      {"/Home/x/", true}, {"/home/y/", true}, {"/srv/b/", true}, {"/var/", true}}));
}

TEST(BoincDirListTest, AnotherSpellingOfAListedDirectoryChecksItAndAnotherCaseIsNew) {
  std::vector<BoincDirEntry> dirs{{"/a/", true}, {"/data/BOINC/", false}};
  EXPECT_EQ(AddBoincDir(dirs, "/data//BOINC"), 1u);
  EXPECT_EQ(dirs, (std::vector<BoincDirEntry>{{"/a/", true}, {"/data/BOINC/", true}}));
  EXPECT_EQ(AddBoincDir(dirs, "/data/boinc/"), 2u);
  EXPECT_EQ(dirs.size(), 3u);
}

TEST(BoincDirListTest, KeysEscapeInOrderAndUnescapeInReverse) {
  EXPECT_EQ(BoincDirKey("/%3D/=]"), "/%253D/%3D%5D");
  EXPECT_EQ(BoincDirFromKey(BoincDirKey("/%3D/=]")), "/%3D/=]");
}

TEST(SetupPathsTest, TildeIsExpandedInEveryPathFieldButNotInSpeakerTunes) {
  SetupSettings s;
  s.logDir = "~/tess-logs";
  s.boincDirs = {{"~/BOINC", true}, {"/var/lib/boinc/", false}};
  s.soundNewWU = "~/new.oga";
  s.soundCacheEmpty = "SPEAKER:440,200";
  s.soundRedAlert = "~";
  const SetupSettings e = WithHomeExpanded(s, "/home/u");
  EXPECT_EQ(e.logDir, "/home/u/tess-logs");
  EXPECT_EQ(e.boincDirs,
            (std::vector<BoincDirEntry>{{"/home/u/BOINC", true}, {"/var/lib/boinc/", false}}));
  EXPECT_EQ(e.soundNewWU, "/home/u/new.oga");
  EXPECT_EQ(e.soundCacheEmpty, "SPEAKER:440,200");
  EXPECT_EQ(e.soundRedAlert, "/home/u");
  EXPECT_EQ(WithHomeExpanded(s, ""), s);  // no home known: nothing to put there
}

TEST(SoundChoiceTest, ASpeakerTuneIsNeverAFileName) {
  EXPECT_EQ(SoundFileDialogPreset("SPEAKER:440,200"), std::nullopt);
  EXPECT_EQ(SoundFileDialogPreset("speaker:440,200"), std::nullopt);
  EXPECT_EQ(SoundFileDialogPreset("Speaker:"), std::nullopt);
  EXPECT_EQ(SoundFileDialogPreset("/sounds/speaker.wav"), "/sounds/speaker.wav");
  EXPECT_EQ(SoundFileDialogPreset("SPEAKER"), "SPEAKER");
  EXPECT_EQ(SoundFileDialogPreset(""), "");
}

}  // namespace
}  // namespace tessarin
