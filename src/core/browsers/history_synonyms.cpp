#include "core/browsers/history_synonyms.h"

#include "core/settings/settings_store.h"
#include "core/tools/text.h"

namespace tessarin {

Synonyms Synonyms::Load(const std::string& path) {
  Synonyms synonyms;
  const SettingsStore file(path);
  for (const auto& [name, shown] : file.ReadSectionValues("Projects")) {
    synonyms.AddProject(name, shown);
  }
  for (const auto& [name, shown] : file.ReadSectionValues("Applications")) {
    synonyms.AddApplication(name, shown);
  }
  for (const auto& [name, shown] : file.ReadSectionValues("Hosts")) {
    synonyms.AddHost(name, shown);
  }
  return synonyms;
}

void Synonyms::Add(Map& map, std::string_view name, std::string_view shown) {
  // The first entry of a name wins, as an INI lookup finds it.
  map.emplace(LowerCase(name), std::string(shown));
}

std::string_view Synonyms::Find(const Map& map, std::string_view name) {
  if (map.empty())
    return name;
  const auto found = map.find(LowerCase(name));
  return found == map.end() ? name : std::string_view(found->second);
}

void Synonyms::AddProject(std::string_view name, std::string_view shown) {
  Add(projects_, name, shown);
}
void Synonyms::AddApplication(std::string_view name, std::string_view shown) {
  Add(applications_, name, shown);
}
void Synonyms::AddHost(std::string_view name, std::string_view shown) {
  Add(hosts_, name, shown);
}

std::string_view Synonyms::Project(std::string_view name) const {
  return Find(projects_, name);
}

std::string_view Synonyms::Application(std::string_view name) const {
  return Find(applications_, name);
}

std::string Synonyms::Host(std::string_view name) const {
  const std::string lower = LowerCase(name);
  return LowerCase(Find(hosts_, lower));
}

}  // namespace tessarin
