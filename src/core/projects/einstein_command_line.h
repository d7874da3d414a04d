#pragma once
// The two forms of the Einstein@Home command line and the search range they give.

#include <string>
#include <string_view>

namespace tessarin {

struct EinsteinSearchRange {
  std::string startTime1;  // at most 20 characters each
  std::string startTime2;
  std::string endTime1;
  std::string endTime2;
  float startFreq = 0;
  float endFreq = 0;  // start + band
};

// The command line with every CR and LF turned into a blank. Clients write a work unit's
// command_line with line breaks around it, and options are found by the blank before them.
// The parsers below do this themselves.
std::string BlankLineBreaks(std::string_view commandLine);

// Older form (only when "--startTime" occurs; otherwise every field stays empty).
EinsteinSearchRange ParseOldCommandLine(std::string_view commandLine);
// Newer "--IFO" form (only when "--startTime" occurs).
EinsteinSearchRange ParseIfoCommandLine(std::string_view commandLine);
// The six search-range columns as one text ending with ','.
std::string ParseEinsteinCommandLine(std::string_view commandLine);

}  // namespace tessarin
