#pragma once
// Where the SETI@home map viewer is: Options/smvdir (default /usr/bin/) + "smv".

#include <string>

namespace tessarin {

class SettingsStore;

inline constexpr const char* kDefaultMapViewerDir = "/usr/bin/";
inline constexpr const char* kMapViewerProgram = "smv";
inline constexpr const char* kWallpaperArgument = "-wallpaper";

std::string MapViewerPath(const SettingsStore& settings);

}  // namespace tessarin
