#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "version.h"

namespace tessarin::fuzz {

namespace {

// In memory where the machine has it: every exception the targets count flushes the settings
// file to the disk, and that would otherwise be most of the time spent per input.
std::string MakeScratchDir() {
  std::error_code ignored;
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ignored)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string pattern = (base / "tessarin-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  return pattern + "/";
}

void RemoveScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchDir(), ignored);
}

}  // namespace

std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

const std::string& ScratchDir() {
  // Never destroyed: the exit handler that removes the directory still needs the name.
  static const std::string* dir = [] {
    auto* made = new std::string(MakeScratchDir());
    std::atexit(RemoveScratchDir);
    return made;
  }();
  return *dir;
}

void ResetDir(const std::string& dir) {
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  std::filesystem::create_directories(dir);
}

void WriteFile(const std::string& path, std::string_view content) {
  // An input may name a file below another file: that one is just not written.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

FuzzEnvironment::FuzzEnvironment()
    : programDir((ResetDir(ScratchDir() + "program/"), ScratchDir() + "program/")),
      settings(programDir + "Tessarin.ini"),
      exceptions(settings, version::kProductVersion),
      env{settings, exceptions, clock, sound, programDir, programDir + "logs/"} {
  std::filesystem::create_directories(env.logDir);
}

bool IsPlainRelativePath(std::string_view name) {
  if (name.empty() || name.size() > 200)
    return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string_view::npos)
      end = name.size();
    const std::string_view part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..")
      return false;
    for (char c : part) {
      const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
      if (!plain)
        return false;
    }
    start = end + 1;
  }
  return true;
}

FuzzFiles SplitFuzzInput(std::string_view input) {
  static constexpr std::string_view kMarker = "\n@@file ";
  FuzzFiles result;
  std::size_t marker = input.find(kMarker);
  result.main = std::string(input.substr(0, marker));
  while (marker != std::string_view::npos) {
    const std::size_t nameStart = marker + kMarker.size();
    const std::size_t nameEnd = input.find('\n', nameStart);
    if (nameEnd == std::string_view::npos)
      break;
    const std::string_view name = input.substr(nameStart, nameEnd - nameStart);
    // The name's own line break may open the next marker: that file is empty.
    marker = input.find(kMarker, nameEnd);
    const std::size_t length = marker == std::string_view::npos ? std::string_view::npos
                               : marker > nameEnd               ? marker - nameEnd - 1
                                                                : 0;
    const std::string_view content = input.substr(nameEnd + 1, length);
    if (IsPlainRelativePath(name) && result.files.size() < 16)
      result.files.push_back({std::string(name), std::string(content)});
  }
  return result;
}

}  // namespace tessarin::fuzz
