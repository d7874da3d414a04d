#include "core/setup/sound_choice.h"

#include "core/tools/text.h"

namespace tessarin {

namespace {
constexpr std::string_view kSpeakerPrefix = "SPEAKER:";
}  // namespace

bool IsSpeakerTune(std::string_view sound) {
  return UpperCase(sound.substr(0, kSpeakerPrefix.size())) == kSpeakerPrefix;
}

std::optional<std::string> SoundFileDialogPreset(std::string_view sound) {
  if (IsSpeakerTune(sound))
    return std::nullopt;
  return std::string(sound);
}

}  // namespace tessarin
