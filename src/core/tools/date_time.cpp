#include "core/tools/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace tessarin {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Far beyond any date the program meets, well inside what time_t and the calendar hold.
constexpr double kMaxUnixSeconds = 1e14;
constexpr double kMaxSerial = kMaxUnixSeconds / kSecondsPerDay;

// Days from 1899-12-30 (the date serial's day 0) to the given civil date.
std::int64_t DaysFromSerialEpoch(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  constexpr sys_days kEpoch = sys_days{1899y / December / 30};
  const sys_days date =
      sys_days{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
  return (date - kEpoch).count();
}

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

}  // namespace

double SystemClock::Now() const {
  using namespace std::chrono;
  return duration<double>(system_clock::now().time_since_epoch()).count();
}

double DateSerialFromUnix(double unixSeconds) {
  if (!(std::fabs(unixSeconds) < kMaxUnixSeconds))
    return 0;
  const double whole = std::floor(unixSeconds);
  const std::tm local = LocalTime(static_cast<std::time_t>(whole));
  const std::int64_t days =
      DaysFromSerialEpoch(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                          static_cast<unsigned>(local.tm_mday));
  const double secondsOfDay =
      local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + (unixSeconds - whole);
  return static_cast<double>(days) + secondsOfDay / kSecondsPerDay;
}

double UnixFromDateSerial(double serial) {
  using namespace std::chrono;
  if (!(std::fabs(serial) < kMaxSerial))
    return 0;
  const double dayNumber = std::floor(serial);
  // Whole microseconds: finer than a serial resolves, coarse enough to drop its binary noise.
  const auto micros =
      static_cast<std::int64_t>(std::llround((serial - dayNumber) * kSecondsPerDay * 1e6));
  const auto daySeconds = static_cast<int>(micros / 1000000);  // 86400 rolls over in mktime
  const double fraction = static_cast<double>(micros % 1000000) / 1e6;

  const year_month_day date{sys_days{1899y / December / 30} +
                            days{static_cast<std::int64_t>(dayNumber)}};
  std::tm local{};
  local.tm_year = static_cast<int>(date.year()) - 1900;
  local.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  local.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  local.tm_hour = daySeconds / 3600;
  local.tm_min = daySeconds / 60 % 60;
  local.tm_sec = daySeconds % 60;
  local.tm_isdst = -1;
  return static_cast<double>(std::mktime(&local)) + fraction;
}

std::string FormatLogDate(double unixSeconds) {
  if (!(std::fabs(unixSeconds) < kMaxUnixSeconds))
    return {};
  const std::tm local = LocalTime(static_cast<std::time_t>(std::floor(unixSeconds)));
  char text[80];
  std::snprintf(text, sizeof text, "%04d.%02d.%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace tessarin
