#include "platform/autostart.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/tools/text.h"
#include "platform/program_dir.h"

namespace tessarin {

namespace fs = std::filesystem;

namespace {

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos)
    return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// A desktop that turns an entry off keeps the file and marks it in [Desktop Entry].
bool SwitchedOffByDesktop(const std::string& content) {
  std::istringstream lines(content);
  std::string line;
  bool inMainGroup = false;
  while (std::getline(lines, line)) {
    const std::string text = Trimmed(line);
    if (!text.empty() && text.front() == '[') {
      inMainGroup = text == "[Desktop Entry]";
      continue;
    }
    const std::size_t equals = text.find('=');
    if (!inMainGroup || equals == std::string::npos)
      continue;
    const std::string key = Trimmed(text.substr(0, equals));
    const std::string value = LowerCase(Trimmed(text.substr(equals + 1)));
    if ((key == "Hidden" && value == "true") ||
        (key == "X-GNOME-Autostart-enabled" && value == "false")) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string AutostartDirFor(const std::string& xdgConfigHome, const std::string& home) {
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
    return AddBackslash(xdgConfigHome) + "autostart/";
  return AddBackslash(home) + ".config/autostart/";
}

std::string CurrentAutostartDir() {
  const ProgramDirSources sources = CurrentProgramDirSources("");
  return AutostartDirFor(sources.xdgConfigHome, sources.home);
}

namespace {

std::string QuotedExecArgument(const std::string& argument) {
  std::string value = "\"";
  for (const char c : argument) {
    // Inside the quotes these four are escaped with a backslash, and the file's string
    // escaping doubles every backslash again; '%' would start a field code.
    if (c == '\\')
      value += "\\\\\\\\";
    else if (c == '"' || c == '`' || c == '$')
      value += std::string("\\\\") + c;
    else if (c == '%')
      value += "%%";
    else
      value += c;
  }
  return value + "\"";
}

}  // namespace

std::string DesktopExecValue(const std::string& programPath,
                             const std::vector<std::string>& arguments) {
  std::vector<std::string> command{programPath};
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::string value;
  for (const std::string& argument : command) {
    if (argument.find_first_of("\r\n") != std::string::npos)
      return {};
    if (!value.empty())
      value += ' ';
    value += QuotedExecArgument(argument);
  }
  return value;
}

XdgAutostart::XdgAutostart(std::string autostartDir) : dir_(AddBackslash(autostartDir)) {}

std::string XdgAutostart::FilePath() const {
  return dir_ + kAutostartFileName;
}

bool XdgAutostart::IsOn() const {
  std::ifstream in(FilePath(), std::ios::binary);
  if (!in)
    return false;
  std::ostringstream content;
  content << in.rdbuf();
  return !SwitchedOffByDesktop(content.str());
}

bool XdgAutostart::SwitchOn(const std::string& programPath,
                            const std::vector<std::string>& arguments) {
  const std::string exec = DesktopExecValue(programPath, arguments);
  if (exec.empty() || dir_.empty())
    return false;
  std::error_code error;
  fs::create_directories(dir_, error);
  if (error)
    return false;
  const std::string temporary = FilePath() + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tessarin\n"
           "Comment=BOINC companion: task display, result logs and alerts\n"
        << "Exec=" << exec << "\n"
        << "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
    out.close();
    if (!out) {
      fs::remove(temporary, error);
      return false;
    }
  }
  fs::rename(temporary, FilePath(), error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool XdgAutostart::SwitchOff() {
  std::error_code error;
  fs::remove(FilePath(), error);
  return !error;
}

}  // namespace tessarin
