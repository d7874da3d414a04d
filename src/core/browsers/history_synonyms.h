#pragma once
// Synonyms.ini (only read): names shown instead of the logged ones. Section "Projects" is
// keyed by the project name as logged, "Applications" by the application name, "Hosts" by the
// host name in lower case. Keys match without regard to letter case, as in any INI file.

#include <string>
#include <string_view>
#include <unordered_map>

namespace tessarin {

inline constexpr const char* kSynonymsFile = "Synonyms.ini";

class Synonyms {
 public:
  Synonyms() = default;
  // A missing file gives no synonyms.
  static Synonyms Load(const std::string& path);

  void AddProject(std::string_view name, std::string_view shown);
  void AddApplication(std::string_view name, std::string_view shown);
  void AddHost(std::string_view name, std::string_view shown);

  // The name to show, or the name itself.
  std::string_view Project(std::string_view name) const;
  std::string_view Application(std::string_view name) const;
  // Always lower case: the entry for the lower-cased name, or that name.
  std::string Host(std::string_view name) const;

 private:
  using Map = std::unordered_map<std::string, std::string>;
  static void Add(Map& map, std::string_view name, std::string_view shown);
  static std::string_view Find(const Map& map, std::string_view name);

  Map projects_;
  Map applications_;
  Map hosts_;
};

}  // namespace tessarin
