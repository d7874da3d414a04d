#pragma once
// A remembered window place, put onto a screen that exists now.

#include <QRect>

class QWidget;

namespace tessarin {

// Moves `window` to the left and top of `wanted` and gives it its size, kept on the screens
// of this session (the primary first).
void PlaceOnExistingScreen(QWidget& window, const QRect& wanted);

}  // namespace tessarin
