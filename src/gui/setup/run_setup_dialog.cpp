#include "gui/setup/run_setup_dialog.h"

#include "core/settings/environment.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/qt_text.h"
#include "gui/setup/setup_dlg.h"

namespace tessarin {

namespace {

void ReportSaveProblems(const SaveOutcome& outcome, const SettingsStore& store,
                        MessageBoxes& messages, QWidget* parent) {
  if (!outcome.flushError.empty()) {
    messages.Error(parent, "Error",
                   "The settings could not be written to " + ToQString(store.FileName()) + ":\n" +
                       ToQString(outcome.flushError));
  }
  if (outcome.autostartFailed)
    messages.Error(parent, "Error", "The autostart entry could not be changed.");
}

}  // namespace

bool RunSetupDialog(Environment& env, const SetupContext& context, MessageBoxes& messages,
                    FileChoosers& files, const SetupDialogHooks& hooks, QWidget* parent) {
  bool accepted = false;
  {
    TSetupDlg dialog(env.settings, context, {messages, files, env.sound, hooks.hints}, parent);
    dialog.LoadSettings();
    accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
      const SaveOutcome outcome = dialog.SaveSettings();
      ReportSaveProblems(outcome, env.settings, messages, parent);
      if (hooks.applyTimerInterval)
        hooks.applyTimerInterval();
      if (outcome.wallpaperRequest && hooks.requestWallpaper)
        hooks.requestWallpaper();
    }
  }
  if (hooks.scoresChanged)
    hooks.scoresChanged(GetScores(env));
  return accepted;
}

}  // namespace tessarin
