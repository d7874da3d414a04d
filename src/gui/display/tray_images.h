#pragma once
// The tray icon's image list, indexed by tray level: 0 normal, 1 yellow, 2 red.

#include <QIcon>
#include <array>

namespace tessarin {

inline constexpr int kTrayLevels = 3;

// Drawn once, at the sizes trays ask for.
std::array<QIcon, kTrayLevels> MakeTrayImages();

// The fill colour of a level's image (levels outside 0..2 give the normal one).
QColor TrayLevelColour(int level);

}  // namespace tessarin
