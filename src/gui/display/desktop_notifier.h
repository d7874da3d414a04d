#pragma once
// Desktop notices through the freedesktop notification service on the session bus, which
// every Linux desktop runs, with or without a system tray.

#include "core/watcher/desktop_notices.h"

namespace tessarin {

class FreedesktopNotifier final : public NoticeSink {
 public:
  // Sent without waiting: a desktop without the service loses the notice, never a cycle.
  void Notify(const DesktopNotice& notice) override;
};

}  // namespace tessarin
