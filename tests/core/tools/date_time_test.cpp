#include "core/tools/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "core/tools/number_format.h"

namespace tessarin {
namespace {

// Lets a test choose TZ and restores the previous zone afterwards.
class TimeZone : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    if (old != nullptr)
      saved_ = old;
  }
  void TearDown() override {
    if (saved_) {
      setenv("TZ", saved_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  static void Use(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(TimeZone, SerialCountsDaysSince18991230InUtc) {
  Use("UTC");
  EXPECT_DOUBLE_EQ(DateSerialFromUnix(0), 25569.0);
  EXPECT_DOUBLE_EQ(DateSerialFromUnix(1.5 * 86400), 25570.5);
  EXPECT_DOUBLE_EQ(DateSerialFromUnix(-25569.0 * 86400), 0.0);
  EXPECT_DOUBLE_EQ(UnixFromDateSerial(25569.75), 64800.0);
  EXPECT_EQ(FormatLogDate(1700000000.9), "2023.11.14 22:13:20");
  EXPECT_EQ(FormatLogDate(0), "1970.01.01 00:00:00");
}

TEST_F(TimeZone, LocalTimeFollowsZoneRules) {
  Use("Europe/Berlin");
  EXPECT_EQ(FormatLogDate(1700000000), "2023.11.14 23:13:20");  // CET
  EXPECT_EQ(FormatLogDate(1690000000), "2023.07.22 06:26:40");  // CEST
  EXPECT_DOUBLE_EQ(DateSerialFromUnix(0), 25569.0 + 1.0 / 24);
  EXPECT_EQ(UnixFromDateSerial(25569.0 + 1.0 / 24), 0.0);
}

TEST_F(TimeZone, UnixAndSerialRoundTrip) {
  Use("Europe/Berlin");
  // Ordinary days and both sides of the 2023 daylight-saving changes, with fractions.
  for (double unix : {1679792400.0 - 1, 1679792400.0, 1679792400.0 + 3601.25, 1698537600.0 - 1,
                      1698544800.0, 1700000000.123, 946684799.75}) {
    EXPECT_NEAR(UnixFromDateSerial(DateSerialFromUnix(unix)), unix, 1e-5) << unix;
  }
  // The hour repeated when clocks go back has one serial for two instants: the same wall
  // clock comes back.
  for (double unix : {1698541200.0, 1698544799.5}) {
    const double back = UnixFromDateSerial(DateSerialFromUnix(unix));
    EXPECT_EQ(FormatLogDate(back), FormatLogDate(unix));
  }
}

TEST_F(TimeZone, TwelveDigitSerialKeepsTheSecond) {
  Use("UTC");
  const double unix = 1700000000.0;
  const double serial = StrToFloatSafe(FormatGeneral(DateSerialFromUnix(unix), 12));
  EXPECT_NEAR(UnixFromDateSerial(serial), unix, 0.01);
}

TEST(DateTime, UnusableInputsDoNotCrash) {
  EXPECT_EQ(DateSerialFromUnix(1e300), 0.0);
  EXPECT_EQ(UnixFromDateSerial(std::nan("")), 0.0);
  EXPECT_EQ(FormatLogDate(-1e300), "");
}

TEST(SystemClock, IsNow) {
  const double now = SystemClock().Now();
  EXPECT_NEAR(now, static_cast<double>(std::time(nullptr)), 2.0);
}

}  // namespace
}  // namespace tessarin
