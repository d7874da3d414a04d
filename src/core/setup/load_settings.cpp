#include "core/setup/load_settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/remote/remote_clients.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/setup/autostart_entry.h"
#include "core/setup/boinc_dir_list.h"
#include "core/tools/dir_path.h"

namespace tessarin {

namespace {

std::vector<BoincDirEntry> LoadBoincDirs(const SettingsStore& store,
                                         const std::string& defaultClientDir) {
  std::vector<BoincDirEntry> dirs;
  for (const std::string& key : store.ReadSection(sections::kBoincDirs)) {
    const bool checked =
        store.ReadBool(sections::kBoincDirs, key, settings::kBoincDirEnabledDefault);
    BoincDirEntry entry{BoincDirFromKey(key), checked};
    // Two spellings of one directory become one entry, watched when either was.
    const auto same = std::find_if(dirs.begin(), dirs.end(), [&](const BoincDirEntry& listed) {
      return SameDir(listed.path, entry.path);
    });
    if (same != dirs.end()) {
      same->checked = same->checked || entry.checked;
      continue;
    }
    dirs.insert(dirs.begin() + static_cast<std::ptrdiff_t>(SortedPosition(dirs, entry.path)),
                std::move(entry));
  }
  // Offered, not yet watched: the user confirms it by ticking it.
  if (dirs.empty() && !defaultClientDir.empty())
    dirs.push_back(BoincDirEntry{defaultClientDir, false});
  return dirs;
}

bool IsRegularFile(const std::string& path) {
  std::error_code ignored;
  return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

bool IsFirstStart(const SettingsStore& store) {
  return store.Read(settings::kTimerFirstRun) == settings::kFirstRunTimer;
}

SetupSettings LoadSettings(const SettingsStore& store, const SetupContext& context) {
  SetupSettings s;
  s.autorun = context.autostart.IsOn() || IsFirstStart(store);
  s.boincDirs = LoadBoincDirs(store, context.defaultClientDir);
  s.remotes = ReadRemoteClients(store);
  // A program directory set up before keeps logging where it did: only a first start is
  // offered the other place.
  const std::string defaultLogDir = IsFirstStart(store) && !context.firstStartLogDir.empty()
                                        ? context.firstStartLogDir
                                        : context.programDir + "logs";
  s.logDir = store.ReadString(settings::kLogDir.section, settings::kLogDir.key, defaultLogDir);

  s.soundNewWU = store.Read(settings::kNewWUSound);
  s.soundFinishedWU = store.Read(settings::kFinishedWUSound);
  s.soundYellowAlert = store.Read(settings::kYellowAlertSound);
  s.yellowAlertOnce = store.Read(settings::kYellowAlertOnce);
  s.soundRedAlert = store.Read(settings::kRedAlertSound);
  s.redAlertOnce = store.Read(settings::kRedAlertOnce);
  s.soundCacheEmpty = ReadCacheEmptySound(store);
  s.cacheEmptyOnce = ReadCacheEmptyOnce(store);

  s.backupWU = store.Read(settings::kBackupWU);
  s.backupState = store.Read(settings::kBackupState);
  s.backupResult = store.Read(settings::kBackupResult);
  s.maxBackupMb = store.Read(settings::kMaxBackupMb);
  // The spin edit cannot show more; a hand-edited value is brought into its range.
  s.timer = std::clamp(store.Read(settings::kTimer), 0, kTimerMax);
  s.wallpaper = store.Read(settings::kWallpaperInSetup);
  s.wallpaperAtLoad = s.wallpaper;

  s.closeToTray = store.Read(settings::kCloseToTray);
  s.silent = store.Read(settings::kSilent);
  s.center = store.Read(settings::kCenter);
  s.notify = store.Read(settings::kNotifyInSetup);
  s.desktopNotify = store.Read(settings::kDesktopNotify);
  s.rateScores = store.Read(settings::kRateScores);
  s.recalculateProgress = store.Read(settings::kRecalculateProgress);
  s.yellowAlert = std::clamp(store.Read(settings::kYellowAlert), 0, kYellowAlertMax);
  s.redAlert = std::clamp(store.Read(settings::kRedAlert), 0, kRedAlertMax);

  s.wallpaperAvailable = IsRegularFile(context.mapViewerPath);
  return s;
}

}  // namespace tessarin
