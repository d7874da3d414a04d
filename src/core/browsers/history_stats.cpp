#include "core/browsers/history_stats.h"

#include <algorithm>
#include <initializer_list>
#include <tuple>

#include "core/tools/number_format.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

std::string_view Cut(std::string_view text, std::size_t width) {
  return text.substr(0, width);
}

// Each name with its length in front, so no choice of bytes in the names makes two keys equal.
void JoinKey(std::string& key, std::initializer_list<std::string_view> names) {
  key.clear();
  for (std::string_view name : names) {
    const auto length = static_cast<std::uint32_t>(name.size());
    key.append(reinterpret_cast<const char*>(&length), sizeof length).append(name);
  }
}

}  // namespace

void StatCounts::Add(const StatCounts& other) {
  for (std::size_t c = 0; c < workUnits.size(); ++c) {
    workUnits[c] += other.workUnits[c];
    cpuSeconds[c] += other.cpuSeconds[c];
  }
}

std::uint32_t CpuSecondsOf(std::string_view cpuText) {
  std::int32_t seconds = 0;
  if (!RoundHalfEven(StrToFloatSafe(cpuText), seconds) || seconds < 0)
    return 0;
  return static_cast<std::uint32_t>(seconds);
}

StatCounts& TStatArray::EntryFor(std::string_view project, std::string_view application,
                                 std::string_view host, std::string_view version) {
  // Project names that differ only in the case of a to z are one project, under the first
  // spelling met, as the Projects menu has them.
  // Rows of one project tend to follow each other: the last look-up is kept.
  if (lastSpelling_.empty() || project != lastProject_) {
    lastProject_.assign(project);
    lastSpelling_ = projectSpelling_.try_emplace(UpperCase(project), project).first->second;
  }
  const std::string& spelling = lastSpelling_;
  JoinKey(key_, {spelling, application, host, version});
  auto [found, added] = index_.try_emplace(key_, entries_.size());
  if (added) {
    entries_.push_back(
        {spelling, std::string(application), std::string(host), std::string(version), {}});
  }
  return entries_[found->second].counts;
}

void TStatArray::AddStat(std::string_view project, std::string_view application,
                         std::string_view host, std::string_view version, std::uint32_t cpuSeconds,
                         bool isError) {
  const StatCategory category = isError ? kStatError : cpuSeconds == 0 ? kStatZero : kStatGood;
  StatCounts& counts = EntryFor(Cut(project, kStatNameWidth), Cut(application, kStatNameWidth),
                                Cut(host, kStatNameWidth), Cut(version, kStatVersionWidth));
  counts.workUnits[category] += 1;
  counts.cpuSeconds[category] += cpuSeconds;
}

void TStatArray::AppendStats(const TStatArray& later) {
  for (const StatEntry& entry : later.entries_)
    EntryFor(entry.project, entry.application, entry.host, entry.version).Add(entry.counts);
}

void TStatArray::SortStats() {
  // Entries were appended in the order their names first appeared.
  std::unordered_map<std::string, std::size_t> firstSeen;
  for (std::size_t i = 0; i < entries_.size(); ++i)
    firstSeen.try_emplace(entries_[i].project, i);

  struct Key {
    std::string upperProject;
    std::size_t projectRank;
    std::size_t entry;
  };
  std::vector<Key> keys;
  keys.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    keys.push_back({UpperCase(entries_[i].project), firstSeen[entries_[i].project], i});
  }
  std::stable_sort(keys.begin(), keys.end(), [this](const Key& a, const Key& b) {
    const StatEntry& x = entries_[a.entry];
    const StatEntry& y = entries_[b.entry];
    return std::tie(a.upperProject, a.projectRank, x.application, x.host, x.version) <
           std::tie(b.upperProject, b.projectRank, y.application, y.host, y.version);
  });
  std::vector<StatEntry> sorted;
  sorted.reserve(entries_.size());
  for (const Key& key : keys)
    sorted.push_back(std::move(entries_[key.entry]));
  entries_ = std::move(sorted);
  index_.clear();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const StatEntry& e = entries_[i];
    JoinKey(key_, {e.project, e.application, e.host, e.version});
    index_.emplace(key_, i);
  }
}

}  // namespace tessarin
