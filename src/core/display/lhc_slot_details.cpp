#include "core/display/lhc_slot_details.h"

#include <cstdint>
#include <string>

#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/tools/number_format.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// The first data line of the tracking block. Its first two fields are the turns forward and
// backward; list-directed input lets them be indented and separated by several blanks.
std::string TrackingLine(const std::string& deck) {
  const std::size_t marker = deck.find("TRACKING PARAMETERS");
  if (marker == std::string::npos)
    return "";
  const std::size_t start = deck.find('\n', marker);
  if (start == std::string::npos)
    return "";
  const std::size_t end = deck.find('\n', start + 1);
  return deck.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

}  // namespace

void ReadLhcDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry) {
  std::string fields = TrimBlanks(TrackingLine(ReadTaskFile(env, facts, facts.slotDir + "fort.3")));
  const std::int64_t forward = DigitsToInt(CutHead(fields, ' '));
  fields = TrimBlanks(fields);
  const std::int64_t backward = DigitsToInt(CutHead(fields, ' '));
  const std::int64_t turns = forward + backward;
  if (turns > 0) {
    std::string info = "(";
    info += FormatThousands(turns, 8);
    info += " turns)";
    entry.InfoText = Bounded(info, slot_width::kInfoText);
  }
}

}  // namespace tessarin
