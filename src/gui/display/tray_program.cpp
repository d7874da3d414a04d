#include "gui/display/tray_program.h"

#include "core/program/program.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/display/instance_doorbell.h"
#include "gui/qt_text.h"
#include "platform/program_dir.h"
#include "platform/single_instance.h"

namespace tessarin {

namespace {

bool IsFirstRun(const SettingsStore& settings) {
  return settings.Read(settings::kTimerFirstRun) == settings::kFirstRunTimer;
}

}  // namespace

QString FirstRunMessage(const std::string& programDir) {
  return QStringLiteral(
             "Tessarin has no settings yet.\n\n"
             "Create them with\n\n"
             "    tessarin-cli --home \"%1\" init --client DIR\n\n"
             "where DIR is the data directory of a BOINC client (for example "
             "/var/lib/boinc-client), then start Tessarin again.")
      .arg(ToQString(programDir));
}

TrayProgram::TrayProgram(TrayStartOptions options, MessageBoxes& messages, SoundDevice& sound,
                         ProgramLauncher& launcher)
    : messages_(messages) {
  ProgramDirSources sources = CurrentProgramDirSources(options.homeOption);
  if (!options.executablePath.empty())
    sources.executablePath = options.executablePath;
  programDir_ = FindProgramDir(sources);
  // A directory that cannot be made is found out by the first flush; no reason to stop here.
  EnsureProgramDir(programDir_);

  instance_ = std::make_unique<SingleInstance>(programDir_);
  if (instance_->AnotherInstanceRuns()) {
    // The user asked for the program: the running one shows itself.
    RingRunningInstance(programDir_);
    state_ = State::kAnotherInstance;
    return;
  }
  doorbell_ = std::make_unique<InstanceDoorbell>(programDir_);

  RemoveSettingsLeftovers(SettingsPath(programDir_));
  program_ = std::make_unique<Program>(programDir_, clock_, sound, launcher);
  if (IsFirstRun(program_->settings())) {
    if (options.openers.setup) {
      Program& program = *program_;
      options.openers.setup(WindowContext{
          nullptr, program.env(), [&program] { program.cycle().RequestWallpaper(); }, {}});
    } else
      messages_.Information(nullptr, ProgramCaption(), FirstRunMessage(programDir_));
    // Still no Options/timer: the setup was cancelled (or is not there); nothing is shown.
    if (IsFirstRun(program_->settings())) {
      state_ = State::kFirstRun;
      return;
    }
  }

  Program& program = *program_;
  FormMainServices services{program.env(),
                            launcher,
                            messages_,
                            [&program] { return program.cycle().WatchClients(); },
                            [&program] { return GetScores(program.env()); },
                            [&program] { program.cycle().RequestWallpaper(); },
                            [this, &program] {
                              // A new log directory from the setup: its failures are counted
                              // in the exception log, as any cycle's are.
                              if (program.FollowLogDirSetting())
                                form_->SetScores(program.scores());
                            },
                            options.notices};
  form_ = std::make_unique<TFormMain>(std::move(services), options.trayAvailable);
  form_->SetWindowOpeners(std::move(options.openers));
  QObject::connect(doorbell_.get(), &InstanceDoorbell::Rung, form_.get(),
                   [form = form_.get()] { form->ShowClick(); });
  form_->SetJobLogImport([&program] {
    JobLogImport import;
    program.cycle().RunBetweenCycles([&] { import = ImportJobLogs(program.env()); });
    return import;
  });
  state_ = State::kRunning;
}

TrayProgram::~TrayProgram() {
  // The window (and its running cycle) goes before the program it uses.
  form_.reset();
  program_.reset();
}

void TrayProgram::Start() {
  if (state_ != State::kRunning)
    return;
  for (const std::string& failure : program_->RunStartupConversions())
    messages_.Error(nullptr, ProgramCaption(), ToQString(failure));
  form_->SetScores(program_->scores());
  form_->Start();
}

}  // namespace tessarin
