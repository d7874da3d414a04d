#pragma once
// The tray menu (PopupMenu) and the grid's context menu (PopupMenu1) of the main window.

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace tessarin {

struct TrayMenu {
  QMenu* menu = nullptr;
  QAction* Show = nullptr;  // the default item
  QAction* Overview = nullptr;
  QAction* History = nullptr;
  QAction* ShowUserstats = nullptr;  // hidden from start-up on
  QAction* N3 = nullptr;
  QAction* Setup = nullptr;
  QAction* About = nullptr;
  QAction* N2 = nullptr;
  QAction* MapView = nullptr;  // shown only when the map viewer exists
  QAction* N1 = nullptr;
  QAction* DoExit = nullptr;
};

struct GridMenu {
  QMenu* menu = nullptr;
  QMenu* View = nullptr;
  QMenu* SortBy = nullptr;
  QActionGroup* viewGroup = nullptr;
  QActionGroup* sortGroup = nullptr;
  QAction* ViewNormal = nullptr;
  QAction* ViewCompact = nullptr;
  // Tags (the action's data) 0 to 3, as Options/SortBy.
  QAction* SortByHost = nullptr;
  QAction* SortByProject = nullptr;
  QAction* SortByProgress = nullptr;
  QAction* SortByTimeLeft = nullptr;
};

// Both menus are children of `parent`; the designed checks are Normal and Host.
TrayMenu BuildTrayMenu(QWidget* parent);
GridMenu BuildGridMenu(QWidget* parent);

// Checks the first "Sort by" item whose tag is `tag`; no item matching changes nothing.
void CheckSortTag(const GridMenu& menu, int tag);
// The tag of the checked "Sort by" item; -1 when none is checked.
int CheckedSortTag(const GridMenu& menu);

}  // namespace tessarin
