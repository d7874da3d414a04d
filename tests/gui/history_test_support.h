#pragma once
// Driving a TStringGridEx the way a user does: clicks on its header cells, keys, and the
// texts it shows.

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <string>

#include "gui/controls/string_grid_ex.h"
#include "gui/controls/string_grid_ex_header.h"
#include "gui/controls/string_grid_ex_model.h"
#include "gui/qt_text.h"
#include "hint_test_support.h"

namespace tessarin::test {

// The middle of a header cell, in the header viewport's coordinates.
inline QPoint HeaderCellCentre(const TStringGridEx& grid, int column) {
  const QHeaderView& header = *grid.horizontalHeader();
  return {header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
          header.height() / 2};
}

inline void MouseClick(QWidget* target, const QPoint& at, Qt::MouseButton button) {
  SendMouse(target, QEvent::MouseButtonPress, at, button, button);
  SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton, button);
}

inline void ClickHeader(TStringGridEx& grid, int column) {
  MouseClick(grid.horizontalHeader()->viewport(), HeaderCellCentre(grid, column), Qt::LeftButton);
}

inline void PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(target, &release);
}

// The text the grid shows at a model row (hidden rows are not in the model).
inline std::string Shown(const TStringGridEx& grid, int row, int column) {
  return ToBytes(grid.model()->index(row, column).data(Qt::DisplayRole).toString());
}

inline std::vector<std::string> ShownColumn(const TStringGridEx& grid, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < grid.model()->rowCount(); ++row)
    texts.push_back(Shown(grid, row, column));
  return texts;
}

}  // namespace tessarin::test
