#include "core/display/einstein_slot_details.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/display/einstein_peak_scan.h"
#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/projects/einstein_command_line.h"
#include "core/settings/exception_log.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr std::array<const char*, 7> kDetectorLabels = {
    "(GEO: ", "(LLO: ", "(LHO: ", "(NAUTILUS: ", "(VIRGO: ", "(TAMA: ", "(CIT: "};

// The value of an option such as " -1": it starts right after the option and ends at the
// first blank from two characters after that, so the blank behind the option is skipped. A
// value that stands last runs to the end of the line. Empty when the option is absent.
std::optional<std::string> OptionValue(std::string_view commandLine, std::string_view option) {
  const std::size_t at = commandLine.find(option);
  if (at == std::string_view::npos)
    return std::nullopt;
  const std::size_t start = at + option.size();
  if (start >= commandLine.size())
    return std::string();
  const std::size_t blank = commandLine.find(' ', start + 2);
  const std::size_t end = blank == std::string_view::npos ? commandLine.size() : blank;
  return TrimBlanks(commandLine.substr(start, end - start));
}

// The detector named after "--IFO=", up to the next blank.
std::string IfoDetector(std::string_view commandLine) {
  const std::size_t start = commandLine.find("--IFO") + 6;
  if (start >= commandLine.size())
    return "";
  const std::size_t blank = commandLine.find(' ', start);
  return TrimBlanks(commandLine.substr(
      start, blank == std::string_view::npos ? std::string_view::npos : blank - start));
}

std::string DetectorLabel(std::string_view index) {
  const std::int32_t number = DigitsToInt(index);
  return number < static_cast<std::int32_t>(kDetectorLabels.size()) ? kDetectorLabels[number]
                                                                    : "(Unknown detector: ";
}

void ScanFile(const std::string& path, EinsteinResultLayout layout, const Environment& env,
              const ActiveTaskFacts& facts, SlotInfo& entry) {
  ScanEinsteinPeaks(ReadTaskFile(env, facts, path), layout, entry);
}

std::string BandText(float startFreq, float endFreq) {
  const std::string start = Fixed(startFreq, 5, 1);
  const std::string end = Fixed(endFreq, 5, 1);
  return start == end ? start + " Hz)" : start + " to " + end + " Hz)";
}

}  // namespace

void ReadEinsteinDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry) {
  const std::string commandLine = BlankLineBreaks(facts.commandLine);
  const std::string file1 = OptionValue(commandLine, " -1").value_or("");
  const std::string file2 = OptionValue(commandLine, " -2").value_or("");
  float startFreq = 0;
  float endFreq = 0;
  if (!file1.empty() || !file2.empty()) {
    const EinsteinSearchRange range = ParseOldCommandLine(commandLine);
    startFreq = range.startFreq;
    endFreq = range.endFreq;
    entry.InfoText = "(LIGO: ";
    std::int64_t size = 0;
    for (const std::string& file : {file1, file2}) {
      if (file.empty())
        continue;
      size += FileSizeOf(facts.slotDir + file);
      ScanFile(facts.slotDir + file, EinsteinResultLayout::kSevenFields, env, facts, entry);
    }
    entry.OutputSize = CheckedField<std::int32_t>(size, "output size");
  } else if (!ContainsText(commandLine, "--IFO")) {
    startFreq = StrToSingleSafe(OptionValue(commandLine, " -f").value_or(""));
    endFreq = startFreq + StrToSingleSafe(OptionValue(commandLine, " -b").value_or(""));
    // Without " -I" the index reads as 1: LLO.
    entry.InfoText = DetectorLabel(OptionValue(commandLine, " -I").value_or("-1"));
    entry.OutputSize = CheckedField<std::int32_t>(FileSizeOf(ResultFilePath(facts)), "output size");
    ScanFile(ResultFilePath(facts), EinsteinResultLayout::kSevenFields, env, facts, entry);
  } else {
    const EinsteinSearchRange range = ParseIfoCommandLine(commandLine);
    startFreq = range.startFreq;
    endFreq = range.endFreq;
    entry.InfoText = Bounded("(" + IfoDetector(commandLine) + ": ", slot_width::kInfoText);
    entry.OutputSize = CheckedField<std::int32_t>(FileSizeOf(ResultFilePath(facts)), "output size");
    ScanFile(ResultFilePath(facts), EinsteinResultLayout::kFiveFields, env, facts, entry);
  }
  entry.InfoText = Bounded(entry.InfoText + BandText(startFreq, endFreq), slot_width::kInfoText);
}

}  // namespace tessarin
