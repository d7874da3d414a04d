#include <gtest/gtest.h>

#include "core/setup/boinc_dir_list.h"
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

TEST(BoincDirListTest, ADirectoryWithTheSameKeyIsCheckedInsteadOfListedTwice) {
  std::vector<BoincDirEntry> dirs{{"/a/", true}, {"/data/BOINC/", false}};
  EXPECT_EQ(AddBoincDir(dirs, "/data/boinc/"), 1u);
  EXPECT_EQ(dirs, (std::vector<BoincDirEntry>{{"/a/", true}, {"/data/BOINC/", true}}));
}

TEST(BoincDirListTest, KeysEscapeInOrderAndUnescapeInReverse) {
  EXPECT_EQ(BoincDirKey("/%3D/=]"), "/%253D/%3D%5D");
  EXPECT_EQ(BoincDirFromKey(BoincDirKey("/%3D/=]")), "/%3D/=]");
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
