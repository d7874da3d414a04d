#include "gui/browsers/overview_date_text.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <algorithm>

#include "core/browsers/overview_estimate.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

constexpr double kFirstDayOfYearOne = -62135596800.0;  // 0001-01-01 00:00 UTC

}  // namespace

std::string OverviewDateText(double unixSeconds, const QLocale& locale) {
  if (!(unixSeconds >= kFirstDayOfYearOne && unixSeconds <= kLatestFinish))
    return {};
  const QDateTime local =
      QDateTime::fromSecsSinceEpoch(static_cast<qint64>(unixSeconds)).toLocalTime();
  if (!local.isValid())
    return {};
  // The process keeps the C locale for numbers; dates follow the user's own settings.
  return ToBytes(locale.toString(local, QLocale::ShortFormat));
}

int WidestOverviewDateText(const QLocale& locale, const QFontMetrics& metrics) {
  int widest = 0;
  for (int month = 1; month <= 12; ++month) {
    for (int hour : {10, 22}) {
      const QDateTime sample(QDate(2026, month, 28), QTime(hour, 58, 58));
      widest = std::max(widest,
                        metrics.horizontalAdvance(locale.toString(sample, QLocale::ShortFormat)));
    }
  }
  return widest;
}

}  // namespace tessarin
