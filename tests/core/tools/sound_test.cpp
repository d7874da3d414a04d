#include "core/tools/sound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_environment.h"

namespace tessarin {
namespace {

using Played = std::vector<std::string>;

Played Play(std::string_view setting) {
  test::RecordingSoundDevice device;
  PlaySound(setting, device);
  return device.played;
}

TEST(PlaySoundTest, SpeakerListsBeepInPairs) {
  EXPECT_EQ(Play("SPEAKER:440,200,880,100"), (Played{"beep:440,200", "beep:880,100"}));
  EXPECT_EQ(Play("speaker:440,200"), (Played{"beep:440,200"}));
  EXPECT_EQ(Play("Speaker: 440 , 200 ,880"), (Played{"beep:440,200"}));
  EXPECT_EQ(Play("SPEAKER:440"), Played{});
  EXPECT_EQ(Play("SPEAKER:"), Played{});
  EXPECT_EQ(Play("SPEAKER:,,"), (Played{"beep:0,0"}));
  // Digits are all that count, so stray characters and signs drop out.
  EXPECT_EQ(Play("SPEAKER:44x0,-200"), (Played{"beep:440,200"}));
}

TEST(PlaySoundTest, AtMostFiftyBeepsArePlayed) {
  std::string setting = "SPEAKER:";
  for (int i = 1; i <= 60; ++i)
    setting += std::to_string(i) + ",10,";
  const Played played = Play(setting);
  ASSERT_EQ(played.size(), 50u);
  EXPECT_EQ(played.front(), "beep:1,10");
  EXPECT_EQ(played.back(), "beep:50,10");
}

TEST(PlaySoundTest, AnUnreadableNumberEndsTheTuneWithoutAnError) {
  EXPECT_EQ(Play("SPEAKER:440,200,99999999999,100,880,100"), (Played{"beep:440,200"}));
  EXPECT_EQ(Play("SPEAKER:440,3000000000"), Played{});
}

TEST(PlaySoundTest, AWaveFilePlaysOnlyWhenItExists) {
  test::TempDir dir;
  const std::string wave = dir.Write("done.wav", "RIFF");
  EXPECT_EQ(Play(wave), (Played{"wave:" + wave}));
  EXPECT_EQ(Play(dir.path() + "missing.wav"), Played{});
  EXPECT_EQ(Play(dir.path()), Played{});
  EXPECT_EQ(Play(""), Played{});
}

}  // namespace
}  // namespace tessarin
