#pragma once
// `tessarin --screenshot FILE [--compact]`: one watch cycle over the program directory's
// clients, the monitoring display with every row, saved as an image; no tray, no timer.

#include <QString>

namespace tessarin {

class TrayProgram;

// 0 when the image was written.
int SaveDisplayScreenshot(TrayProgram& tray, const QString& file, bool compact);

}  // namespace tessarin
