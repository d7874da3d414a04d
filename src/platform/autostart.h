#pragma once
// The login autostart entry: an XDG autostart file, tessarin.desktop in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart), starting the quoted program path.

#include <string>
#include <vector>

#include "core/setup/autostart_entry.h"

namespace tessarin {

inline constexpr const char* kAutostartFileName = "tessarin.desktop";

// $XDG_CONFIG_HOME/autostart/ when that is an absolute path, else home + "/.config/autostart/".
std::string AutostartDirFor(const std::string& xdgConfigHome, const std::string& home);
// The same for the running user.
std::string CurrentAutostartDir();

// The program path and its arguments as quoted Exec= arguments, escaped for a desktop file.
// Empty when one of them cannot be carried by an Exec line (a line break in it).
std::string DesktopExecValue(const std::string& programPath,
                             const std::vector<std::string>& arguments = {});

class XdgAutostart final : public AutostartEntry {
 public:
  explicit XdgAutostart(std::string autostartDir = CurrentAutostartDir());

  std::string FilePath() const;

  // The file is there and not switched off by the desktop (Hidden=true,
  // X-GNOME-Autostart-enabled=false).
  bool IsOn() const override;
  // Writes the whole file anew (through a temporary file), creating the directory.
  bool SwitchOn(const std::string& programPath, const std::vector<std::string>& arguments) override;
  // True when no file is left.
  bool SwitchOff() override;

 private:
  std::string dir_;
};

}  // namespace tessarin
