#include "gui/setup/setup_dlg.h"
#include "gui/setup/ok_cancel_row.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/setup/boinc_dir_list.h"
#include "core/setup/load_settings.h"
#include "core/setup/setup_paths.h"
#include "core/setup/setup_validation.h"
#include "core/setup/sound_choice.h"
#include "core/tools/sound.h"
#include "gui/controls/h_check_list_box.h"
#include "gui/controls/h_edit.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/qt_text.h"
#include "gui/setup/file_choosers.h"
#include "gui/setup/remote_client_dlg.h"
#include "gui/setup/setup_prompter.h"

namespace tessarin {

TSetupDlg::TSetupDlg(SettingsStore& store, const SetupContext& context,
                     SetupDialogServices services, QWidget* parent)
    : QDialog(parent), store_(store), context_(context), services_(services) {
  setObjectName("SetupDlg");
  setWindowTitle("Setup");

  pcSetup = new QTabWidget;
  pcSetup->setObjectName("pcSetup");
  pcSetup->addTab(BuildDirectoriesPage(), "Directories");
  pcSetup->addTab(BuildNotificationsPage(), "Notifications");
  pcSetup->addTab(BuildSoundsPage(), "Sounds");
  pcSetup->addTab(BuildOtherPage(), "Other settings");

  const OkCancelRow buttons = MakeOkCancelRow();
  btnOk = buttons.ok;
  btnCancel = buttons.cancel;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pcSetup);
  layout->addLayout(buttons.layout);
  // A fixed-size dialog box, as large as its pages need.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ConnectHandlers();
  askRemote = [this]() -> std::optional<RemoteChoice> {
    TRemoteClientDlg entry(services_.messages, this);
    if (entry.exec() != QDialog::Accepted)
      return std::nullopt;
    return entry.Choice();
  };
}

void TSetupDlg::ConnectHandlers() {
  connect(btnOk, &QPushButton::clicked, this, &TSetupDlg::btnOkClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnAdd, &QPushButton::clicked, this, &TSetupDlg::btnAddClick);
  connect(btnRemove, &QPushButton::clicked, this, &TSetupDlg::btnRemoveClick);
  connect(btnAddRemote, &QPushButton::clicked, this, &TSetupDlg::btnAddRemoteClick);
  connect(btnRemoveRemote, &QPushButton::clicked, this, &TSetupDlg::btnRemoveRemoteClick);
  connect(btnSelectDir, &QPushButton::clicked, this, &TSetupDlg::btnSelectDirClick);
  connect(btnSoundNewWU, &QPushButton::clicked, this, &TSetupDlg::btnSoundNewWUClick);
  connect(btnSoundFinishedWU, &QPushButton::clicked, this, &TSetupDlg::btnSoundFinishedWUClick);
  connect(btnSoundYellowAlert, &QPushButton::clicked, this, &TSetupDlg::btnSoundYellowAlertClick);
  connect(btnSoundRedAlert, &QPushButton::clicked, this, &TSetupDlg::btnSoundRedAlertClick);
  connect(btnSoundCacheEmpty, &QPushButton::clicked, this, &TSetupDlg::btnSoundCacheEmptyClick);
  const std::pair<QPushButton*, THEdit*> tests[] = {{btnTestNewWU, edSoundNewWU},
                                                    {btnTestFinishedWU, edSoundFinishedWU},
                                                    {btnTestYellowAlert, edSoundYellowAlert},
                                                    {btnTestRedAlert, edSoundRedAlert},
                                                    {btnTestCacheEmpty, edSoundCacheEmpty}};
  for (const auto& [button, edit] : tests) {
    connect(button, &QPushButton::clicked, this,
            [this, button = button, edit = edit] { TestSound(button, edit); });
  }
}

TSetupDlg::~TSetupDlg() {
  StopTest();
}

void TSetupDlg::LoadSettings() {
  loaded_ = tessarin::LoadSettings(store_, context_);
  ShowValues(loaded_);
}

SaveOutcome TSetupDlg::SaveSettings() {
  return tessarin::SaveSettings(store_, Values(), context_);
}

namespace {

std::string PathBytes(const QListWidgetItem& entry) {
  const QVariant stored = entry.data(Qt::UserRole);
  return stored.isValid() ? stored.toByteArray().toStdString() : ToBytes(entry.text());
}

}  // namespace

std::vector<BoincDirEntry> TSetupDlg::ListedDirs() const {
  std::vector<BoincDirEntry> dirs;
  for (int i = 0; i < lbBoincDirs->count(); ++i) {
    const QListWidgetItem* entry = lbBoincDirs->item(i);
    dirs.push_back({PathBytes(*entry), entry->checkState() == Qt::Checked});
  }
  return dirs;
}

void TSetupDlg::ShowDirs(const std::vector<BoincDirEntry>& dirs) {
  lbBoincDirs->clear();
  for (const BoincDirEntry& dir : dirs) {
    auto* entry = new QListWidgetItem(ToQString(dir.path), lbBoincDirs);
    // The path as stored: a name that is not UTF-8 has no exact QString.
    entry->setData(Qt::UserRole, QByteArray::fromStdString(dir.path));
    entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
    entry->setCheckState(dir.checked ? Qt::Checked : Qt::Unchecked);
  }
}

std::vector<RemoteClientSetting> TSetupDlg::ListedRemotes() const {
  std::vector<RemoteClientSetting> remotes;
  for (int i = 0; i < lbRemoteClients->count(); ++i) {
    const QListWidgetItem* entry = lbRemoteClients->item(i);
    const std::optional<RemoteAddress> address = ParseRemoteAddress(ToBytes(entry->text()));
    if (address) {
      remotes.push_back({*address, entry->checkState() == Qt::Checked,
                         ToBytes(entry->data(Qt::UserRole).toString())});
    }
  }
  return remotes;
}

void TSetupDlg::ShowRemotes(const std::vector<RemoteClientSetting>& remotes) {
  lbRemoteClients->clear();
  for (const RemoteClientSetting& remote : remotes) {
    auto* entry = new QListWidgetItem(ToQString(remote.address.Key()), lbRemoteClients);
    entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
    entry->setCheckState(remote.enabled ? Qt::Checked : Qt::Unchecked);
    entry->setData(Qt::UserRole, ToQString(remote.passwordFile));
    if (!remote.passwordFile.empty())
      entry->setToolTip("Password from " + ToQString(remote.passwordFile));
  }
}

SetupSettings TSetupDlg::Values() const {
  SetupSettings s = loaded_;
  s.boincDirs = ListedDirs();
  s.remotes = ListedRemotes();
  s.typedPasswords = typedPasswords_;
  s.logDir = ToBytesKeeping(edLogDir->text(), loaded_.logDir);
  s.yellowAlert = tbYellowAlert->value();
  s.redAlert = tbRedAlert->value();
  s.soundNewWU = ToBytesKeeping(edSoundNewWU->text(), loaded_.soundNewWU);
  s.soundFinishedWU = ToBytesKeeping(edSoundFinishedWU->text(), loaded_.soundFinishedWU);
  s.soundYellowAlert = ToBytesKeeping(edSoundYellowAlert->text(), loaded_.soundYellowAlert);
  s.yellowAlertOnce = cbSoundYellowAlertOnce->isChecked();
  s.soundRedAlert = ToBytesKeeping(edSoundRedAlert->text(), loaded_.soundRedAlert);
  s.redAlertOnce = cbSoundRedAlertOnce->isChecked();
  s.soundCacheEmpty = ToBytesKeeping(edSoundCacheEmpty->text(), loaded_.soundCacheEmpty);
  s.cacheEmptyOnce = cbSoundCacheEmptyOnce->isChecked();
  s.timer = edTimer->value();
  s.backupWU = cbBackupWu->isChecked();
  s.backupResult = cbBackupResult->isChecked();
  s.backupState = cbBackupState->isChecked();
  s.autorun = cbAutorun->isChecked();
  s.closeToTray = cbClosetotray->isChecked();
  s.silent = cbSilent->isChecked();
  s.center = cbCenter->isChecked();
  s.recalculateProgress = cbRecalculateProgress->isChecked();
  s.notify = cbNotify->isChecked();
  s.desktopNotify = cbDesktopNotify->isChecked();
  s.rateScores = cbRateScores->isChecked();
  s.wallpaper = cbWallpaper->isChecked();
  return WithHomeExpanded(std::move(s), context_.home);
}

void TSetupDlg::ShowValues(const SetupSettings& s) {
  cbAutorun->setChecked(s.autorun);
  ShowDirs(s.boincDirs);
  ShowRemotes(s.remotes);
  edLogDir->setText(ToQString(s.logDir));
  edSoundNewWU->setText(ToQString(s.soundNewWU));
  edSoundFinishedWU->setText(ToQString(s.soundFinishedWU));
  edSoundYellowAlert->setText(ToQString(s.soundYellowAlert));
  cbSoundYellowAlertOnce->setChecked(s.yellowAlertOnce);
  edSoundRedAlert->setText(ToQString(s.soundRedAlert));
  cbSoundRedAlertOnce->setChecked(s.redAlertOnce);
  edSoundCacheEmpty->setText(ToQString(s.soundCacheEmpty));
  cbSoundCacheEmptyOnce->setChecked(s.cacheEmptyOnce);
  cbBackupWu->setChecked(s.backupWU);
  cbBackupState->setChecked(s.backupState);
  cbBackupResult->setChecked(s.backupResult);
  edTimer->setValue(s.timer);
  cbWallpaper->setChecked(s.wallpaper);
  cbClosetotray->setChecked(s.closeToTray);
  cbSilent->setChecked(s.silent);
  cbCenter->setChecked(s.center);
  cbNotify->setChecked(s.notify);
  cbDesktopNotify->setChecked(s.desktopNotify);
  cbRateScores->setChecked(s.rateScores);
  cbRecalculateProgress->setChecked(s.recalculateProgress);
  tbYellowAlert->setValue(s.yellowAlert);
  tbRedAlert->setValue(s.redAlert);
  cbWallpaper->setVisible(s.wallpaperAvailable);
}

void TSetupDlg::btnOkClick() {
  SetupBoxPrompter prompter(services_.messages, this);
  if (ValidateSetup(Values(), prompter, context_.programDir))
    accept();
}

void TSetupDlg::btnAddClick() {
  const int current = lbBoincDirs->currentRow();
  const QString start = current >= 0 && current < lbBoincDirs->count()
                            ? lbBoincDirs->item(current)->text()
                            : ToQString(context_.programDir);
  const QString chosen = services_.files.ChooseFolder(this, start, false);
  if (chosen.isEmpty())
    return;
  std::vector<BoincDirEntry> dirs = ListedDirs();
  const std::size_t index = AddBoincDir(dirs, ToBytes(chosen));
  ShowDirs(dirs);
  lbBoincDirs->setCurrentRow(static_cast<int>(index));
}

void TSetupDlg::btnRemoveClick() {
  // Removing does not advance, so neighbouring selected entries all go.
  int i = 0;
  while (i < lbBoincDirs->count()) {
    if (lbBoincDirs->item(i)->isSelected())
      delete lbBoincDirs->takeItem(i);
    else
      ++i;
  }
}

void TSetupDlg::btnAddRemoteClick() {
  const std::optional<RemoteChoice> choice = askRemote();
  if (!choice)
    return;
  SetupSettings values;
  values.remotes = ListedRemotes();
  values.typedPasswords = typedPasswords_;
  AddRemoteClient(values, *choice);
  typedPasswords_ = values.typedPasswords;
  ShowRemotes(values.remotes);
}

void TSetupDlg::btnRemoveRemoteClick() {
  for (QListWidgetItem* entry : lbRemoteClients->selectedItems())
    delete entry;
}

void TSetupDlg::btnSelectDirClick() {
  const QString chosen = services_.files.ChooseFolder(this, edLogDir->text(), true);
  if (!chosen.isEmpty())
    edLogDir->setText(chosen);
}

void TSetupDlg::ChooseSound(THEdit* edit) {
  if (const auto preset = SoundFileDialogPreset(ToBytes(edit->text())))
    soundFileName_ = ToQString(*preset);
  const QString start =
      soundFileName_.isEmpty() ? ToQString(context_.soundThemeDir) : soundFileName_;
  const QString chosen = services_.files.ChooseSoundFile(this, start);
  if (chosen.isEmpty())
    return;
  soundFileName_ = chosen;
  edit->setText(chosen);
}

void TSetupDlg::btnSoundNewWUClick() {
  ChooseSound(edSoundNewWU);
}
void TSetupDlg::btnSoundFinishedWUClick() {
  ChooseSound(edSoundFinishedWU);
}
void TSetupDlg::btnSoundYellowAlertClick() {
  ChooseSound(edSoundYellowAlert);
}
void TSetupDlg::btnSoundRedAlertClick() {
  ChooseSound(edSoundRedAlert);
}
void TSetupDlg::btnSoundCacheEmptyClick() {
  ChooseSound(edSoundCacheEmpty);
}

void TSetupDlg::TestSound(QPushButton* button, const THEdit* edit) {
  if (testThread_.joinable()) {
    const bool wasPlaying = testPlaying_.load();
    StopTest();
    if (wasPlaying)
      return;
  }
  testSound_ = std::make_unique<StoppableSound>(services_.sound);
  testButton_ = button;
  testButton_->setText("Stop");
  testPlaying_ = true;
  testThread_ = std::thread([this, sound = ToBytes(edit->text()), device = testSound_.get()] {
    PlaySound(sound, *device);
    testPlaying_ = false;
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!testPlaying_)
            StopTest();
        },
        Qt::QueuedConnection);
  });
}

bool TSetupDlg::StopTest() {
  if (!testThread_.joinable())
    return false;
  testSound_->Stop();
  testThread_.join();
  testSound_.reset();
  testButton_->setText("Test");
  testButton_ = nullptr;
  return true;
}

}  // namespace tessarin
