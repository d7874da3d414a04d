#include "core/browsers/history_time_text.h"

#include <cmath>
#include <ctime>

#include "core/tools/date_time.h"

namespace tessarin {

namespace {

// Well inside what time_t holds; beyond it FormatLogDate decides.
constexpr double kFastLimit = 1e12;

char* TwoDigits(char* out, int value) {
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
  return out + 2;
}

}  // namespace

std::string LocalLogDate(double seconds) {
  if (!(std::fabs(seconds) < kFastLimit))
    return FormatLogDate(seconds);
  const auto time = static_cast<std::time_t>(std::floor(seconds));
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr)
    return FormatLogDate(seconds);
  const int year = local.tm_year + 1900;
  if (year < 0 || year > 9999)
    return FormatLogDate(seconds);

  char text[19];
  char* out = TwoDigits(text, year / 100);
  out = TwoDigits(out, year % 100);
  *out++ = '.';
  out = TwoDigits(out, local.tm_mon + 1);
  *out++ = '.';
  out = TwoDigits(out, local.tm_mday);
  *out++ = ' ';
  out = TwoDigits(out, local.tm_hour);
  *out++ = ':';
  out = TwoDigits(out, local.tm_min);
  *out++ = ':';
  out = TwoDigits(out, local.tm_sec);
  return std::string(text, static_cast<std::size_t>(out - text));
}

}  // namespace tessarin
