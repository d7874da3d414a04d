#include "screenshot.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QPixmap>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <functional>

#include "core/display/window_fit.h"
#include "core/program/program.h"
#include "gui/controls/panel_ex.h"
#include "gui/display/draw_grid.h"
#include "gui/display/tray_program.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

bool Save(const QPixmap& image, const QString& file) {
  if (image.save(file, "PNG"))
    return true;
  std::fprintf(stderr, "cannot write %s\n", ToBytes(file).c_str());
  return false;
}

// Every node open and every column in view, whatever the design size.
void OpenWholeTree(QWidget& window) {
  auto* tree = window.findChild<QTreeView*>();
  if (tree == nullptr)
    return;
  tree->expandAll();
  QApplication::processEvents();
  int rowsHeight = 0;
  for (QModelIndex row = tree->model()->index(0, 0); row.isValid(); row = tree->indexBelow(row))
    rowsHeight += tree->visualRect(row).height();
  const QWidget& viewport = *tree->viewport();
  window.resize(window.width() - viewport.width() + tree->header()->length() + 2,
                window.height() - viewport.height() + rowsHeight + 2);
}

// The window `open` shows modally, saved once it is up, then cancelled.
int SaveModalWindow(const std::function<void()>& open, const QString& file, bool wholeTree) {
  bool saved = false;
  QTimer::singleShot(0, [&saved, &file, wholeTree] {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr)
      return;
    if (wholeTree)
      OpenWholeTree(*window);
    QApplication::processEvents();
    saved = Save(window->grab(), file);
    if (auto* dialog = qobject_cast<QDialog*>(window))
      dialog->reject();
    else
      window->close();
  });
  open();
  return saved ? 0 : 1;
}

}  // namespace

int SaveScreenshot(TrayProgram& tray, const QString& file, ScreenshotView view) {
  Program& program = *tray.program();
  TFormMain& form = *tray.form();
  for (const std::string& failure : program.RunStartupConversions())
    std::fprintf(stderr, "%s\n", failure.c_str());
  form.SetScores(program.scores());
  form.HandOver(program.cycle().WatchClients());
  if (view == ScreenshotView::kOverview)
    return SaveModalWindow([&form] { form.OverviewClick(); }, file, true);
  if (view == ScreenshotView::kSetup)
    return SaveModalWindow([&form] { form.SetupClick(); }, file, false);
  if (view == ScreenshotView::kCompact)
    form.PopupMenu1().ViewCompact->trigger();
  form.Panel().setText(QStringLiteral("OK"));
  form.Panel().setEnabled(true);
  // Every row, whatever the screen allows.
  TDrawGrid& grid = form.DrawGrid();
  const int rows = grid.RowCount();
  form.resize(form.width(), rows * (grid.RowHeight() + 1) + kPanelHeight + grid.ChromeHeight());
  form.show();
  QApplication::processEvents();
  return Save(form.grab(), file) ? 0 : 1;
}

}  // namespace tessarin
