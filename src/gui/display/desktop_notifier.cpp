#include "gui/display/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "gui/qt_text.h"

namespace tessarin {

void FreedesktopNotifier::Notify(const DesktopNotice& notice) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  // app name, replaces id, icon, summary, body, actions, hints, timeout (server default)
  call << QStringLiteral("Tessarin") << 0u << QStringLiteral("tessarin") << ToQString(notice.title)
       << ToQString(notice.body) << QStringList() << QVariantMap() << -1;
  QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

}  // namespace tessarin
