#include "core/display/slot_fields.h"

#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

std::string Bounded(std::string_view value, std::size_t width) {
  return CutToWidth(value, width);
}

std::int32_t WholeSeconds(double seconds, std::string_view what) {
  std::int32_t whole = 0;
  if (!RoundHalfEven(seconds, whole)) {
    throw std::out_of_range(std::string(what) + " out of range");
  }
  return whole;
}

double CutNumber(std::string& text, std::string_view name) {
  return StrToFloatSafe(ExtractTagCut(text, name));
}

}  // namespace tessarin
