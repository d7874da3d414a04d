#include "core/settings/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <unordered_set>

#include "core/settings/settings_keys.h"

namespace tessarin {

namespace {

// A line break or NUL in a name or value is stored as a blank (see OneLine).
bool StoredAsBlank(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

// Names match without regard to ASCII case; a character stored as a blank matches one too.
char FoldNameChar(char c) {
  if (c >= 'A' && c <= 'Z')
    return static_cast<char>(c - 'A' + 'a');
  return StoredAsBlank(c) ? ' ' : c;
}

// A line break inside a name or value would split it into two lines on disk; a NUL would cut
// the line short for any reader of the file.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(line.begin(), line.end(), StoredAsBlank, ' ');
  return line;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldNameChar(x) == FoldNameChar(y);
         });
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldNameChar);
  return folded;
}

constexpr std::string_view kCheckpointsPrefix = "checkpoints-";

// Directories that differ in letter case are different directories: the client list's keys
// and the directory part of a checkpoint section's name match exactly.
bool SameSectionName(std::string_view a, std::string_view b) {
  const std::size_t prefix = kCheckpointsPrefix.size();
  if (a.size() >= prefix && b.size() >= prefix &&
      SameName(a.substr(0, prefix), kCheckpointsPrefix) &&
      SameName(b.substr(0, prefix), kCheckpointsPrefix)) {
    return OneLine(a.substr(prefix)) == OneLine(b.substr(prefix));
  }
  return SameName(a, b);
}

// Directories and result names keep their letter case.
bool KeysAreExact(std::string_view section) {
  return SameName(section, sections::kBoincDirs) || SameName(section, sections::kBoincRowsDue) ||
         SameName(section, sections::kProjectLogsDue);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// "timer = 0" written by hand names the key "timer": blanks before '=' do not count, also
// for a key that the program wrote with a trailing blank (an exception message).
std::string_view KeyName(std::string_view key) {
  while (!key.empty() && IsBlank(key.back()))
    key.remove_suffix(1);
  return key;
}

bool SameKey(std::string_view section, std::string_view a, std::string_view b) {
  a = KeyName(a);
  b = KeyName(b);
  return KeysAreExact(section) ? OneLine(a) == OneLine(b) : SameName(a, b);
}

std::string FoldedKey(std::string_view section, std::string_view key) {
  key = KeyName(key);
  return KeysAreExact(section) ? OneLine(key) : FoldedName(key);
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// Decimal with an optional leading '-', blanks around allowed; anything else fails.
bool ParseInteger(std::string_view text, int& value) {
  text = TrimView(text);
  if (text.empty())
    return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

void ThrowWriteError(const std::string& path, int error) {
  throw std::runtime_error("Cannot write settings file " + path + ": " +
                           std::generic_category().message(error));
}

// Writes `content` to a fresh file next to `target`, then renames it over `target`, so the
// old file stays whole until the new one is complete.
void ReplaceFile(const std::string& target, const std::string& content) {
  struct stat oldStat {};
  const bool hadFile = ::stat(target.c_str(), &oldStat) == 0;

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temporary = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100))
      ThrowWriteError(target, errno);
  }

  int error = 0;
  if (hadFile && ::fchmod(fd, oldStat.st_mode & 07777) != 0)
    error = errno;
  std::size_t written = 0;
  while (error == 0 && written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0) {
      if (errno != EINTR)
        error = errno;
    } else {
      written += static_cast<std::size_t>(n);
    }
  }
  if (error == 0 && ::fsync(fd) != 0)
    error = errno;
  if (::close(fd) != 0 && error == 0)
    error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
    error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    ThrowWriteError(target, error);
  }
}

// A settings file that is a symbolic link is updated where it points.
std::string ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec))
    return path;
  const auto target = std::filesystem::canonical(path, ec);
  return ec ? path : target.string();
}

// The section named `name` (any case) in `sections`, const or not; nullptr when absent.
template <class Sections>
auto FindIn(Sections& sections, std::string_view name) -> decltype(&sections.front()) {
  for (auto& section : sections) {
    if (SameSectionName(section.name, name))
      return &section;
  }
  return nullptr;
}

}  // namespace

void RemoveSettingsLeftovers(const std::string& path) {
  const std::filesystem::path settings(path);
  const std::string prefix = settings.filename().string() + ".tmp";
  std::error_code ec;
  const std::filesystem::path dir =
      settings.has_parent_path() ? settings.parent_path() : std::filesystem::path(".");
  for (std::filesystem::directory_iterator entry(dir, ec), end; !ec && entry != end;
       entry.increment(ec)) {
    if (entry->path().filename().string().starts_with(prefix)) {
      std::error_code ignored;
      std::filesystem::remove(entry->path(), ignored);
    }
  }
}

bool SameSettingsName(std::string_view a, std::string_view b) {
  return SameName(a, b);
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  if (!in)
    return;
  std::ostringstream content;
  content << in.rdbuf();
  const std::string text = content.str();

  Section* current = nullptr;
  std::unordered_set<std::string> seenKeys;  // section name as first met + "\n" + folded key
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    while (!line.empty() && IsBlank(line.front()))
      line.remove_prefix(1);
    if (line.empty() || line.front() == ';')
      continue;

    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos || close == 0)
        continue;
      current = &SectionFor(line.substr(1, close - 1));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos)
      continue;
    const std::string_view key = KeyName(line.substr(0, equals));
    std::string_view value = line.substr(equals + 1);
    // "logdir = /x" written by hand: the blank after '=' goes with the one before it. The
    // store writes "key=value", so a value it wrote with leading blanks keeps them.
    if (key.size() < equals) {
      while (!value.empty() && IsBlank(value.front()))
        value.remove_prefix(1);
    }
    if (!seenKeys.insert(current->name + '\n' + FoldedKey(current->name, key)).second)
      continue;
    current->entries.push_back({std::string(key), std::string(value)});
  }
}

const SettingsStore::Section* SettingsStore::FindSection(std::string_view name) const {
  return FindIn(sections_, name);
}

SettingsStore::Section& SettingsStore::SectionFor(std::string_view name) {
  if (Section* found = FindIn(sections_, name))
    return *found;
  sections_.push_back({OneLine(name), {}});
  return sections_.back();
}

std::string SettingsStore::ReadLocked(std::string_view section, std::string_view key,
                                      bool& found) const {
  found = false;
  const Section* s = FindSection(section);
  if (s == nullptr)
    return {};
  for (const Entry& entry : s->entries) {
    if (SameKey(s->name, entry.key, key)) {
      found = true;
      return entry.value;
    }
  }
  return {};
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
  std::lock_guard lock(mutex_);
  bool found = false;
  std::string value = ReadLocked(section, key, found);
  return found ? value : std::string(defaultValue);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view key,
                               int defaultValue) const {
  std::lock_guard lock(mutex_);
  bool found = false;
  const std::string text = ReadLocked(section, key, found);
  int value = 0;
  return found && ParseInteger(text, value) ? value : defaultValue;
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view key,
                             bool defaultValue) const {
  std::lock_guard lock(mutex_);
  bool found = false;
  const std::string text = ReadLocked(section, key, found);
  int value = 0;
  return found && ParseInteger(text, value) ? value != 0 : defaultValue;
}

void SettingsStore::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
  std::lock_guard lock(mutex_);
  Section& s = SectionFor(section);
  for (Entry& entry : s.entries) {
    if (SameKey(s.name, entry.key, key)) {
      entry.value = OneLine(value);
      return;
    }
  }
  s.entries.push_back({OneLine(key), OneLine(value)});
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsStore::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

int SettingsStore::Read(const IntSetting& setting) const {
  return ReadInteger(setting.section, setting.key, setting.defaultValue);
}

bool SettingsStore::Read(const BoolSetting& setting) const {
  return ReadBool(setting.section, setting.key, setting.defaultValue);
}

std::string SettingsStore::Read(const TextSetting& setting) const {
  return ReadString(setting.section, setting.key, setting.defaultValue);
}

void SettingsStore::Write(const IntSetting& setting, int value) {
  WriteInteger(setting.section, setting.key, value);
}

void SettingsStore::Write(const BoolSetting& setting, bool value) {
  WriteBool(setting.section, setting.key, value);
}

void SettingsStore::Write(const TextSetting& setting, std::string_view value) {
  WriteString(setting.section, setting.key, value);
}

bool SettingsStore::SectionExists(std::string_view section) const {
  std::lock_guard lock(mutex_);
  return FindSection(section) != nullptr;
}

bool SettingsStore::ValueExists(std::string_view section, std::string_view key) const {
  std::lock_guard lock(mutex_);
  bool found = false;
  ReadLocked(section, key, found);
  return found;
}

std::vector<std::string> SettingsStore::ReadSection(std::string_view section) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section)) {
    for (const Entry& entry : s->entries)
      keys.push_back(entry.key);
  }
  return keys;
}

std::vector<std::pair<std::string, std::string>> SettingsStore::ReadSectionValues(
    std::string_view section) const {
  std::lock_guard lock(mutex_);
  std::vector<std::pair<std::string, std::string>> values;
  if (const Section* s = FindSection(section)) {
    for (const Entry& entry : s->entries)
      values.emplace_back(entry.key, entry.value);
  }
  return values;
}

std::vector<std::string> SettingsStore::ReadSections() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const Section& section : sections_)
    names.push_back(section.name);
  return names;
}

void SettingsStore::EraseSection(std::string_view section) {
  std::lock_guard lock(mutex_);
  std::erase_if(sections_, [&](const Section& s) { return SameSectionName(s.name, section); });
}

void SettingsStore::ReplaceSection(std::string_view section,
                                   const std::vector<std::pair<std::string, std::string>>& values) {
  std::lock_guard lock(mutex_);
  Section& s = SectionFor(section);
  s.entries.clear();
  std::unordered_set<std::string> seen;
  for (const auto& [key, value] : values) {
    if (seen.insert(FoldedKey(s.name, key)).second)
      s.entries.push_back({OneLine(key), OneLine(value)});
  }
}

void SettingsStore::DeleteKey(std::string_view section, std::string_view key) {
  std::lock_guard lock(mutex_);
  if (Section* found = FindIn(sections_, section)) {
    std::erase_if(found->entries,
                  [&](const Entry& entry) { return SameKey(found->name, entry.key, key); });
  }
}

void SettingsStore::UpdateFile() {
  std::lock_guard lock(mutex_);
  std::string content;
  for (const Section& section : sections_) {
    content += '[' + section.name + "]\r\n";
    for (const Entry& entry : section.entries)
      content += entry.key + '=' + entry.value + "\r\n";
    content += "\r\n";
  }
  ReplaceFile(ResolvedTarget(path_), content);
}

}  // namespace tessarin
