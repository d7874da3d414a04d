#pragma once
// Times: Unix seconds (UTC) inside the program, local time only when shown or logged.

#include <cstdint>
#include <string>

namespace tessarin {

// Source of "now", so tests can fix it.
class Clock {
 public:
  virtual ~Clock() = default;
  // Unix seconds (UTC) with fraction.
  virtual double Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  double Now() const override;
};

// Days since 1899-12-30 in local time, fraction = time of day.
double DateSerialFromUnix(double unixSeconds);
double UnixFromDateSerial(double serial);

// Local time as "yyyy.mm.dd hh:nn:ss".
std::string FormatLogDate(double unixSeconds);

}  // namespace tessarin
