#include "core/setup/save_settings.h"

#include <exception>

#include "core/remote/remote_clients.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/setup/autostart_entry.h"
#include "core/setup/boinc_dir_list.h"

namespace tessarin {

namespace {

void WriteBoincDirs(SettingsStore& store, const std::vector<BoincDirEntry>& dirs) {
  // Unchecked directories stay, saved as "0", so they can be ticked again later. The section
  // is replaced in one step: a cycle reading it meanwhile sees the old list or the new one.
  std::vector<std::pair<std::string, std::string>> keys;
  for (const BoincDirEntry& entry : dirs)
    keys.emplace_back(BoincDirKey(entry.path), entry.checked ? "1" : "0");
  store.ReplaceSection(sections::kBoincDirs, keys);
}

void WriteSounds(SettingsStore& store, const SetupSettings& s) {
  store.WriteString(sections::kSound, settings::kCacheEmptyKey, s.soundCacheEmpty);
  store.WriteBool(sections::kSound, settings::kCacheEmptyOnceKey, s.cacheEmptyOnce);
  store.Write(settings::kYellowAlertSound, s.soundYellowAlert);
  store.Write(settings::kYellowAlertOnce, s.yellowAlertOnce);
  store.Write(settings::kRedAlertSound, s.soundRedAlert);
  store.Write(settings::kRedAlertOnce, s.redAlertOnce);
  store.Write(settings::kNewWUSound, s.soundNewWU);
  store.Write(settings::kFinishedWUSound, s.soundFinishedWU);
}

void WriteOptions(SettingsStore& store, const SetupSettings& s) {
  store.Write(settings::kAutorun, s.autorun);
  store.Write(settings::kCloseToTray, s.closeToTray);
  store.Write(settings::kNotifyInSetup, s.notify);
  store.Write(settings::kDesktopNotify, s.desktopNotify);
  store.Write(settings::kRateScores, s.rateScores);
  store.Write(settings::kRecalculateProgress, s.recalculateProgress);
  store.Write(settings::kSilent, s.silent);
  store.Write(settings::kCenter, s.center);
  store.Write(settings::kYellowAlert, s.yellowAlert);
  store.Write(settings::kRedAlert, s.redAlert);
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

SaveOutcome SaveSettings(SettingsStore& store, const SetupSettings& s,
                         const SetupContext& context) {
  SaveOutcome outcome;
  const bool autostartDone =
      s.autorun ? context.autostart.SwitchOn(context.programPath, context.autostartArguments)
                : context.autostart.SwitchOff();
  outcome.autostartFailed = !autostartDone;

  WriteBoincDirs(store, s.boincDirs);
  WriteRemoteClients(store, s.remotes);
  const std::string mapViewerDir = DirectoryOf(context.mapViewerPath);
  if (!mapViewerDir.empty())
    store.Write(settings::kSmvDir, mapViewerDir);
  store.Write(settings::kLogDir, s.logDir);
  WriteSounds(store, s);

  store.Write(settings::kBackupWU, s.backupWU);
  store.Write(settings::kBackupState, s.backupState);
  store.Write(settings::kBackupResult, s.backupResult);
  store.Write(settings::kMaxBackupMb, s.maxBackupMb);
  store.Write(settings::kTimer, s.timer);
  store.Write(settings::kWallpaperInSetup, s.wallpaper);
  WriteOptions(store, s);

  try {
    for (const auto& [key, password] : s.typedPasswords)
      StoreTypedPassword(context.programDir, key, password);
    store.UpdateFile();
  } catch (const std::exception& error) {
    outcome.flushError = error.what();
  }
  outcome.wallpaperRequest = s.wallpaper && !s.wallpaperAtLoad;
  return outcome;
}

}  // namespace tessarin
