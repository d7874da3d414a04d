#include "core/tools/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace tessarin {
namespace {

TEST(StrToFloatSafe, AcceptsPlainDecimalNumbers) {
  EXPECT_DOUBLE_EQ(StrToFloatSafe("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("  -2.25  "), -2.25);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("+4"), 4.0);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("1.5E-2"), 0.015);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("2.5e+1"), 25.0);
  EXPECT_DOUBLE_EQ(StrToFloatSafe(".5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("5."), 5.0);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("007"), 7.0);
  EXPECT_DOUBLE_EQ(StrToFloatSafe("12.5\r\n"), 12.5);
  EXPECT_EQ(StrToFloatSafe("0.1"), 0.1);  // correctly rounded
}

TEST(StrToFloatSafe, AnythingElseIsZero) {
  for (const char* text :
       {"",   "   ", "abc", "1,5", "1.2.3", "12abc", "inf", "-inf",  "nan",    "0x10",
        "1e", "1e+", "e5",  ".",   "-",     "+-1",   "1 2", "1e999", "-1e999", "\"3\""}) {
    EXPECT_EQ(StrToFloatSafe(text), 0.0) << text;
  }
}

TEST(StrToSingleSafe, RoundsToSinglePrecision) {
  EXPECT_EQ(StrToSingleSafe("0.1"), 0.1f);
  EXPECT_EQ(StrToSingleSafe("16777217"), 16777216.0f);
  EXPECT_EQ(StrToSingleSafe("-3.5"), -3.5f);
  EXPECT_EQ(StrToSingleSafe("1e39"), 0.0f);  // beyond single range: not a usable number
  EXPECT_EQ(StrToSingleSafe("x"), 0.0f);
}

TEST(FormatGeneral, ShortestFormUpToDigits) {
  EXPECT_EQ(FormatGeneral(12.3456789, 8), "12.345679");
  EXPECT_EQ(FormatGeneral(2.5, 8), "2.5");
  EXPECT_EQ(FormatGeneral(3, 8), "3");
  EXPECT_EQ(FormatGeneral(-2.5, 8), "-2.5");
  EXPECT_EQ(FormatGeneral(0, 8), "0");
  EXPECT_EQ(FormatGeneral(-0.0, 8), "0");
  EXPECT_EQ(FormatGeneral(12345678, 8), "12345678");
  EXPECT_EQ(FormatGeneral(0.0001, 8), "0.0001");
  EXPECT_EQ(FormatGeneral(0.125, 2), "0.13");  // halves round away from zero
  EXPECT_EQ(FormatGeneral(9.99, 2), "10");
  EXPECT_EQ(FormatGeneral(1234.5678, 18), "1234.5678");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2, 18), "0.30000000000000004");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2, 12), "0.3");
  EXPECT_EQ(FormatGeneral(45000.123456789012, 12), "45000.1234568");
}

TEST(FormatGeneral, ExponentFormOutsideRange) {
  EXPECT_EQ(FormatGeneral(1e20, 18), "1E20");
  // Fixed form down to 0.00001, scientific below.
  EXPECT_EQ(FormatGeneral(1.5e-5, 8), "0.000015");
  EXPECT_EQ(FormatGeneral(1e-5, 8), "0.00001");
  EXPECT_EQ(FormatGeneral(9.5e-6, 8), "9.5E-6");
  EXPECT_EQ(FormatGeneral(-1e-7, 8), "-1E-7");
  EXPECT_EQ(FormatGeneral(123456789, 8), "1.2345679E8");
  EXPECT_EQ(FormatGeneral(999.6, 3), "1E3");  // rounding adds the integer digit
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity(), 8), "INF");
  EXPECT_EQ(FormatGeneral(std::nan(""), 8), "NAN");
}

TEST(FormatGeneral, EighteenDigitsReadBackExactly) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> cpu(0.0, 1e7);
  for (int i = 0; i < 2000; ++i) {
    const double value = cpu(random);
    EXPECT_EQ(StrToFloatSafe(FormatGeneral(value, 18)), value);
  }
}

TEST(Fixed, RoundsToSignificantDigitsAndDecimals) {
  EXPECT_EQ(Fixed(12.3456, 5, 3), "12.346");
  EXPECT_EQ(Fixed(100, 5, 3), "100.000");
  EXPECT_EQ(Fixed(5.26, 3, 1), "5.3");
  EXPECT_EQ(Fixed(-5.26, 3, 1), "-5.3");
  EXPECT_EQ(Fixed(123.456, 4, 3), "123.500");  // positions beyond p show zeros
  EXPECT_EQ(Fixed(2.675, 5, 2), "2.68");
  EXPECT_EQ(Fixed(0.06, 5, 1), "0.1");
  EXPECT_EQ(Fixed(0.04, 5, 1), "0.0");
  EXPECT_EQ(Fixed(-0.01, 5, 1), "0.0");
  EXPECT_EQ(Fixed(0, 5, 3), "0.000");
  EXPECT_EQ(Fixed(0.5, 3, 0), "1");
  EXPECT_EQ(Fixed(99.96, 3, 1), "100.0");
  EXPECT_EQ(Fixed(1e-7, 10, 6), "0.000000");
  EXPECT_EQ(Fixed(static_cast<float>(12.3), 3, 1), "12.3");
  // A single keeps its own digits: 1234.5678f is 1234.5677490234375.
  EXPECT_EQ(Fixed(static_cast<float>(1234.5678), 10, 6), "1234.567749");
}

TEST(Fixed, TooManyIntegerDigitsGoesScientific) {
  EXPECT_EQ(Fixed(123456, 5, 3), "1.2346E5");
  EXPECT_EQ(Fixed(999.96, 3, 1), "1E3");
}

TEST(FormatHMS, HoursUnpaddedMinutesSecondsTwoDigits) {
  EXPECT_EQ(FormatHMS(0), "0:00:00");
  EXPECT_EQ(FormatHMS(59), "0:00:59");
  EXPECT_EQ(FormatHMS(3725), "1:02:05");
  EXPECT_EQ(FormatHMS(36000), "10:00:00");
  EXPECT_EQ(FormatHMS(90061), "25:01:01");
  EXPECT_EQ(FormatHMS(-3725), "-1:02:05");
}

TEST(FormatSecondsText, ParsesTruncatesAndPadsHours) {
  EXPECT_EQ(FormatSecondsText("3725.9"), "01:02:05");
  EXPECT_EQ(FormatSecondsText("360000"), "100:00:00");
  EXPECT_EQ(FormatSecondsText(""), "00:00:00");
  EXPECT_EQ(FormatSecondsText("abc"), "00:00:00");
  EXPECT_EQ(FormatSecondsText("-61.5"), "-00:01:01");
  EXPECT_EQ(FormatSecondsText("1e30"), "00:00:00");
}

TEST(FormatThousands, GroupsAndRightAligns) {
  EXPECT_EQ(FormatThousands(100000, 8), " 100,000");
  EXPECT_EQ(FormatThousands(1234567, 8), "1,234,567");
  EXPECT_EQ(FormatThousands(999, 8), "     999");
  EXPECT_EQ(FormatThousands(0, 0), "0");
  EXPECT_EQ(FormatThousands(-1234, 0), "-1,234");
}

TEST(RoundHalfEven, TiesToEvenAndRangeChecked) {
  const std::pair<double, std::int32_t> cases[] = {{2.5, 2},
                                                   {3.5, 4},
                                                   {-2.5, -2},
                                                   {-3.5, -4},
                                                   {2.4999, 2},
                                                   {2.5000001, 3},
                                                   {-0.4, 0},
                                                   {0.5, 0},
                                                   {2147483647.4, 2147483647},
                                                   {-2147483648.5, -2147483647 - 1}};
  for (const auto& [value, expected] : cases) {
    std::int32_t result = 99;
    EXPECT_TRUE(RoundHalfEven(value, result)) << value;
    EXPECT_EQ(result, expected) << value;
  }
  for (double value : {2147483647.5, -2147483649.0, 1e300, std::nan(""),
                       std::numeric_limits<double>::infinity()}) {
    std::int32_t result = 99;
    EXPECT_FALSE(RoundHalfEven(value, result)) << value;
    EXPECT_EQ(result, 99);
  }
}

// ',' decimals in the C locale must not leak into files or parsing.
class GermanLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
      GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps adds it)";
    }
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(GermanLocale, NumbersKeepThePoint) {
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5");  // the locale really is active
  EXPECT_DOUBLE_EQ(StrToFloatSafe("1.5"), 1.5);
  EXPECT_EQ(StrToFloatSafe("1,5"), 0.0);
  EXPECT_EQ(StrToSingleSafe("2.25"), 2.25f);
  EXPECT_EQ(FormatGeneral(12.3456789, 8), "12.345679");
  EXPECT_EQ(FormatGeneral(1.5e-6, 8), "1.5E-6");
  EXPECT_EQ(Fixed(12.3456, 5, 3), "12.346");
  EXPECT_EQ(FormatThousands(1234567, 0), "1,234,567");
  EXPECT_EQ(FormatSecondsText("3725.9"), "01:02:05");
}

}  // namespace
}  // namespace tessarin
