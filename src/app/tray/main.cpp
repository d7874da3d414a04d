// tessarin: the tray program.

#include <QApplication>
#include <QLocale>
#include <QSystemTrayIcon>
#include <clocale>
#include <cstdio>

#include "core/program/version_text.h"
#include "core/tools/date_time.h"
#include "gui/browsers/history_window.h"
#include "gui/browsers/overview_window.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/display/desktop_notifier.h"
#include "gui/display/tray_program.h"
#include "gui/qt_text.h"
#include "gui/setup/file_choosers.h"
#include "gui/setup/run_setup_dialog.h"
#include "gui/setup/setup_context_source.h"
#include "platform/alsa_sound_device.h"
#include "platform/process_launcher.h"
#include "platform/program_dir.h"
#include "platform/write_signals.h"
#include "screenshot.h"
#include "tray_arguments.h"

namespace {

// A screenshot runs without anyone to click a box away.
class PrintedMessageBoxes final : public tessarin::MessageBoxes {
 public:
  tessarin::MessageAnswer Show(QWidget*, tessarin::MessageKind, const QString& caption,
                               const QString& text, tessarin::MessageButtons) override {
    std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    return tessarin::MessageAnswer::kCancel;
  }
};

// The windows the tray menu opens. The main window applies the timer and the score limits
// after a confirmed setup itself, so the setup gets only the wallpaper request.
tessarin::WindowOpeners MakeWindowOpeners(tessarin::MessageBoxes& messages,
                                          const std::string& homeOption) {
  using namespace tessarin;
  WindowOpeners openers;
  openers.history = [&messages](const WindowContext& context) {
    ShowHistoryWindow(context.parent, context.env.settings, context.env.programDir, &messages,
                      context.importJobLogs);
  };
  openers.overview = [](const WindowContext& context, const ResultList& results) {
    ShowOverviewWindow(context.parent, context.env.settings, results, SystemClock().Now());
  };
  openers.setup = [&messages, homeOption](const WindowContext& context) {
    PlatformSetupContext platform(context.env.settings, context.env.programDir, homeOption);
    QtFileChoosers files;
    SetupDialogHooks hooks;
    hooks.requestWallpaper = context.requestWallpaper;
    return RunSetupDialog(context.env, platform.context, messages, files, hooks, context.parent);
  };
  return openers;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before anything is opened or created, and without a display.
  const tessarin::TrayArguments arguments = tessarin::ParseTrayArguments(argc, argv);
  if (arguments.help || arguments.version) {
    const std::string text =
        arguments.help ? tessarin::TrayHelpText() : tessarin::VersionText() + "\n";
    std::fputs(text.c_str(), stdout);
    return 0;
  }

  tessarin::IgnoreWriteSignals();
  QApplication app(argc, argv);
  // QApplication took the number format from the environment: every log and every number
  // read depends on '.' decimals, so it is fixed from here on.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
  // The program lives in the tray: closing a message box or hiding the window ends nothing.
  QApplication::setQuitOnLastWindowClosed(false);

  const QString screenshot = QString::fromLocal8Bit(arguments.screenshot.c_str());
  const tessarin::ScreenshotView view = arguments.screenshotView;

  tessarin::TrayStartOptions options;
  options.homeOption = arguments.home;
  options.executablePath = tessarin::ToBytes(QApplication::applicationFilePath());
  options.trayAvailable = screenshot.isEmpty() && QSystemTrayIcon::isSystemTrayAvailable();

  tessarin::QtMessageBoxes boxes;
  PrintedMessageBoxes printed;
  tessarin::MessageBoxes& messages =
      screenshot.isEmpty() ? static_cast<tessarin::MessageBoxes&>(boxes) : printed;
  options.openers = MakeWindowOpeners(messages, options.homeOption);
  tessarin::FreedesktopNotifier notifier;
  if (screenshot.isEmpty())
    options.notices = &notifier;
  tessarin::AlsaSoundDevice sound;
  tessarin::PosixProgramLauncher launcher;
  tessarin::TrayProgram tray(std::move(options), messages, sound, launcher);
  if (tray.state() != tessarin::TrayProgram::State::kRunning)
    return screenshot.isEmpty() ? 0 : 1;
  if (!screenshot.isEmpty())
    return tessarin::SaveScreenshot(tray, screenshot, view);

  QObject::connect(tray.form(), &tessarin::TFormMain::ProgramEnds, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  tray.Start();
  return QApplication::exec();
}
