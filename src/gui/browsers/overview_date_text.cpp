#include "gui/browsers/overview_date_text.h"

#include <QDateTime>
#include <QLocale>

#include "core/browsers/overview_estimate.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

constexpr double kFirstDayOfYearOne = -62135596800.0;  // 0001-01-01 00:00 UTC

}  // namespace

std::string OverviewDateText(double unixSeconds) {
  if (!(unixSeconds >= kFirstDayOfYearOne && unixSeconds <= kLatestFinish))
    return {};
  const QDateTime local =
      QDateTime::fromSecsSinceEpoch(static_cast<qint64>(unixSeconds)).toLocalTime();
  if (!local.isValid())
    return {};
  // The process keeps the C locale for numbers; dates follow the user's own settings.
  return ToBytes(QLocale::system().toString(local, QLocale::ShortFormat));
}

}  // namespace tessarin
