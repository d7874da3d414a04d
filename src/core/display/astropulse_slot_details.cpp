#include "core/display/astropulse_slot_details.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

#include "core/display/sky_position_text.h"
#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"

namespace tessarin {

namespace {

constexpr std::size_t kStateRecordSize = 240;
constexpr std::size_t kFractionOffset = 224;

void ReadSkyPosition(const std::string& workUnit, SlotInfo& entry) {
  std::string start = ExtractTag(workUnit, "start_coords");
  std::string end = ExtractTag(workUnit, "end_coords");
  const double ra = (CutNumber(start, "ra") + CutNumber(end, "ra")) / 2;
  const double dec = (CutNumber(start, "dec") + CutNumber(end, "dec")) / 2;
  entry.InfoText = Bounded(SkyPositionText(ra, dec) + ")", slot_width::kInfoText);
}

void ReadPeaks(const std::string& result, SlotInfo& entry) {
  std::size_t position = 0;
  std::string element;
  while (NextTag(result, "result", position, element)) {
    const std::string power = ExtractTag(element, "peak_power");
    if (power.empty())
      continue;
    ++entry.PeakCount;
    const double value = StrToFloatSafe(power);
    if (value > entry.PeakValue)
      entry.PeakValue = value;
  }
}

}  // namespace

double ReadApFractionDone(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw std::runtime_error(path + " - cannot be opened");
  std::array<char, kStateRecordSize> record{};
  file.read(record.data(), record.size());
  if (static_cast<std::size_t>(file.gcount()) < record.size()) {
    throw std::runtime_error(path + " - shorter than 240 bytes");
  }
  std::uint64_t bits = 0;
  for (std::size_t i = 8; i-- > 0;) {
    bits = bits << 8 | static_cast<unsigned char>(record[kFractionOffset + i]);
  }
  const double fraction = std::bit_cast<double>(bits);
  if (!std::isfinite(fraction))
    throw std::runtime_error(path + " - no fraction done");
  return fraction;
}

void ReadAstropulseDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                           double& percentDone) {
  const std::string workUnit = FileAsString(WorkUnitBackupPath(env, facts), env.exceptions);
  if (workUnit.empty())
    return;
  ReadSkyPosition(workUnit, entry);
  ReadPeaks(FileAsString(ResultFilePath(facts), env.exceptions), entry);
  percentDone = ReadApFractionDone(facts.slotDir + "ap_state.dat") * 100;
}

}  // namespace tessarin
