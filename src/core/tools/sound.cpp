#include "core/tools/sound.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "core/tools/csv.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr std::string_view kSpeakerPrefix = "SPEAKER:";

// "frequency,duration,..." pairs; a trailing odd value is ignored, at most 100 values count.
// A value that is no valid 32-bit number ends the tune there: a broken sound setting must not
// cost the cycle the sounds that follow it.
void PlayBeeps(std::string_view list, SoundDevice& device) {
  const int values = std::min(CountFields(list, ','), kMaxCsvFields);
  const FieldArray fields = SplitCsvLine(list, ',', false);
  for (int pair = 1; pair <= values / 2; ++pair) {
    int frequency = 0;
    int duration = 0;
    try {
      frequency = DigitsToInt(fields[2 * pair - 1]);
      duration = DigitsToInt(fields[2 * pair]);
    } catch (const std::logic_error&) {  // invalid_argument, out_of_range
      return;
    }
    device.Beep(frequency, duration);
  }
}

bool IsRegularFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

void PlaySound(std::string_view setting, SoundDevice& device) {
  if (setting.empty())
    return;
  if (UpperCase(setting.substr(0, kSpeakerPrefix.size())) == kSpeakerPrefix) {
    PlayBeeps(setting.substr(kSpeakerPrefix.size()), device);
    return;
  }
  const std::string path(setting);
  if (IsRegularFile(path))
    device.PlayWaveFile(path);
}

}  // namespace tessarin
