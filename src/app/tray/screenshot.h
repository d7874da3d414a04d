#pragma once
// `tessarin --screenshot FILE [--compact | --overview | --setup]`: one watch cycle over the
// program directory's clients, then the monitoring display with every row, the overall view or
// the setup dialog saved as an image; no tray, no timer.

#include <QString>

namespace tessarin {

class TrayProgram;

enum class ScreenshotView { kNormal, kCompact, kOverview, kSetup };

// 0 when the image was written.
int SaveScreenshot(TrayProgram& tray, const QString& file, ScreenshotView view);

}  // namespace tessarin
