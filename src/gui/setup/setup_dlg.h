#pragma once
// TSetupDlg "Setup": edits the client directories, the log directory, the alert thresholds,
// the sounds, the interval, the archive switches and the display options. The rules of
// loading, saving and checking live in core/setup; the dialog shows and forwards.

#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "core/setup/remote_choice.h"
#include "core/setup/save_settings.h"
#include "core/setup/setup_context.h"
#include "core/setup/setup_settings.h"
#include "core/tools/sound.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace tessarin {

class FileChoosers;
class MessageBoxes;
class SettingsStore;
class THCheckListBox;
class THEdit;
class THintController;

// What the dialog asks the user through and plays the sounds on.
struct SetupDialogServices {
  MessageBoxes& messages;
  FileChoosers& files;
  SoundDevice& sound;
  THintController* hints = nullptr;  // the program's shared one when none is given
};

class TSetupDlg : public QDialog {
  Q_OBJECT

 public:
  TSetupDlg(SettingsStore& store, const SetupContext& context, SetupDialogServices services,
            QWidget* parent = nullptr);
  // Stops a sound still playing.
  ~TSetupDlg() override;

  // Fills the controls from the settings store.
  void LoadSettings();
  // Writes the controls back and flushes.
  SaveOutcome SaveSettings();

  // The controls as one value, and back.
  SetupSettings Values() const;
  void ShowValues(const SetupSettings& values);

  // Event handlers.
  void btnOkClick();
  void btnAddClick();
  void btnRemoveClick();
  void btnAddRemoteClick();
  void btnRemoveRemoteClick();
  void btnSelectDirClick();
  void btnSoundNewWUClick();
  void btnSoundFinishedWUClick();
  void btnSoundYellowAlertClick();
  void btnSoundRedAlertClick();
  void btnSoundCacheEmptyClick();
  // "Test": plays the sound of that edit as the watch cycle would, without holding up the
  // dialog; a press of a Test button while a sound plays stops it instead.
  void TestSound(QPushButton* button, const THEdit* edit);
  bool TestPlaying() const { return testPlaying_.load(); }

  // The controls, named as on the form.
  QTabWidget* pcSetup = nullptr;
  QGroupBox* gbBoincDirs = nullptr;
  THCheckListBox* lbBoincDirs = nullptr;
  QPushButton* btnAdd = nullptr;
  QPushButton* btnRemove = nullptr;
  QGroupBox* gbRemoteClients = nullptr;
  QListWidget* lbRemoteClients = nullptr;
  QPushButton* btnAddRemote = nullptr;
  QPushButton* btnRemoveRemote = nullptr;
  QGroupBox* gbLogDir = nullptr;
  THEdit* edLogDir = nullptr;
  QPushButton* btnSelectDir = nullptr;

  QGroupBox* gbNotificationYellow = nullptr;
  QSlider* tbYellowAlert = nullptr;
  QGroupBox* gbNotificationRed = nullptr;
  QSlider* tbRedAlert = nullptr;
  QCheckBox* cbDesktopNotify = nullptr;

  QGroupBox* gbSoundNewWU = nullptr;
  THEdit* edSoundNewWU = nullptr;
  QPushButton* btnSoundNewWU = nullptr;
  QPushButton* btnTestNewWU = nullptr;
  QGroupBox* gbSoundFinishedWU = nullptr;
  THEdit* edSoundFinishedWU = nullptr;
  QPushButton* btnSoundFinishedWU = nullptr;
  QPushButton* btnTestFinishedWU = nullptr;
  QGroupBox* gbSoundYellowAlert = nullptr;
  THEdit* edSoundYellowAlert = nullptr;
  QPushButton* btnSoundYellowAlert = nullptr;
  QPushButton* btnTestYellowAlert = nullptr;
  QCheckBox* cbSoundYellowAlertOnce = nullptr;
  QGroupBox* gbSoundRedAlert = nullptr;
  THEdit* edSoundRedAlert = nullptr;
  QPushButton* btnSoundRedAlert = nullptr;
  QPushButton* btnTestRedAlert = nullptr;
  QCheckBox* cbSoundRedAlertOnce = nullptr;
  QGroupBox* gbSoundCacheEmpty = nullptr;
  THEdit* edSoundCacheEmpty = nullptr;
  QPushButton* btnSoundCacheEmpty = nullptr;
  QPushButton* btnTestCacheEmpty = nullptr;
  QCheckBox* cbSoundCacheEmptyOnce = nullptr;

  QGroupBox* gbInterval = nullptr;
  QSpinBox* edTimer = nullptr;
  QGroupBox* gbArchive = nullptr;
  QCheckBox* cbBackupWu = nullptr;
  QCheckBox* cbBackupResult = nullptr;
  QCheckBox* cbBackupState = nullptr;
  QGroupBox* gbOptions = nullptr;
  QCheckBox* cbAutorun = nullptr;
  QCheckBox* cbClosetotray = nullptr;
  QCheckBox* cbSilent = nullptr;
  QCheckBox* cbCenter = nullptr;
  QCheckBox* cbRecalculateProgress = nullptr;
  QCheckBox* cbNotify = nullptr;
  QCheckBox* cbRateScores = nullptr;
  QCheckBox* cbWallpaper = nullptr;

  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

  // Asks for one remote client ("Add remote…"); nothing when cancelled. Runs the remote
  // client dialog unless a test answers instead.
  std::function<std::optional<RemoteChoice>()> askRemote;

 private:
  QWidget* BuildDirectoriesPage();
  QWidget* BuildNotificationsPage();
  QWidget* BuildSoundsPage();
  QWidget* BuildOtherPage();
  // The members one sound group fills in.
  struct SoundControls {
    QGroupBox*& box;
    THEdit*& edit;
    QPushButton*& choose;
    QPushButton*& test;
    QCheckBox** once;  // null for the sounds without "play only once"
  };
  QGroupBox* BuildSoundBox(const char* name, const QString& caption, const QString& hint,
                           SoundControls controls);
  THEdit* NewEdit(const char* name);
  void ConnectHandlers();

  std::vector<BoincDirEntry> ListedDirs() const;
  void ShowDirs(const std::vector<BoincDirEntry>& dirs);
  std::vector<RemoteClientSetting> ListedRemotes() const;
  void ShowRemotes(const std::vector<RemoteClientSetting>& remotes);
  void ChooseSound(THEdit* edit);
  // Ends the Test sound (cut short when still playing); false when none was started.
  bool StopTest();

  SettingsStore& store_;
  SetupContext context_;
  SetupDialogServices services_;
  // The values as loaded: what the wallpaper option was, and whether it is offered.
  SetupSettings loaded_;
  // The file dialog's name, kept while a speaker tune is edited.
  QString soundFileName_;
  // The Test sound, played on a thread of its own.
  std::thread testThread_;
  std::unique_ptr<StoppableSound> testSound_;
  std::atomic<bool> testPlaying_{false};
  QPushButton* testButton_ = nullptr;
  // Passwords typed with "Add remote…", saved on OK.
  std::vector<std::pair<std::string, std::string>> typedPasswords_;
};

}  // namespace tessarin
