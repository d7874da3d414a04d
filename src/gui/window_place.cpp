#include "gui/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "core/display/screen_place.h"

namespace tessarin {

void PlaceOnExistingScreen(QWidget& window, const QRect& wanted) {
  std::vector<ScreenRect> screens;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr) {
    const QRect r = primary->availableGeometry();
    screens.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen == primary)
      continue;
    const QRect r = screen->availableGeometry();
    screens.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  // The place is the frame's (move() places the frame); the size is the client area's.
  const QSize frame = window.frameGeometry().size() - window.size();
  const ScreenRect placed = PlaceOnScreens(
      {wanted.x(), wanted.y(), wanted.width() + frame.width(), wanted.height() + frame.height()},
      screens);
  window.move(placed.left, placed.top);
  window.resize(placed.width - frame.width(), placed.height - frame.height());
}

}  // namespace tessarin
