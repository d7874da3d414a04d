// tessarin-cli: the Tessarin watcher without a window.

#include <CLI/CLI.hpp>
#include <iostream>

#include "core/program/version_text.h"
#include "history_command.h"
#include "import_joblog_command.h"
#include "init_command.h"
#include "overview_command.h"
#include "platform/program_dir.h"
#include "platform/write_signals.h"
#include "version.h"
#include "watch_command.h"

int main(int argc, char** argv) {
  using namespace tessarin;
  CLI::App app{
      "Tessarin without a window: watches BOINC client directories, logs every "
      "finished result to CSV files and keeps backups of the science files.",
      "tessarin-cli"};
  app.set_version_flag("--version", VersionText());
  app.require_subcommand(1);

  std::string home;
  app.add_option("--home", home,
                 "Program directory (Tessarin.ini, default logs); default: the program's "
                 "folder when it holds a Tessarin.ini, else ~/.config/Tessarin");

  InitOptions init;
  CLI::App* initCommand = app.add_subcommand("init", "Write a Tessarin.ini watching the clients");
  initCommand->add_option("--client", init.clients, "A BOINC client data directory")
      ->check(CLI::ExistingDirectory);
  std::vector<std::string> remotes;
  std::vector<std::string> passwordFiles;
  CLI::Option* remoteOption = initCommand->add_option(
      "--remote", remotes, "A BOINC client on another computer, over GUI RPC (HOST[:PORT])");
  CLI::Option* passwordOption = initCommand->add_option(
      "--password-file", passwordFiles,
      "File whose first line is the password of the --remote before it (mode 600)");
  initCommand->add_option("--logdir", init.logDir,
                          "Log and backup directory (default: ~/.local/share/Tessarin/logs, "
                          "or logs beside Tessarin.ini with --home or a portable Tessarin.ini)");
  initCommand->add_flag("--force", init.force, "Replace an existing Tessarin.ini");

  WatchOptions once;
  CLI::App* onceCommand =
      app.add_subcommand("once", "Run the start-up conversions and one watch cycle");
  onceCommand->add_flag("--json", once.json, "One JSON object per cycle, on one line");
  onceCommand->add_option("--sound-capture", once.soundCapture,
                          "Write the sounds into this WAV file instead of playing them");

  WatchOptions watch;
  watch.repeat = true;
  CLI::App* watchCommand =
      app.add_subcommand("watch", "Cycle at Options/timer until SIGINT or SIGTERM");
  watchCommand->add_flag("--json", watch.json, "One JSON object per cycle, on one line");
  watchCommand->add_option("--sound-capture", watch.soundCapture,
                           "Write the sounds into this WAV file instead of playing them");

  OverviewOptions overview;
  CLI::App* overviewCommand = app.add_subcommand(
      "overview",
      "Read the clients (writing nothing) and show when each queued result will be finished");
  overviewCommand->add_flag("--json", overview.json, "One JSON object of the tree, on one line");
  overviewCommand->add_option("--sound-capture", overview.soundCapture,
                              "Write the sounds into this WAV file instead of playing them");

  HistoryOptions history;
  CLI::App* historyCommand = app.add_subcommand(
      "history", "Show the statistics of boinc.csv by project, application, host and version");
  historyCommand->add_flag("--json", history.json, "One JSON object of the tree, on one line");
  historyCommand->add_flag("--errors", history.filterErrors,
                           "Filter errorenous WUs: errors leave the work units and CPU times");
  historyCommand->add_flag("--zero", history.zeroAsError,
                           "Consider WUs with 0 seconds as errorenous");

  CLI::App* importJoblogCommand = app.add_subcommand(
      "import-joblog",
      "Add a boinc.csv row for every result in the clients' job logs that boinc.csv lacks");

  CLI11_PARSE(app, argc, argv);

  IgnoreWriteSignals();
  const ProgramDirSources sources = CurrentProgramDirSources(home);
  const std::string programDir = FindProgramDir(sources);
  if (*initCommand) {
    init.defaultLogDir = FirstStartLogDir(sources);
    // Each --password-file belongs to the --remote given just before it.
    std::size_t nextRemote = 0;
    std::size_t nextFile = 0;
    for (const CLI::Option* option : initCommand->parse_order()) {
      if (option == remoteOption) {
        init.remotes.push_back({remotes.at(nextRemote++), ""});
      } else if (option == passwordOption) {
        if (init.remotes.empty() || !init.remotes.back().passwordFile.empty()) {
          std::cerr << "tessarin-cli: --password-file must follow its --remote\n";
          return 2;
        }
        init.remotes.back().passwordFile = passwordFiles.at(nextFile++);
      }
    }
    return RunInitCommand(programDir, init);
  }
  if (*onceCommand)
    return RunWatchCommand(programDir, once);
  if (*watchCommand)
    return RunWatchCommand(programDir, watch);
  if (*overviewCommand)
    return RunOverviewCommand(programDir, overview);
  if (*historyCommand)
    return RunHistoryCommand(programDir, history);
  if (*importJoblogCommand)
    return RunImportJoblogCommand(programDir);
  return 1;
}
