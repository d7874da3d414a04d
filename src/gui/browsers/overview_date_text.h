#pragma once
// Deadline and finish estimates in the user's short date and time format.

#include <QLocale>
#include <string>

class QFontMetrics;

namespace tessarin {

// Unix seconds (UTC) as local time in the short date-time format of `locale`; empty for a
// time outside the years 1 to 9999.
std::string OverviewDateText(double unixSeconds, const QLocale& locale = QLocale::system());

// Width in pixels of the widest date text `locale` writes (two-digit days and hours, morning
// and afternoon, every month).
int WidestOverviewDateText(const QLocale& locale, const QFontMetrics& metrics);

}  // namespace tessarin
