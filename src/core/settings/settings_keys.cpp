#include "core/settings/settings_keys.h"

#include "core/settings/settings_store.h"

namespace tessarin {

// Older installations kept one sound file and one play-once switch under Options; they
// remain the defaults until the setup dialog has written the Sound section.
std::string ReadCacheEmptySound(const SettingsStore& store) {
  return store.ReadString(sections::kSound, settings::kCacheEmptyKey,
                          store.Read(settings::kSndFile));
}

bool ReadCacheEmptyOnce(const SettingsStore& store) {
  return store.ReadBool(sections::kSound, settings::kCacheEmptyOnceKey,
                        store.Read(settings::kPlayOnce));
}

std::uint64_t MaxBackupBytes(const SettingsStore& store) {
  const int megabytes = store.Read(settings::kMaxBackupMb);
  return static_cast<std::uint64_t>(megabytes < 1 ? settings::kMaxBackupMb.defaultValue
                                                  : megabytes) *
         1024 * 1024;
}

}  // namespace tessarin
