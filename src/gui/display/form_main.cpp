#include "gui/display/form_main.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSocketNotifier>
#include <exception>
#include <optional>

#include "core/display/sort_slots.h"
#include "core/display/window_fit.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/watcher/map_viewer.h"
#include "core/watcher/program_launcher.h"
#include "gui/controls/panel_ex.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/display/draw_grid.h"
#include "gui/display/user_date.h"
#include "gui/qt_text.h"
#include "version.h"

namespace tessarin {

namespace {

QFont ArialPixels(int pixels, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

QString ProgramCaption() {
  return QString::fromUtf8(version::kProductName) + QStringLiteral(" v") +
         QString::fromUtf8(version::kProductVersion);
}

TFormMain::TFormMain(FormMainServices services, bool trayAvailable, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), trayImages_(MakeTrayImages()) {
  setWindowTitle(ProgramCaption());
  setWindowIcon(trayImages_[0]);
  setFont(ArialPixels(11, false));
  setMinimumWidth(kMinWidth);
  setMaximumWidth(kMaxWidth);
  resize(kDesignedWidth, kDesignedHeight);

  grid_ = new TDrawGrid(model_, this);
  panel_ = new TPanelEx(this);
  panel_->setFont(ArialPixels(15, true));
  panel_->setCursor(Qt::PointingHandCursor);
  panel_->setToolTip(QStringLiteral("Hide window"));
  panel_->setEnabled(false);
  connect(panel_, &TPanelEx::MouseEnter, this, [this] { panel_->SetLowered(true); });
  connect(panel_, &TPanelEx::MouseLeave, this, [this] { panel_->SetLowered(false); });
  connect(panel_, &TPanelEx::Click, this, [this] { PanelClick(); });
  LayoutChildren();

  trayMenu_ = BuildTrayMenu(this);
  connect(trayMenu_.Show, &QAction::triggered, this, [this] { ShowClick(); });
  connect(trayMenu_.Overview, &QAction::triggered, this, [this] { OverviewClick(); });
  connect(trayMenu_.History, &QAction::triggered, this, [this] { HistoryClick(); });
  connect(trayMenu_.Setup, &QAction::triggered, this, [this] { SetupClick(); });
  connect(trayMenu_.MapView, &QAction::triggered, this, [this] { MapViewClick(); });
  connect(trayMenu_.DoExit, &QAction::triggered, this, [this] { DoExitClick(); });
  connect(trayMenu_.menu, &QMenu::aboutToShow, this, [this] { UpdateMapViewItem(); });

  gridMenu_ = BuildGridMenu(this);
  connect(gridMenu_.viewGroup, &QActionGroup::triggered, this,
          [this](QAction* item) { RadioClick(item); });
  connect(gridMenu_.sortGroup, &QActionGroup::triggered, this,
          [this](QAction* item) { RadioClick(item); });
  connect(grid_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { gridMenu_.menu->popup(grid_->viewport()->mapToGlobal(at)); });

  if (trayAvailable) {
    tray_ = new QSystemTrayIcon(this);
    tray_->setContextMenu(trayMenu_.menu);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
      if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::MiddleClick)
        ShowClick();
    });
  } else {
    // Without a tray the tray menu's windows are reached from the grid's menu.
    gridMenu_.menu->addSeparator();
    gridMenu_.menu->addAction(trayMenu_.Overview);
    gridMenu_.menu->addAction(trayMenu_.History);
    gridMenu_.menu->addAction(trayMenu_.Setup);
    gridMenu_.menu->addAction(trayMenu_.MapView);
    gridMenu_.menu->addSeparator();
    gridMenu_.menu->addAction(trayMenu_.DoExit);
    connect(gridMenu_.menu, &QMenu::aboutToShow, this, [this] { UpdateMapViewItem(); });
  }

  // The thresholds stay zero until the start-up conversions have computed them.
  scores_ = ScoreThresholds{};
  scores_.spike = scores_.gaussian = scores_.pulse = scores_.triplet = ScoreLimits{};
  scores_.rateScores = Settings().Read(settings::kRateScores);

  SettingsStore& settings = Settings();
  if (settings.Read(settings::kCompactView))
    gridMenu_.ViewCompact->setChecked(true);
  CheckSortTag(gridMenu_, settings.Read(settings::kSortBy));
  silent_ = settings.Read(settings::kSilent);

  doorbell_ = new QSocketNotifier(worker_.DoorbellFd(), QSocketNotifier::Read, this);
  connect(doorbell_, &QSocketNotifier::activated, this, [this] {
    if (std::optional<CycleOutcome> outcome = worker_.Take())
      CycleDone(std::move(*outcome));
  });

  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { TimerTimer(); });
  UpdateCellOptions();
  ApplyRowHeight();
}

TFormMain::~TFormMain() {
  closing_ = true;
  timer_.stop();
  // The cycle writes into this object's mailbox: let it end before the window goes, and stop
  // watching the doorbell before the worker closes it.
  worker_.Wait();
  delete doorbell_;
  doorbell_ = nullptr;
}

void TFormMain::SetScores(const ScoreThresholds& scores) {
  scores_ = scores;
  UpdateCellOptions();
  grid_->viewport()->update();
}

bool TFormMain::Compact() const {
  return gridMenu_.ViewCompact->isChecked();
}

void TFormMain::UpdateCellOptions() {
  CellTextOptions options;
  options.compact = Compact();
  options.scores = scores_;
  options.formatDate = &UserShortDate;
  grid_->Delegate().Painter().SetOptions(std::move(options));
}

void TFormMain::Start() {
  // Only the bottom panel shows: the start-up bar.
  panel_->setText(QString::fromUtf8(version::kCopyright));
  resize(width(), kPanelHeight);
  const QRect screen = ScreenGeometry();
  move(screen.x() + CentredOffset(screen.width(), width()),
       screen.y() + CentredOffset(screen.height(), kDesignedHeight));
  // Level 1 is remembered, so that a first cycle without alerts still sets the normal image.
  trayImage_ = 0;
  if (tray_ != nullptr) {
    tray_->setIcon(trayImages_[0]);
    tray_->setToolTip(ProgramCaption().left(kMaxTipLength));
    tray_->show();
  }
  if (!silent_)
    show();
  timer_.start(silent_ ? kSilentIntervalMs : kDesignedIntervalMs);
}

void TFormMain::TimerTimer() {
  if (closing_ || worker_.Running())
    return;
  timer_.stop();
  if (!firstCycleDone_) {
    firstCycleDone_ = true;
    HideIt();
    panel_->setText(QStringLiteral("OK"));
    panel_->setEnabled(true);
  }
  worker_.Start(services_.watchClients, CycleIntervalMs(Settings()));
}

void TFormMain::CycleDone(CycleOutcome outcome) {
  if (closing_)
    return;
  const int pause = outcome.nextIntervalMs;
  HandOver(std::move(outcome));
  timer_.start(pause);
  emit CycleHandedOver();
}

void TFormMain::HandOver(CycleOutcome outcome) {
  if (outcome.published) {
    // Sorted and swapped in on this thread, so the grid never draws a list in between.
    SortSlots(outcome.display, CheckedSortTag(gridMenu_));
    const int shownBefore = shownEntries_;
    shownEntries_ = static_cast<int>(outcome.display.size());
    model_.Replace(std::move(outcome.display));
    results_ = std::move(outcome.results);
    RefreshDisplay();
    if (RefitsOnHandOver(isVisible() && !isMinimized(), shownBefore, shownEntries_))
      Refit();
  }
  if (outcome.trayImageChanged)
    SetTrayImage(outcome.trayLevel);
  // A cycle that refused to write says why where "OK" stands.
  if (firstCycleDone_) {
    panel_->setText(outcome.writeRefusal.empty() ? QStringLiteral("OK")
                                                 : ToQString(outcome.writeRefusal));
  }
}

void TFormMain::ApplyTimerInterval() {
  // While a cycle runs the timer is off; that cycle reads the new interval when it ends.
  if (timer_.isActive())
    timer_.start(CycleIntervalMs(Settings()));
}

void TFormMain::SetTrayImage(int level) {
  if (level < 0 || level >= kTrayLevels)
    return;
  trayImage_ = level;
  if (tray_ != nullptr)
    tray_->setIcon(trayImages_[static_cast<std::size_t>(level)]);
}

void TFormMain::ShowClick() {
  if (timer_.isActive())
    TimerTimer();
  FitWindow();
  if (!Settings().Read(settings::kCenter)) {
    SettingsStore& s = Settings();
    const int left = s.ReadInteger(sections::kOptions, settings::kLastLeft, x());
    const int top = s.ReadInteger(sections::kOptions, settings::kLastTop, y());
    const int height = s.ReadInteger(sections::kOptions, settings::kLastHeight, this->height());
    move(left, top);
    resize(width(), height);
  }
  ShowMainWindow();
}

QRect TFormMain::ScreenGeometry() const {
  const QScreen* where = screen();
  if (where == nullptr)
    where = QGuiApplication::primaryScreen();
  return where != nullptr ? where->geometry() : QRect(0, 0, 1024, 768);
}

void TFormMain::FitHeight() {
  const int gridHeight =
      FitGridHeight(grid_->RowCount(), grid_->RowHeight(), ScreenGeometry().height());
  resize(width(), gridHeight + kPanelHeight + grid_->ChromeHeight());
  LayoutChildren();
}

void TFormMain::Refit() {
  if (Settings().Read(settings::kCenter))
    FitWindow();
  else
    FitHeight();
}

void TFormMain::FitWindow() {
  FitHeight();
  const QRect screen = ScreenGeometry();
  const QRect frame = frameGeometry();
  move(screen.x() + CentredOffset(screen.width(), frame.width()),
       screen.y() + CentredOffset(screen.height(), frame.height()));
}

void TFormMain::ShowMainWindow() {
  ownStateChange_ = true;
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  ownStateChange_ = false;
  raise();
  activateWindow();
}

void TFormMain::RememberPlace() {
  if (!RemembersPlace(height()))
    return;
  SettingsStore& s = Settings();
  s.WriteInteger(sections::kOptions, settings::kLastLeft, x());
  s.WriteInteger(sections::kOptions, settings::kLastTop, y());
  s.WriteInteger(sections::kOptions, settings::kLastHeight, height());
  try {
    s.UpdateFile();
  } catch (const std::exception&) {
    // The place stays in memory and reaches the disk with the cycle's next flush; hiding
    // must not fail because of it.
  }
}

void TFormMain::HideIt() {
  if (hiding_)
    return;
  hiding_ = true;
  RememberPlace();
  if (tray_ != nullptr) {
    hide();
  } else if (isVisible() && !isMinimized()) {
    ownStateChange_ = true;
    showMinimized();
    ownStateChange_ = false;
  }
  hiding_ = false;
}

void TFormMain::PanelClick() {
  HideIt();
}

void TFormMain::DoExitClick() {
  HideIt();
  close();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (isVisible() && tray_ != nullptr && Settings().Read(settings::kCloseToTray)) {
    event->ignore();
    HideIt();
    return;
  }
  closing_ = true;
  timer_.stop();
  if (tray_ != nullptr)
    tray_->hide();
  worker_.Wait();
  event->accept();
  emit ProgramEnds();
}

void TFormMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || ownStateChange_ || closing_)
    return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if (isMinimized()) {
    if (tray_ != nullptr) {
      // The minimise button hides into the tray; queued, as the state change is not done yet.
      QMetaObject::invokeMethod(
          this, [this] { HideIt(); }, Qt::QueuedConnection);
    } else {
      RememberPlace();
    }
  } else if ((change->oldState() & Qt::WindowMinimized) != 0 && tray_ == nullptr) {
    // Without a tray, restoring the window is what a tray click would be.
    QMetaObject::invokeMethod(
        this, [this] { ShowClick(); }, Qt::QueuedConnection);
  }
}

void TFormMain::RadioClick(QAction* item) {
  item->setChecked(true);
  SettingsStore& s = Settings();
  s.Write(settings::kSortBy, CheckedSortTag(gridMenu_));
  s.Write(settings::kCompactView, Compact());
  UpdateCellOptions();
  if (s.Read(settings::kCenter)) {
    ApplyRowHeight();
    FitWindow();
  }
  model_.Sort(CheckedSortTag(gridMenu_));
  RefreshDisplay();
}

void TFormMain::ApplyRowHeight() {
  grid_->SetRowHeight(RowHeight(Compact()));
}

void TFormMain::RefreshDisplay() {
  ApplyRowHeight();
  FormResize();
  grid_->viewport()->update();
}

void TFormMain::FormResize() {
  grid_->FitColumn();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutChildren();
  FormResize();
}

void TFormMain::LayoutChildren() {
  const int panelTop = std::max(0, height() - kPanelHeight);
  grid_->setGeometry(0, 0, width(), panelTop);
  panel_->setGeometry(0, panelTop, width(), std::min(height(), kPanelHeight));
}

void TFormMain::UpdateMapViewItem() {
  const bool exists = services_.launcher.Exists(MapViewerPath(Settings()));
  trayMenu_.MapView->setVisible(exists);
  trayMenu_.N1->setVisible(exists);
}

void TFormMain::MapViewClick() {
  services_.launcher.StartDetached(MapViewerPath(Settings()), {});
}

void TFormMain::NotBuiltYet(const QString& what) {
  services_.messages.Information(this, ProgramCaption(),
                                 what + QStringLiteral(" is not part of this build yet."));
}

WindowContext TFormMain::Context() {
  return WindowContext{this, services_.env, services_.requestWallpaper, importJobLogs_};
}

void TFormMain::OverviewClick() {
  if (openers_.overview) {
    const ResultList copy = results_;
    openers_.overview(Context(), copy);
  } else {
    NotBuiltYet(QStringLiteral("The overall view"));
  }
}

void TFormMain::HistoryClick() {
  if (openers_.history)
    openers_.history(Context());
  else
    NotBuiltYet(QStringLiteral("The history window"));
}

void TFormMain::SetupClick() {
  if (!openers_.setup) {
    NotBuiltYet(QStringLiteral("The setup dialog"));
    return;
  }
  if (openers_.setup(Context()))
    ApplyTimerInterval();
  if (services_.getScores)
    SetScores(services_.getScores());
}

}  // namespace tessarin
