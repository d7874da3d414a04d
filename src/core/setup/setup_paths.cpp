#include "core/setup/setup_paths.h"

#include "core/setup/sound_choice.h"
#include "core/tools/dir_path.h"

namespace tessarin {

SetupSettings WithHomeExpanded(SetupSettings values, std::string_view home) {
  if (home.empty())
    return values;
  values.logDir = ExpandHome(values.logDir, home);
  for (BoincDirEntry& entry : values.boincDirs)
    entry.path = ExpandHome(entry.path, home);
  for (std::string* sound : {&values.soundNewWU, &values.soundFinishedWU, &values.soundYellowAlert,
                             &values.soundRedAlert, &values.soundCacheEmpty}) {
    if (!IsSpeakerTune(*sound))
      *sound = ExpandHome(*sound, home);
  }
  return values;
}

}  // namespace tessarin
