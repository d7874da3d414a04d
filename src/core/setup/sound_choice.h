#pragma once
// The "..." button beside a sound: a speaker tune is no file name.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// Begins with "SPEAKER:" in any letter case.
bool IsSpeakerTune(std::string_view sound);

// What the file dialog starts with: the sound's text when it names a file, nothing (the
// dialog keeps the name it had) for a speaker tune.
std::optional<std::string> SoundFileDialogPreset(std::string_view sound);

}  // namespace tessarin
