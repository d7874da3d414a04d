#include "core/watcher/due_sounds.h"

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/sound.h"

namespace tessarin {

std::vector<std::string> PlayDueSounds(const CycleFlags& flags, const SettingsStore& settings,
                                       SoundDevice& device) {
  std::vector<std::string> played;
  const auto play = [&](bool due, const char* key, const std::string& value) {
    if (!due)
      return;
    PlaySound(value, device);
    played.emplace_back(key);
  };
  const auto text = [&](const TextSetting& setting) { return settings.Read(setting); };
  play(flags.finishedWU, settings::kFinishedWUSound.key, text(settings::kFinishedWUSound));
  play(flags.newWU, settings::kNewWUSound.key, text(settings::kNewWUSound));
  play(flags.yellowAlert, settings::kYellowAlertSound.key, text(settings::kYellowAlertSound));
  play(flags.redAlert, settings::kRedAlertSound.key, text(settings::kRedAlertSound));
  play(flags.cacheEmpty, settings::kCacheEmptyKey, ReadCacheEmptySound(settings));
  return played;
}

}  // namespace tessarin
