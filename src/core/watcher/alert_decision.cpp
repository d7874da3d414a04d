#include "core/watcher/alert_decision.h"

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"

namespace tessarin {

bool DecideAlert(const AlertConditions& conditions, const SettingsStore& settings,
                 AlertMemory& memory, CycleFlags& flags) {
  const std::uint8_t previous = memory.alertState;
  std::uint8_t trayLevel = 0;
  if (conditions.empty) {
    trayLevel = 2;
    flags.cacheEmpty = previous != 3 || !ReadCacheEmptyOnce(settings);
    memory.alertState = 3;
  } else if (conditions.red) {
    trayLevel = 2;
    flags.redAlert = (previous != 2 && previous != 3) || !settings.Read(settings::kRedAlertOnce);
    memory.alertState = 2;
  } else if (conditions.yellow) {
    trayLevel = 1;
    flags.yellowAlert = previous == 0 || !settings.Read(settings::kYellowAlertOnce);
    memory.alertState = 1;
  } else {
    memory.alertState = 0;
  }
  if (trayLevel == memory.trayLevel)
    return false;
  memory.trayLevel = trayLevel;
  return settings.Read(settings::kNotifyInCycle);
}

}  // namespace tessarin
