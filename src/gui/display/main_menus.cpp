#include "gui/display/main_menus.h"

#include <QActionGroup>
#include <QMenu>

#include "core/display/sort_slots.h"

namespace tessarin {

namespace {

QAction* Radio(QMenu* menu, QActionGroup* group, const QString& caption, int tag, bool checked) {
  QAction* action = menu->addAction(caption);
  action->setCheckable(true);
  action->setChecked(checked);
  action->setData(tag);
  group->addAction(action);
  return action;
}

}  // namespace

TrayMenu BuildTrayMenu(QWidget* parent) {
  TrayMenu m;
  m.menu = new QMenu(parent);
  m.Show = m.menu->addAction(QStringLiteral("Show monitoring display"));
  m.menu->setDefaultAction(m.Show);
  m.Overview = m.menu->addAction(QStringLiteral("Show overall view"));
  m.History = m.menu->addAction(QStringLiteral("Show history"));
  m.ShowUserstats = m.menu->addAction(QStringLiteral("Show user stats"));
  m.ShowUserstats->setVisible(false);
  m.N3 = m.menu->addSeparator();
  m.Setup = m.menu->addAction(QStringLiteral("Setup Tessarin"));
  m.About = m.menu->addAction(QStringLiteral("About Tessarin"));
  m.N2 = m.menu->addSeparator();
  m.MapView = m.menu->addAction(QStringLiteral("Start SETI@home-MapView"));
  m.N1 = m.menu->addSeparator();
  m.DoExit = m.menu->addAction(QStringLiteral("Exit"));
  return m;
}

GridMenu BuildGridMenu(QWidget* parent) {
  GridMenu m;
  m.menu = new QMenu(parent);
  m.View = m.menu->addMenu(QStringLiteral("View"));
  m.viewGroup = new QActionGroup(m.menu);
  m.viewGroup->setExclusive(true);
  m.ViewNormal = Radio(m.View, m.viewGroup, QStringLiteral("Normal"), 0, true);
  m.ViewCompact = Radio(m.View, m.viewGroup, QStringLiteral("Compact"), 1, false);
  m.SortBy = m.menu->addMenu(QStringLiteral("Sort by"));
  m.sortGroup = new QActionGroup(m.menu);
  m.sortGroup->setExclusive(true);
  m.SortByHost = Radio(m.SortBy, m.sortGroup, QStringLiteral("Host"), sort_by::kHost, true);
  m.SortByProject =
      Radio(m.SortBy, m.sortGroup, QStringLiteral("Project"), sort_by::kProject, false);
  m.SortByProgress =
      Radio(m.SortBy, m.sortGroup, QStringLiteral("Progress"), sort_by::kProgress, false);
  m.SortByTimeLeft =
      Radio(m.SortBy, m.sortGroup, QStringLiteral("Time left"), sort_by::kTimeLeft, false);
  return m;
}

void CheckSortTag(const GridMenu& menu, int tag) {
  for (QAction* action : menu.sortGroup->actions()) {
    if (action->data().toInt() == tag) {
      action->setChecked(true);
      return;
    }
  }
}

int CheckedSortTag(const GridMenu& menu) {
  const QAction* checked = menu.sortGroup->checkedAction();
  return checked != nullptr ? checked->data().toInt() : -1;
}

}  // namespace tessarin
