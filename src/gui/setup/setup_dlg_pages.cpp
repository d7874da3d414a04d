// The four pages of the setup dialog: its group boxes, controls, ranges and labels.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/controls/h_check_list_box.h"
#include "gui/controls/h_edit.h"
#include "gui/setup/setup_dlg.h"

namespace tessarin {

namespace {

QGroupBox* NewGroup(const char* name, const QString& caption, const QString& hint = {}) {
  auto* box = new QGroupBox(caption);
  box->setObjectName(name);
  box->setToolTip(hint);
  return box;
}

QPushButton* NewButton(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// The narrow "..." button beside a path.
QPushButton* NewBrowseButton(const char* name) {
  QPushButton* button = NewButton(name, "...");
  button->setMaximumWidth(button->fontMetrics().horizontalAdvance("...") + 24);
  return button;
}

QCheckBox* NewCheck(const char* name, const QString& caption, const QString& hint = {}) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  box->setToolTip(hint);
  return box;
}

// A slider of whole hours with its fixed labels spread below it.
QSlider* NewHourSlider(const char* name, int maximum, int tick, QGroupBox* box) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setObjectName(name);
  slider->setRange(0, maximum);
  slider->setTickInterval(tick);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setSingleStep(1);
  slider->setPageStep(tick);
  auto* labels = new QHBoxLayout;
  for (int step = 0; step <= 4; ++step) {
    if (step > 0)
      labels->addStretch();
    labels->addWidget(new QLabel(QString("%1h").arg(maximum / 4 * step)));
  }
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(slider);
  layout->addLayout(labels);
  return slider;
}

}  // namespace

THEdit* TSetupDlg::NewEdit(const char* name) {
  auto* edit = new THEdit(nullptr, services_.hints);
  edit->setObjectName(name);
  edit->SetSpHint(true);
  return edit;
}

QWidget* TSetupDlg::BuildDirectoriesPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  gbBoincDirs = NewGroup("gbBoincDirs", "BOINC client directories",
                         "Add all directories of your BOINC clients to this list");
  lbBoincDirs = new THCheckListBox(nullptr, services_.hints);
  lbBoincDirs->setObjectName("lbBoincDirs");
  lbBoincDirs->SetSpHint(true);
  lbBoincDirs->setSelectionMode(QAbstractItemView::ExtendedSelection);
  btnAdd = NewButton("btnAdd", "Add");
  btnRemove = NewButton("btnRemove", "Remove");
  auto* dirButtons = new QHBoxLayout;
  dirButtons->addStretch();
  dirButtons->addWidget(btnAdd);
  dirButtons->addWidget(btnRemove);
  auto* dirsLayout = new QVBoxLayout(gbBoincDirs);
  dirsLayout->addWidget(lbBoincDirs);
  dirsLayout->addLayout(dirButtons);
  layout->addWidget(gbBoincDirs, 1);

  gbRemoteClients = NewGroup("gbRemoteClients", "Remote BOINC clients",
                             "BOINC clients on other computers, watched over the network");
  lbRemoteClients = new QListWidget;
  lbRemoteClients->setObjectName("lbRemoteClients");
  lbRemoteClients->setSelectionMode(QAbstractItemView::ExtendedSelection);
  btnAddRemote = NewButton("btnAddRemote", "Add remote\u2026");
  btnRemoveRemote = NewButton("btnRemoveRemote", "Remove");
  auto* remoteButtons = new QHBoxLayout;
  remoteButtons->addStretch();
  remoteButtons->addWidget(btnAddRemote);
  remoteButtons->addWidget(btnRemoveRemote);
  auto* remotesLayout = new QVBoxLayout(gbRemoteClients);
  remotesLayout->addWidget(lbRemoteClients);
  remotesLayout->addLayout(remoteButtons);
  layout->addWidget(gbRemoteClients, 1);

  gbLogDir = NewGroup(
      "gbLogDir", "Directory for log files",
      "Here you have to enter the directory, where the log files and backups will be stored");
  edLogDir = NewEdit("edLogDir");
  btnSelectDir = NewBrowseButton("btnSelectDir");
  auto* logLayout = new QHBoxLayout(gbLogDir);
  logLayout->addWidget(edLogDir, 1);
  logLayout->addWidget(btnSelectDir);
  layout->addWidget(gbLogDir);
  return page;
}

QWidget* TSetupDlg::BuildNotificationsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  gbNotificationYellow = NewGroup("gbNotificationYellow", "Yellow alert");
  tbYellowAlert = NewHourSlider("tbYellowAlert", kYellowAlertMax, 6, gbNotificationYellow);
  gbNotificationRed = NewGroup("gbNotificationRed", "Red alert");
  tbRedAlert = NewHourSlider("tbRedAlert", kRedAlertMax, 3, gbNotificationRed);
  layout->addWidget(gbNotificationYellow);
  layout->addWidget(gbNotificationRed);
  cbDesktopNotify = NewCheck("cbDesktopNotify", "desktop notifications",
                             "Show a desktop notification on red alert, when a client has no "
                             "work left and when a result finished with an error");
  layout->addWidget(cbDesktopNotify);
  layout->addStretch();
  return page;
}

QGroupBox* TSetupDlg::BuildSoundBox(const char* name, const QString& caption, const QString& hint,
                                    SoundControls controls) {
  const QString suffix = QString(name).mid(QString("gbSound").size());
  QGroupBox*& box = controls.box;
  THEdit*& edit = controls.edit;
  QPushButton*& choose = controls.choose;
  QPushButton*& test = controls.test;
  QCheckBox** once = controls.once;
  box = NewGroup(name, caption, hint);
  edit = NewEdit(("edSound" + suffix).toLatin1().constData());
  choose = NewBrowseButton(("btnSound" + suffix).toLatin1().constData());
  test = NewButton(("btnTest" + suffix).toLatin1().constData(), "Test");
  test->setToolTip("Play this sound now");
  auto* grid = new QGridLayout(box);
  grid->addWidget(edit, 0, 0);
  grid->addWidget(choose, 0, 1);
  grid->addWidget(test, 0, 2);
  grid->setColumnStretch(0, 1);
  if (once != nullptr) {
    *once = NewCheck(("cbSound" + suffix + "Once").toLatin1().constData(), "play only once");
    grid->addWidget(*once, 1, 0, 1, 3);
  }
  return box;
}

QWidget* TSetupDlg::BuildSoundsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(BuildSoundBox(
      "gbSoundNewWU", "New WU", "This sound will be played when a new WU has been downloaded",
      {gbSoundNewWU, edSoundNewWU, btnSoundNewWU, btnTestNewWU, nullptr}));
  layout->addWidget(BuildSoundBox(
      "gbSoundFinishedWU", "Finished WU", "This sound will be played when a WU has been finished",
      {gbSoundFinishedWU, edSoundFinishedWU, btnSoundFinishedWU, btnTestFinishedWU, nullptr}));
  layout->addWidget(
      BuildSoundBox("gbSoundYellowAlert", "Yellow alert",
                    "This sound will be played when a client enters yellow alert state",
                    {gbSoundYellowAlert, edSoundYellowAlert, btnSoundYellowAlert,
                     btnTestYellowAlert, &cbSoundYellowAlertOnce}));
  layout->addWidget(BuildSoundBox(
      "gbSoundRedAlert", "Red alert",
      "This sound will be played when a client enters red alert state",
      {gbSoundRedAlert, edSoundRedAlert, btnSoundRedAlert, btnTestRedAlert, &cbSoundRedAlertOnce}));
  layout->addWidget(BuildSoundBox("gbSoundCacheEmpty", "Cache empty",
                                  "This sound will be played when a client has no work left",
                                  {gbSoundCacheEmpty, edSoundCacheEmpty, btnSoundCacheEmpty,
                                   btnTestCacheEmpty, &cbSoundCacheEmptyOnce}));
  layout->addStretch();
  return page;
}

QWidget* TSetupDlg::BuildOtherPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  gbInterval = NewGroup("gbInterval", "Monitoring interval",
                        "Here you can adjust how often Tessarin looks for changes");
  edTimer = new QSpinBox;
  edTimer->setObjectName("edTimer");
  edTimer->setRange(0, kTimerMax);
  auto* intervalLayout = new QHBoxLayout(gbInterval);
  intervalLayout->addWidget(edTimer);
  intervalLayout->addWidget(new QLabel("seconds"));
  intervalLayout->addStretch();
  layout->addWidget(gbInterval);

  gbArchive = NewGroup("gbArchive", "Archive",
                       "Here you can choose to make archive copies of the most interesting files");
  cbBackupWu = NewCheck("cbBackupWu", "workunit files");
  cbBackupResult = NewCheck("cbBackupResult", "result files");
  cbBackupState = NewCheck("cbBackupState", "state files (for SETI@home only)");
  auto* archiveLayout = new QVBoxLayout(gbArchive);
  for (QCheckBox* box : {cbBackupWu, cbBackupResult, cbBackupState})
    archiveLayout->addWidget(box);
  layout->addWidget(gbArchive);

  gbOptions = NewGroup("gbOptions", "Additional options");
  cbAutorun = NewCheck("cbAutorun", "autorun at startup", "Automatically start Tessarin at login");
  cbClosetotray = NewCheck("cbClosetotray", "close to tray", "Close monitoring display into tray");
  cbSilent = NewCheck("cbSilent", "start silent", "Don't show splash message on loading");
  cbCenter = NewCheck("cbCenter", "center display", "Center the monitoring display on the screen");
  cbRecalculateProgress =
      NewCheck("cbRecalculateProgress", "recalculate progress",
               "Recalculate progress to fix incorrect progress display of SETI@home application");
  cbNotify = NewCheck("cbNotify", "colored tray notification",
                      "The color of the tray icon will show the average progress of your clients");
  cbRateScores =
      NewCheck("cbRateScores", "rate scores", "Rate signal score in relation to previous results");
  cbWallpaper = NewCheck("cbWallpaper", "make wallpaper",
                         "Let SMV automatically update your desktop wallpaper");
  auto* options = new QGridLayout(gbOptions);
  QCheckBox* const order[] = {cbAutorun, cbClosetotray, cbSilent,   cbCenter, cbRecalculateProgress,
                              cbNotify,  cbRateScores,  cbWallpaper};
  for (int i = 0; i < 8; ++i)
    options->addWidget(order[i], i / 2, i % 2);
  layout->addWidget(gbOptions);
  layout->addStretch();
  return page;
}

}  // namespace tessarin
