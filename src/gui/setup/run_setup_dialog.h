#pragma once
// RunSetupDialog: the setup, modal, saved only on OK; afterwards the interval, the wallpaper
// request and the score limits follow the new settings.

#include <functional>

#include "core/projects/score_rating.h"
#include "core/setup/setup_context.h"

class QWidget;

namespace tessarin {

struct Environment;
class FileChoosers;
class MessageBoxes;
class THintController;

struct SetupDialogHooks {
  // ApplyTimerInterval of the main window; empty before it exists (first start).
  std::function<void()> applyTimerInterval;
  // WatchCycle::RequestWallpaper; asked only when the wallpaper option was switched on.
  std::function<void()> requestWallpaper;
  // Receives GetScores after the dialog, confirmed or cancelled; empty skips the rating.
  std::function<void(const ScoreThresholds&)> scoresChanged;
  THintController* hints = nullptr;
};

// True when the dialog closed with OK. A settings file or autostart entry that cannot be
// written is reported in a message box; the new values still apply to this run.
bool RunSetupDialog(Environment& env, const SetupContext& context, MessageBoxes& messages,
                    FileChoosers& files, const SetupDialogHooks& hooks, QWidget* parent = nullptr);

}  // namespace tessarin
