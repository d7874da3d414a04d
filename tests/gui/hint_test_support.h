#pragma once
// The one QApplication of the widget tests, and mouse events sent straight to a widget.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tessarin::test {

// Created on first use and kept to the end of the test program.
inline QApplication& EnsureApplication() {
  if (QApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "tessarin_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
  }
  return *qApp;
}

inline void SendMouse(QWidget* target, QEvent::Type type, const QPoint& local,
                      Qt::MouseButtons buttons = Qt::NoButton,
                      Qt::MouseButton button = Qt::NoButton) {
  QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

}  // namespace tessarin::test
