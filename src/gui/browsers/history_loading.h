#pragma once
// Reads the History window's data off the user-interface thread: a large log takes seconds,
// and meanwhile the tray, the watch cycle's hand-over and a busy dialog stay alive.

#include <QFont>
#include <optional>
#include <string>

#include "core/browsers/history_model.h"

class QWidget;

namespace tessarin {

class SettingsStore;

struct HistoryLoading {
  // Nothing when the reading failed.
  std::optional<HistoryModel> model;
  // The system's message of a read error.
  std::string error;
};

// Shows a busy dialog over `parent` when the reading lasts longer than this.
inline constexpr int kHistoryBusyDelayMs = 400;

// LoadHistory on a worker thread, columns measured in `gridFont`; returns when it is done.
// Meanwhile timers and paint events go on, user input waits.
HistoryLoading LoadHistoryWithProgress(QWidget* parent, const SettingsStore& settings,
                                       const std::string& programDir, const QFont& gridFont,
                                       int busyDelayMs = kHistoryBusyDelayMs);

}  // namespace tessarin
