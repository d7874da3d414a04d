#pragma once
// Every value the setup dialog edits, as one plain value: filled from the settings store by
// LoadSettings, written back by SaveSettings.

#include <string>
#include <utility>
#include <vector>

#include "core/remote/remote_clients.h"
#include "core/settings/settings_keys.h"

namespace tessarin {

// One client directory of the BoincDirs section: the path as shown (unescaped) and whether
// the watch cycle reads it.
struct BoincDirEntry {
  std::string path;
  bool checked = true;

  bool operator==(const BoincDirEntry&) const = default;
};

struct SetupSettings {
  // Sorted as the list shows them (see boinc_dir_list.h).
  std::vector<BoincDirEntry> boincDirs;
  std::string logDir;  // as typed; no separator is added
  // Clients on other computers, in the order added.
  std::vector<RemoteClientSetting> remotes;
  // Passwords typed in this dialog, by address key; they go to the credentials file on OK.
  std::vector<std::pair<std::string, std::string>> typedPasswords;

  int yellowAlert = settings::kYellowAlert.defaultValue;  // hours
  int redAlert = settings::kRedAlert.defaultValue;        // hours

  std::string soundNewWU;
  std::string soundFinishedWU;
  std::string soundYellowAlert;
  bool yellowAlertOnce = settings::kYellowAlertOnce.defaultValue;
  std::string soundRedAlert;
  bool redAlertOnce = settings::kRedAlertOnce.defaultValue;
  std::string soundCacheEmpty;
  bool cacheEmptyOnce = false;

  int timer = settings::kTimer.defaultValue;  // seconds
  bool backupWU = settings::kBackupWU.defaultValue;
  bool backupResult = settings::kBackupResult.defaultValue;
  bool backupState = settings::kBackupState.defaultValue;
  // No control shows it; kept as loaded (hand-edited) and written back.
  int maxBackupMb = settings::kMaxBackupMb.defaultValue;

  bool autorun = true;
  bool closeToTray = settings::kCloseToTray.defaultValue;
  bool silent = settings::kSilent.defaultValue;
  bool center = settings::kCenter.defaultValue;
  bool recalculateProgress = settings::kRecalculateProgress.defaultValue;
  bool notify = settings::kNotifyInSetup.defaultValue;
  bool desktopNotify = settings::kDesktopNotify.defaultValue;
  bool rateScores = settings::kRateScores.defaultValue;
  bool wallpaper = settings::kWallpaperInSetup.defaultValue;

  // The wallpaper option as it was loaded: switching it on asks for one wallpaper update.
  bool wallpaperAtLoad = false;
  // The map viewer exists, so the wallpaper option is offered at all.
  bool wallpaperAvailable = false;

  bool operator==(const SetupSettings&) const = default;
};

// Spin-edit bounds of the monitoring interval and the ranges of the two alert sliders.
inline constexpr int kTimerMax = 999;
inline constexpr int kYellowAlertMax = 96;
inline constexpr int kRedAlertMax = 48;

}  // namespace tessarin
