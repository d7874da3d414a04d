#pragma once
// The in-memory INI document behind Tessarin.ini. Section and key names match without regard
// to letter case, except where they name a directory (the keys of BoincDirs, the part of a
// checkpoints section's name after "checkpoints-"); file order is kept; nothing reaches the
// disk before UpdateFile(). Blanks around '=' are dropped when reading.
// Safe to use from two threads at once.

#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessarin {

struct IntSetting;
struct BoolSetting;
struct TextSetting;

// Removes the temporary files a flush of `path` leaves when the process is killed during it
// (path + ".tmp*"). Only for the program that holds the program directory's lock: another
// one's flush may be under way.
void RemoveSettingsLeftovers(const std::string& path);

// Whether two section or key names are one: letter case does not count, and a CR, LF or NUL
// (stored as a blank) matches a blank.
bool SameSettingsName(std::string_view a, std::string_view b);

class SettingsStore {
 public:
  // Reads `path` once (CRLF or LF); a missing or unreadable file is an empty document.
  explicit SettingsStore(std::string path);

  const std::string& FileName() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal text; a missing key or a value that does not parse gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // Default when absent; otherwise true for any integer other than 0.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Written as "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Typed access through the key table.
  int Read(const IntSetting& setting) const;
  bool Read(const BoolSetting& setting) const;
  std::string Read(const TextSetting& setting) const;
  void Write(const IntSetting& setting, int value);
  void Write(const BoolSetting& setting, bool value);
  void Write(const TextSetting& setting, std::string_view value);

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // Key names of a section, in file order.
  std::vector<std::string> ReadSection(std::string_view section) const;
  // Key/value pairs of a section, in file order.
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(
      std::string_view section) const;
  std::vector<std::string> ReadSections() const;
  void EraseSection(std::string_view section);
  // The section's whole content in one step, so another thread never sees it half written.
  // A key given twice keeps its first value.
  void ReplaceSection(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& values);
  void DeleteKey(std::string_view section, std::string_view key);

  // Rewrites the whole file from memory (CRLF line breaks). Throws std::runtime_error when
  // the file cannot be written.
  void UpdateFile();

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  const Section* FindSection(std::string_view name) const;
  Section& SectionFor(std::string_view name);
  std::string ReadLocked(std::string_view section, std::string_view key, bool& found) const;

  std::string path_;
  std::vector<Section> sections_;
  mutable std::mutex mutex_;
};

}  // namespace tessarin
