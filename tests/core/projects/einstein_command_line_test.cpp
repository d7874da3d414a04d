#include "core/projects/einstein_command_line.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(EinsteinCommandLineTest, OlderFormGivesTimesAndFrequencies) {
  EXPECT_EQ(ParseEinsteinCommandLine("--startTime=100 --endTime=200 -s 1234.0 -e 1234.5 -x"),
            "100,200,,,1234.000000,1234.500000,");

  const EinsteinSearchRange range = ParseOldCommandLine(
      "-a 1 --startTime=793154935 --endTime=795749941 --startTime=793555555 "
      "--endTime=795666666 -s 1159.24 -e 1159.44 -o out");
  EXPECT_EQ(range.startTime1, "793154935");
  EXPECT_EQ(range.endTime1, "795749941");
  EXPECT_EQ(range.startTime2, "793555555");
  EXPECT_EQ(range.endTime2, "795666666");
  EXPECT_FLOAT_EQ(range.startFreq, 1159.24f);
  EXPECT_FLOAT_EQ(range.endFreq, 1159.44f);
}

TEST(EinsteinCommandLineTest, NewerFormAddsTheBandToTheStartFrequency) {
  const std::string line = "--IFO=H1 --startTime=100 --Freq=1000.5 --FreqBand=0.25 ";
  EXPECT_EQ(ParseEinsteinCommandLine(line), "100,,,,1000.500000,1000.750000,");

  // Only the first start and end time count; "--FreqBand" alone is not a start frequency.
  const EinsteinSearchRange range = ParseIfoCommandLine(
      "--startTime=1 --endTime=2 --startTime=3 --endTime=4 --FreqBand=0.5 --IFO=L1 ");
  EXPECT_EQ(range.startTime1, "1");
  EXPECT_EQ(range.endTime1, "2");
  EXPECT_EQ(range.startTime2, "");
  EXPECT_EQ(range.endTime2, "");
  EXPECT_EQ(range.startFreq, 0.0f);
  EXPECT_EQ(range.endFreq, 0.5f);
}

TEST(EinsteinCommandLineTest, WithoutStartTimeEverythingStaysEmpty) {
  EXPECT_EQ(ParseEinsteinCommandLine(""), ",,,,0.000000,0.000000,");
  EXPECT_EQ(ParseEinsteinCommandLine("--endTime=200 -s 1234.0 -e 1234.5 -x"),
            ",,,,0.000000,0.000000,");
  EXPECT_EQ(ParseEinsteinCommandLine("--IFO=H1 --Freq=1000.5 --FreqBand=0.25 "),
            ",,,,0.000000,0.000000,");
}

TEST(EinsteinCommandLineTest, TimesAreCutToTwentyCharactersAndKeptOutOfTheCsvSyntax) {
  EXPECT_EQ(ParseEinsteinCommandLine("--startTime=123456789012345678901234 --endTime=1,2\"3 "),
            "12345678901234567890,1 2 3,,,0.000000,0.000000,");
}

TEST(EinsteinCommandLineTest, FrequenciesAreSinglePrecisionWithTenSignificantDigits) {
  // 1234.1 has no exact single-precision form: the stored value shows.
  EXPECT_EQ(ParseEinsteinCommandLine("--IFO=H1 --startTime=1 --Freq=1234.1 --FreqBand=0 x"),
            "1,,,,1234.099976,1234.099976,");
}

TEST(EinsteinCommandLineTest, AValueAtTheVeryEndRunsToTheEndOfTheLine) {
  EXPECT_EQ(ParseEinsteinCommandLine("x -s 10.5 -e 11.5 --startTime=100"),
            "100,,,,10.500000,11.500000,");
  EXPECT_EQ(ParseEinsteinCommandLine("x --startTime=100 -s 10.5 -e 11.5"),
            "100,,,,10.500000,11.500000,");
  EXPECT_EQ(ParseEinsteinCommandLine("--IFO=H1 --startTime=100 --Freq=7 --FreqBand=1.5"),
            "100,,,,7.000000,8.500000,");
}

TEST(EinsteinCommandLineTest, LineBreaksCountAsBlanks) {
  // As clients write command_line: a line break before the first option and after the last.
  EXPECT_EQ(ParseEinsteinCommandLine("\n-s 1234.0\n-e 1234.5\n--startTime=100\n--endTime=200\n"),
            "100,200,,,1234.000000,1234.500000,");
  EXPECT_EQ(ParseEinsteinCommandLine(
                "\r\n--IFO=H1\r\n--startTime=100\r\n--Freq=1000.5\r\n--FreqBand=0.25\r\n"),
            "100,,,,1000.500000,1000.750000,");
  const EinsteinSearchRange old = ParseOldCommandLine("\r-s 7.5\r--startTime=1\r-e 8.5\r");
  EXPECT_FLOAT_EQ(old.startFreq, 7.5f);
  EXPECT_FLOAT_EQ(old.endFreq, 8.5f);
  EXPECT_EQ(old.startTime1, "1");
  EXPECT_FLOAT_EQ(ParseIfoCommandLine("--startTime=1\n--Freq=3\n--FreqBand=1\n").endFreq, 4.0f);
  EXPECT_EQ(BlankLineBreaks("\r\na\rb\n"), "  a b ");
}

}  // namespace
}  // namespace tessarin
