#pragma once
// Deadline and finish estimates in the user's short date and time format.

#include <string>

namespace tessarin {

// Unix seconds (UTC) as local time in QLocale::system()'s short date-time format; empty for a
// time outside the years 1 to 9999.
std::string OverviewDateText(double unixSeconds);

}  // namespace tessarin
