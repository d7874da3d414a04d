#pragma once
// The tray program's start-up: one instance per program directory, the settings, the first
// run, the start-up conversions with their messages, and the main window with its timer.

#include <QString>
#include <memory>
#include <string>

#include "core/tools/date_time.h"
#include "gui/display/form_main.h"

namespace tessarin {

class InstanceDoorbell;
class Program;
class SingleInstance;
class SoundDevice;

struct TrayStartOptions {
  // The DIR of --home; empty when not given.
  std::string homeOption;
  // Full path of the running program (finds a portable Tessarin.ini beside it).
  std::string executablePath;
  bool trayAvailable = false;
  WindowOpeners openers;
  // Where desktop notices go; none without one.
  NoticeSink* notices = nullptr;
};

class TrayProgram {
 public:
  enum class State {
    kRunning,          // the main window exists; Start() shows the start-up bar
    kAnotherInstance,  // the running one was asked to show itself; this one ends
    kFirstRun,         // no settings yet: the user has been told how to make them
  };

  TrayProgram(TrayStartOptions options, MessageBoxes& messages, SoundDevice& sound,
              ProgramLauncher& launcher);
  ~TrayProgram();
  TrayProgram(const TrayProgram&) = delete;
  TrayProgram& operator=(const TrayProgram&) = delete;

  State state() const { return state_; }
  const std::string& programDir() const { return programDir_; }
  // Only while running.
  Program* program() { return program_.get(); }
  TFormMain* form() { return form_.get(); }

  // Runs the start-up conversions (each failure in a message box, start-up goes on), then
  // starts the main window's timer.
  void Start();

 private:
  MessageBoxes& messages_;
  State state_ = State::kFirstRun;
  std::string programDir_;
  SystemClock clock_;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<InstanceDoorbell> doorbell_;
  std::unique_ptr<Program> program_;
  std::unique_ptr<TFormMain> form_;
};

// What a first run without the setup dialog tells the user.
QString FirstRunMessage(const std::string& programDir);

}  // namespace tessarin
