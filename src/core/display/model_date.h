#pragma once
// Calendar dates as date serials (days since 1899-12-30, fraction = time of day), the form in
// which a climate model's date is kept.

#include <string>

namespace tessarin {

// The serial of a date and time; false when they do not form a valid one (years 1 to 9999).
// Before 1899-12-30 the time of day is subtracted, as the serial form has it.
bool EncodeDateSerial(int year, int month, int day, int hour, int minute, int second,
                      double& serial);

// The date part of a serial as "yyyy-mm-dd"; empty when it is outside the years 1 to 9999.
std::string FormatSerialDate(double serial);

}  // namespace tessarin
