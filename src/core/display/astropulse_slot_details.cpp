#include "core/display/astropulse_slot_details.h"

#include <unistd.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "core/data/client_file.h"
#include "core/display/sky_position_text.h"
#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
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

double ReadApFractionDone(const std::string& clientDir, const std::string& path,
                          std::uint64_t maxBytes) {
  std::optional<OpenedClientFile> file;
  try {
    file = OpenClientFile(clientDir, path, maxBytes);
  } catch (const ClientFileRefused& refusal) {
    throw ClientFileRefused(path + " - " + refusal.what());
  }
  if (!file)
    throw std::runtime_error(path + " - cannot be opened");
  std::array<char, kStateRecordSize> record{};
  std::size_t total = 0;
  while (total < record.size()) {
    const ssize_t n = ::read(file->fd.get(), record.data() + total, record.size() - total);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    total += static_cast<std::size_t>(n);
  }
  if (total < record.size())
    throw std::runtime_error(path + " - shorter than 240 bytes");
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
  ReadPeaks(ReadTaskFile(env, facts, ResultFilePath(facts)), entry);
  percentDone = ReadApFractionDone(facts.clientDir, facts.slotDir + "ap_state.dat",
                                   MaxBackupBytes(env.settings)) *
                100;
}

}  // namespace tessarin
