#include "screenshot.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "core/display/window_fit.h"
#include "core/program/program.h"
#include "gui/controls/panel_ex.h"
#include "gui/display/draw_grid.h"
#include "gui/display/tray_program.h"
#include "gui/qt_text.h"

namespace tessarin {

int SaveDisplayScreenshot(TrayProgram& tray, const QString& file, bool compact) {
  Program& program = *tray.program();
  TFormMain& form = *tray.form();
  for (const std::string& failure : program.RunStartupConversions())
    std::fprintf(stderr, "%s\n", failure.c_str());
  form.SetScores(program.scores());
  form.HandOver(program.cycle().WatchClients());
  if (compact)
    form.PopupMenu1().ViewCompact->trigger();
  form.Panel().setText(QStringLiteral("OK"));
  form.Panel().setEnabled(true);
  // Every row, whatever the screen allows.
  TDrawGrid& grid = form.DrawGrid();
  const int rows = grid.RowCount();
  form.resize(form.width(), rows * (grid.RowHeight() + 1) + kPanelHeight + grid.ChromeHeight());
  form.show();
  QApplication::processEvents();
  const QPixmap image = form.grab();
  if (!image.save(file, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", ToBytes(file).c_str());
    return 1;
  }
  return 0;
}

}  // namespace tessarin
