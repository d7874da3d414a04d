#include "gui/display/user_date.h"

#include <QDate>
#include <QLocale>

#include "core/display/model_date.h"
#include "gui/qt_text.h"

namespace tessarin {

std::string UserShortDate(double serial) {
  const std::string iso = FormatSerialDate(serial);
  const QDate date = QDate::fromString(ToQString(iso), Qt::ISODate);
  if (!date.isValid())
    return {};
  // The process keeps the C locale for numbers; dates follow the user's own settings.
  return ToBytes(QLocale::system().toString(date, QLocale::ShortFormat));
}

}  // namespace tessarin
