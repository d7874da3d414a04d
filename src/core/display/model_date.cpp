#include "core/display/model_date.h"

#include <cmath>
#include <cstdint>

#include "core/tools/text.h"

namespace tessarin {

namespace {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

const std::int64_t kSerialEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

bool EncodeDateSerial(int year, int month, int day, int hour, int minute, int second,
                      double& serial) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return false;
  }
  const double date = static_cast<double>(DaysFromCivil(year, month, day) - kSerialEpoch);
  const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  serial = date >= 0 ? date + time : date - time;
  return true;
}

std::string FormatSerialDate(double serial) {
  // Years 1 to 9999 lie within these serials; the rest (and NaN) has no date.
  if (!(serial > -693594 && serial < 2958466))
    return "";
  int year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(static_cast<std::int64_t>(std::trunc(serial)) + kSerialEpoch, year, month, day);
  return ZeroPadInt(year, 4) + "-" + ZeroPadInt(month, 2) + "-" + ZeroPadInt(day, 2);
}

}  // namespace tessarin
