#include "core/projects/einstein_command_line.h"

#include "core/projects/log_row.h"
#include "core/tools/number_format.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr std::size_t kMaxTimeLength = 20;

// Text from the 1-based `start` up to the next blank. A value that ends the command line
// runs to its end rather than reading as empty.
std::string ValueFrom(std::string_view commandLine, std::size_t start) {
  if (start < 1 || start > commandLine.size()) {
    return {};
  }
  const std::size_t blank = PosFrom(" ", commandLine, start);
  const std::size_t end = blank == 0 ? commandLine.size() + 1 : blank;
  return std::string(commandLine.substr(start - 1, end - start));
}

std::string CutTime(std::string text) {
  if (text.size() > kMaxTimeLength) {
    text.resize(kMaxTimeLength);
  }
  return text;
}

// First and, when `second` is given, next value of a keyword that is followed by one
// separator character ("--startTime=100").
void ReadTimes(std::string_view commandLine, std::string_view keyword, std::string& first,
               std::string* second) {
  const std::size_t match = PosFrom(keyword, commandLine, 1);
  if (match == 0) {
    return;
  }
  const std::size_t valueStart = match + keyword.size() + 1;
  first = CutTime(ValueFrom(commandLine, valueStart));
  if (second == nullptr) {
    return;
  }
  const std::size_t next = PosFrom(keyword, commandLine, valueStart);
  if (next != 0) {
    *second = CutTime(ValueFrom(commandLine, next + keyword.size() + 1));
  }
}

// Older form of " -s 1234.0": the value begins right after the switch and ends at the first
// blank from five characters after the match.
float ReadOldFrequency(std::string_view commandLine, std::string_view option) {
  const std::size_t match = PosFrom(option, commandLine, 1);
  if (match == 0) {
    return 0;
  }
  const std::size_t valueStart = match + option.size();
  const std::size_t blank = PosFrom(" ", commandLine, match + 5);
  const std::size_t end = blank == 0 ? commandLine.size() + 1 : blank;
  if (valueStart > commandLine.size() || end <= valueStart) {
    return 0;
  }
  return StrToSingleSafe(TrimBlanks(commandLine.substr(valueStart - 1, end - valueStart)));
}

float ReadIfoNumber(std::string_view commandLine, std::string_view keyword, std::size_t offset) {
  const std::size_t match = PosFrom(keyword, commandLine, 1);
  if (match == 0) {
    return 0;
  }
  return StrToSingleSafe(TrimBlanks(ValueFrom(commandLine, match + offset)));
}

bool HasStartTime(std::string_view commandLine) {
  return PosFrom("--startTime", commandLine, 1) != 0;
}

EinsteinSearchRange ParseOld(std::string_view commandLine) {
  EinsteinSearchRange range;
  if (!HasStartTime(commandLine)) {
    return range;
  }
  ReadTimes(commandLine, "--startTime", range.startTime1, &range.startTime2);
  ReadTimes(commandLine, "--endTime", range.endTime1, &range.endTime2);
  range.startFreq = ReadOldFrequency(commandLine, " -s");
  range.endFreq = ReadOldFrequency(commandLine, " -e");
  return range;
}

EinsteinSearchRange ParseIfo(std::string_view commandLine) {
  EinsteinSearchRange range;
  if (!HasStartTime(commandLine)) {
    return range;
  }
  ReadTimes(commandLine, "--startTime", range.startTime1, nullptr);
  ReadTimes(commandLine, "--endTime", range.endTime1, nullptr);
  constexpr std::string_view kFreq = "--Freq=";
  constexpr std::string_view kFreqBand = "--FreqBand";
  range.startFreq = ReadIfoNumber(commandLine, kFreq, kFreq.size());
  const float band = ReadIfoNumber(commandLine, kFreqBand, kFreqBand.size() + 1);
  range.endFreq = range.startFreq + band;
  return range;
}

}  // namespace

std::string BlankLineBreaks(std::string_view commandLine) {
  std::string blanked(commandLine);
  for (char& c : blanked) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  return blanked;
}

EinsteinSearchRange ParseOldCommandLine(std::string_view commandLine) {
  return ParseOld(BlankLineBreaks(commandLine));
}

EinsteinSearchRange ParseIfoCommandLine(std::string_view commandLine) {
  return ParseIfo(BlankLineBreaks(commandLine));
}

std::string ParseEinsteinCommandLine(std::string_view commandLine) {
  const std::string blanked = BlankLineBreaks(commandLine);
  const EinsteinSearchRange range =
      PosFrom("--IFO", blanked, 1) != 0 ? ParseIfo(blanked) : ParseOld(blanked);
  // The times go into a CSV row unquoted.
  LogRow columns;
  columns.Raw(range.startTime1).Raw(range.endTime1).Raw(range.startTime2).Raw(range.endTime2);
  columns.Raw(Fixed(range.startFreq, 10, 6)).Raw(Fixed(range.endFreq, 10, 6));
  return columns.Text() + ',';
}

}  // namespace tessarin
