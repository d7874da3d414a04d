#pragma once
// The key table of Tessarin.ini: every section, key and default, named once.
// Where two readers pass different defaults, both constants exist.

#include <cstdint>
#include <string>

namespace tessarin {

struct IntSetting {
  const char* section;
  const char* key;
  int defaultValue;
};
struct BoolSetting {
  const char* section;
  const char* key;
  bool defaultValue;
};
struct TextSetting {
  const char* section;
  const char* key;
  const char* defaultValue;
};

namespace sections {
inline constexpr const char* kOptions = "Options";
inline constexpr const char* kSound = "Sound";
inline constexpr const char* kBackup = "Backup";
inline constexpr const char* kSpecial = "Special";
inline constexpr const char* kBoincDirs = "BoincDirs";
inline constexpr const char* kExceptions = "Exceptions";
inline constexpr const char* kHistory = "History";
inline constexpr const char* kOverview = "Overview";
// Followed by the escaped client directory with its trailing separator.
inline constexpr const char* kCheckpointsPrefix = "checkpoints-";
// Remote clients: key = escaped "host:port", value = enabled.
inline constexpr const char* kRemoteClients = "RemoteClients";
// Key = escaped "host:port", value = the file that holds the client's password.
inline constexpr const char* kRemotePasswordFiles = "RemotePasswordFiles";
// Log rows owed after a write failed: key = escaped result file name.
inline constexpr const char* kBoincRowsDue = "BoincRowsDue";
inline constexpr const char* kProjectLogsDue = "ProjectLogsDue";
}  // namespace sections

namespace settings {
inline constexpr IntSetting kTimer{"Options", "timer", 60};
// Read with this default to tell a first run.
inline constexpr IntSetting kTimerFirstRun{"Options", "timer", 9999};
inline constexpr int kFirstRunTimer = 9999;
// Default depends on the platform; an empty default means "the usual place".
inline constexpr TextSetting kSmvDir{"Options", "smvdir", ""};
// Empty default means the "logs" folder of the program directory.
inline constexpr TextSetting kLogDir{"Options", "logdir", ""};
inline constexpr TextSetting kSndFile{"Options", "sndfile", ""};
inline constexpr BoolSetting kPlayOnce{"Options", "playonce", false};
inline constexpr BoolSetting kSilent{"Options", "silent", false};
inline constexpr BoolSetting kCenter{"Options", "center", true};
inline constexpr BoolSetting kCloseToTray{"Options", "closetotray", true};
inline constexpr BoolSetting kNotifyInSetup{"Options", "notify", true};
inline constexpr BoolSetting kNotifyInCycle{"Options", "notify", false};
inline constexpr BoolSetting kRateScores{"Options", "ratescores", false};
// Desktop notifications for red alert, cache empty and results finished with an error.
inline constexpr BoolSetting kDesktopNotify{"Options", "desktopnotify", true};
inline constexpr BoolSetting kRecalculateProgress{"Options", "recalculateProgress", true};
inline constexpr IntSetting kYellowAlert{"Options", "yellowalert", 12};
inline constexpr IntSetting kRedAlert{"Options", "redalert", 3};
// Seconds to connect to a remote client, and again to receive each reply.
inline constexpr IntSetting kRemoteTimeout{"Options", "remotetimeout", 5};
inline constexpr BoolSetting kAutorun{"Options", "autorun", false};
inline constexpr BoolSetting kCompactView{"Options", "CompactView", false};
inline constexpr IntSetting kSortBy{"Options", "SortBy", 0};
// Defaults are the window's current values; callers pass them.
inline constexpr const char* kLastLeft = "LastLeft";
inline constexpr const char* kLastTop = "LastTop";
inline constexpr const char* kLastHeight = "LastHeight";

// Sound/CacheEmpty defaults to Options/sndfile, Sound/CacheEmptyOnce to Options/playonce:
// read them through ReadCacheEmptySound / ReadCacheEmptyOnce.
inline constexpr const char* kCacheEmptyKey = "CacheEmpty";
inline constexpr const char* kCacheEmptyOnceKey = "CacheEmptyOnce";
inline constexpr TextSetting kYellowAlertSound{"Sound", "YellowAlert", ""};
inline constexpr BoolSetting kYellowAlertOnce{"Sound", "YellowAlertOnce", false};
inline constexpr TextSetting kRedAlertSound{"Sound", "RedAlert", ""};
inline constexpr BoolSetting kRedAlertOnce{"Sound", "RedAlertOnce", false};
inline constexpr TextSetting kNewWUSound{"Sound", "NewWU", ""};
inline constexpr TextSetting kFinishedWUSound{"Sound", "FinishedWU", ""};

inline constexpr BoolSetting kBackupWU{"Backup", "WU", false};
inline constexpr BoolSetting kBackupResult{"Backup", "result", true};
inline constexpr BoolSetting kBackupState{"Backup", "state", false};
// The largest client file copied or read, in megabytes.
inline constexpr IntSetting kMaxBackupMb{"Options", "maxbackupmb", 64};

inline constexpr BoolSetting kWallpaperInSetup{"Special", "wallpaper", false};
inline constexpr BoolSetting kWallpaperInCycle{"Special", "wallpaper", true};

// BoincDirs: one key per escaped client directory, value = enabled.
inline constexpr bool kBoincDirEnabledDefault = true;

// Window geometry keys (History and Overview sections).
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kHeight = "Height";
inline constexpr const char* kWidth = "Width";
inline constexpr const char* kMaximized = "Maximized";
inline constexpr const char* kSelected = "Selected";
inline constexpr const char* kTreeColPos = "TreeColPos";
inline constexpr const char* kTreeColWidth = "TreeColWidth";
}  // namespace settings

class SettingsStore;
std::string ReadCacheEmptySound(const SettingsStore& store);
bool ReadCacheEmptyOnce(const SettingsStore& store);
// Options/maxbackupmb in bytes; a value below 1 gives the default.
std::uint64_t MaxBackupBytes(const SettingsStore& store);

}  // namespace tessarin
