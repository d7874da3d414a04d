#pragma once
// The statistics of the History window: one entry per project, application, host and
// application version, with work units and CPU seconds counted by category.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessarin {

enum StatCategory : std::size_t {
  kStatGood = 0,   // no error, CPU time not 0
  kStatError = 1,  // the row's "error" field reads TRUE in any letter case
  kStatZero = 2,   // no error, CPU time rounds to 0 seconds
};

struct StatCounts {
  std::array<std::uint32_t, 3> workUnits{};
  // 64 bits: a 32-bit sum overflows after 136 CPU years, well within a large log.
  std::array<std::uint64_t, 3> cpuSeconds{};

  void Add(const StatCounts& other);
};

// Names are cut to these widths before they are stored or compared.
inline constexpr std::size_t kStatNameWidth = 100;
inline constexpr std::size_t kStatVersionWidth = 10;

struct StatEntry {
  std::string project;
  std::string application;
  std::string host;
  std::string version;
  StatCounts counts;
};

// CPU seconds of a row's "cpu" text: rounded to whole seconds, halves to even; a text that is
// not a number, a negative one or one beyond 32 bits counts as 0.
std::uint32_t CpuSecondsOf(std::string_view cpuText);

class TStatArray {
 public:
  // Counts one log row: in the entry with exactly these names (case counts), or a new one.
  void AddStat(std::string_view project, std::string_view application, std::string_view host,
               std::string_view version, std::uint32_t cpuSeconds, bool isError);

  // Adds the counts of a later part of the same log, as if its rows had followed these.
  void AppendStats(const TStatArray& later);

  // Orders by project (a to z upper-cased, byte by byte), application, host and version
  // (byte by byte). Projects that differ only in letter case stay in the order they first
  // appeared, each kept together.
  void SortStats();

  const std::vector<StatEntry>& Entries() const { return entries_; }

 private:
  StatCounts& EntryFor(std::string_view project, std::string_view application,
                       std::string_view host, std::string_view version);

  std::vector<StatEntry> entries_;
  // The four names, joined with their lengths -> entry index.
  std::unordered_map<std::string, std::size_t> index_;
  // Upper-cased project name to the first spelling met.
  std::unordered_map<std::string, std::string> projectSpelling_;
  std::string lastProject_;
  std::string lastSpelling_;  // of lastProject_
  std::string key_;
};

}  // namespace tessarin
