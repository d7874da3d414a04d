#include "core/projects/score_rating.h"

#include <gtest/gtest.h>

#include "core/data/log_files.h"
#include "core/settings/settings_keys.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

class ScoreRatingTest : public ::testing::Test {
 protected:
  ScoreRatingTest() { t.settings.Write(settings::kRateScores, true); }

  // sah_boinc.csv with the given header and rows, joined by `separator`, CRLF between.
  void WriteLog(const std::string& header, const std::vector<std::string>& rows) {
    std::string log = header;
    for (const std::string& row : rows)
      log += "\r\n" + row;
    t.dir.Write(std::string("logs/") + logs::kSahCsv, log);
  }

  test::TestEnvironment t;
};

void ExpectDefaults(const ScoreThresholds& scores) {
  EXPECT_FLOAT_EQ(scores.spike.low, -0.25f);
  EXPECT_FLOAT_EQ(scores.spike.high, 0.14f);
  EXPECT_FLOAT_EQ(scores.gaussian.low, 0.12f);
  EXPECT_FLOAT_EQ(scores.gaussian.high, 0.3f);
  EXPECT_FLOAT_EQ(scores.pulse.low, 0.95f);
  EXPECT_FLOAT_EQ(scores.pulse.high, 1.5f);
  EXPECT_FLOAT_EQ(scores.triplet.low, 4.45f);
  EXPECT_FLOAT_EQ(scores.triplet.high, 13.6f);
}

TEST_F(ScoreRatingTest, RatingOffGivesDefaultsWithoutOpeningTheLog) {
  t.settings.Write(settings::kRateScores, false);
  t.dir.MakeDir(std::string("logs/") + logs::kSahCsv);  // opening it would fail and count
  const ScoreThresholds scores = GetScores(t.env);

  EXPECT_FALSE(scores.rateScores);
  ExpectDefaults(scores);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(ScoreRatingTest, SixScoresSetLimitsFiveDoNot) {
  WriteLog(
      "\"date\",\"bs_score\",\"bg_score\",\"bp_score\",\"bt_score\"",
      {"a,1,1,1,1", "b,2,2,2,2", "c,3,3,3,3", "d,4,4,4,4", "e,5,5,5,5", "f,6,0,6,6", "g,,,0,"});
  const ScoreThresholds scores = GetScores(t.env);

  EXPECT_TRUE(scores.rateScores);
  EXPECT_NEAR(scores.spike.low, 8.0f / 3, 1e-5);
  EXPECT_NEAR(scores.spike.high, 13.0f / 3, 1e-5);
  EXPECT_NEAR(scores.pulse.low, 8.0f / 3, 1e-5);
  EXPECT_FLOAT_EQ(scores.triplet.low, 4.0f);  // divided by 2, not 3
  EXPECT_FLOAT_EQ(scores.triplet.high, 6.5f);
  // Only five non-zero gaussian scores: zeros and empty fields do not count.
  EXPECT_FLOAT_EQ(scores.gaussian.low, 0.12f);
  EXPECT_FLOAT_EQ(scores.gaussian.high, 0.3f);
}

TEST_F(ScoreRatingTest, NegativeScoresCount) {
  WriteLog("\"bs_score\"", {"-1", "-2", "-3", "-4", "-5", "-6"});
  const ScoreThresholds scores = GetScores(t.env);

  // average -3.5: (2 x -3.5 - 6) / 3 and (2 x -3.5 - 1) / 3.
  EXPECT_NEAR(scores.spike.low, -13.0f / 3, 1e-5);
  EXPECT_NEAR(scores.spike.high, -8.0f / 3, 1e-5);
}

TEST_F(ScoreRatingTest, MissingColumnKeepsItsDefaultsAndLastDuplicateCounts) {
  WriteLog("\"bs_score\",\"bg_score\",\"bg_score\"",
           {"1,0,1", "2,0,2", "3,0,3", "4,0,4", "5,0,5", "6,0,6"});
  const ScoreThresholds scores = GetScores(t.env);

  EXPECT_NEAR(scores.gaussian.low, 8.0f / 3, 1e-5);
  EXPECT_FLOAT_EQ(scores.triplet.low, 4.45f);
  EXPECT_FLOAT_EQ(scores.triplet.high, 13.6f);
  EXPECT_FLOAT_EQ(scores.pulse.low, 0.95f);
}

TEST_F(ScoreRatingTest, SemicolonLogIsReadWithSemicolons) {
  WriteLog("\"date\";\"bt_score\"",
           {"\"x\";1", "\"x\";2", "\"x\";3", "\"x\";4", "\"x\";5", "\"x\";6"});
  EXPECT_FLOAT_EQ(GetScores(t.env).triplet.high, 6.5f);
}

TEST_F(ScoreRatingTest, UnreadableLogIsCountedAndLeavesDefaults) {
  t.dir.MakeDir(std::string("logs/") + logs::kSahCsv);
  const ScoreThresholds scores = GetScores(t.env);

  ExpectDefaults(scores);
  const auto keys = t.ExceptionKeys();
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_NE(keys[0].find("GetScores - "), std::string::npos);
}

TEST_F(ScoreRatingTest, MissingLogGivesDefaults) {
  ExpectDefaults(GetScores(t.env));
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

}  // namespace
}  // namespace tessarin
