#pragma once
// Where Tessarin.ini lives, and where the local BOINC client keeps its data.

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

inline constexpr const char* kSettingsFileName = "Tessarin.ini";

// What decides the program directory; CurrentProgramDirSources fills it from the process.
struct ProgramDirSources {
  std::string homeOption;        // the DIR of "--home DIR"; empty when not given
  std::string executablePath;    // full path of the running program
  std::string xdgConfigHome;     // $XDG_CONFIG_HOME
  std::string home;              // $HOME, or the user's home from the password database
  std::string xdgDataHome = {};  // $XDG_DATA_HOME
};

// --home DIR when given (made absolute, so a later start from elsewhere finds it); else the
// executable's folder when a Tessarin.ini is there (portable use); else
// $XDG_CONFIG_HOME/Tessarin (only an absolute one counts), else ~/.config/Tessarin. With a
// trailing separator.
std::string FindProgramDir(const ProgramDirSources& sources);

// Where a fresh program directory in the user's configuration keeps logs and backups, as
// data belongs: $XDG_DATA_HOME/Tessarin/logs (only an absolute one counts), else
// ~/.local/share/Tessarin/logs. Empty for a directory given with --home and for the portable
// layout: their logs stay in the "logs" folder beside Tessarin.ini.
std::string FirstStartLogDir(const ProgramDirSources& sources);

ProgramDirSources CurrentProgramDirSources(std::string homeOption);

// The DIR of "--home DIR" or "--home=DIR" in the arguments; empty when absent.
std::string HomeOption(int argc, const char* const argv[]);

// Creates the directory and its parents when missing; false when that fails.
bool EnsureProgramDir(const std::string& programDir);

// The usual BOINC data directories in the order they are tried: the data_dir= of the
// Debian package's config.properties (its text given), /var/lib/boinc-client,
// /var/lib/boinc, ~/BOINC.
std::vector<std::string> BoincClientDirCandidates(std::string_view configProperties,
                                                  const std::string& home);
// The Debian package's config.properties text; empty when it is not there.
std::string ReadBoincConfigProperties();

// The first candidate holding a client_state.xml, with a trailing separator; empty when none.
std::string FindBoincClientDir(const std::vector<std::string>& candidates);

}  // namespace tessarin
