#pragma once
// What the OK button checks before the setup closes, in this order: at least one client
// directory, a log directory, that it exists (offering to create it), that it lies in no client
// directory, and that every ticked client directory holds client_state.xml.

#include <string>

#include "core/setup/setup_message.h"
#include "core/setup/setup_settings.h"

namespace tessarin {

namespace setup_texts {
inline constexpr const char* kNoBoincDir = "You must specify at least one BOINC directory!";
inline constexpr const char* kNoLogDir = "You must enter a log directory!";
// The accent after "It" is U+00B4, as the program has always written it.
inline constexpr const char* kCreateLogDir =
    "The specified log directory does not exist. It\u00B4ll now be created!";
inline constexpr const char* kSameDirs =
    "The log directory and the BOINC directories should be different!";
}  // namespace setup_texts

// "The specified directory "<dir>"" CR LF "doesn´t seem to be a valid BOINC directory!"
std::string NotBoincDirText(const std::string& dir);

// True when `dir` holds a client_state.xml; otherwise asks, and Ignore accepts it anyway.
bool IsBoincDir(const std::string& dir, SetupPrompter& prompter);

// The rule of btnOkClick: true when the setup may close with OK. May create the log
// directory (one level) when the user agrees; a failure to create it is a silent stop.
// Directories are compared as the file system resolves them. A log directory, or the program
// directory `programDir` (unchecked when empty), that is or lies inside a ticked client
// directory is refused with the "should be different" error; inside an unticked one the log
// directory only warns.
bool ValidateSetup(const SetupSettings& values, SetupPrompter& prompter,
                   const std::string& programDir = "");

}  // namespace tessarin
