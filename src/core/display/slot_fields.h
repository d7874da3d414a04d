#pragma once
// Values for the fields of a display entry: texts cut to their bounds, integers that must fit
// their field, numbers read from one element. A value that does not fit throws, so GetSlot
// counts it instead of storing a wrong number.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessarin {

namespace slot_width {
inline constexpr std::size_t kHostName = 100;
inline constexpr std::size_t kProjectName = 50;
inline constexpr std::size_t kAppName = 50;
inline constexpr std::size_t kResultName = 100;
inline constexpr std::size_t kStatusText = 50;
inline constexpr std::size_t kCpuText = 30;
inline constexpr std::size_t kInfoText = 50;
// Of each SETI@home signal value only the first 8 characters are kept.
inline constexpr std::size_t kSignal = 8;
inline constexpr std::size_t kPhase = 1;
inline constexpr std::size_t kTimestep = 7;
}  // namespace slot_width

// The first `width` characters of `value`.
std::string Bounded(std::string_view value, std::size_t width);

// `value` as the integer type of a field; throws std::out_of_range("<what> out of range").
template <typename Field>
Field CheckedField(std::int64_t value, std::string_view what) {
  if (value < std::numeric_limits<Field>::min() || value > std::numeric_limits<Field>::max()) {
    throw std::out_of_range(std::string(what) + " out of range");
  }
  return static_cast<Field>(value);
}

// Seconds rounded to the nearest whole second (ties to even); throws std::out_of_range
// ("<what> out of range") for values that are not finite or do not fit 32 bits.
std::int32_t WholeSeconds(double seconds, std::string_view what);

// StrToFloatSafe of the first `name` element, which is cut out of `text`.
double CutNumber(std::string& text, std::string_view name);

}  // namespace tessarin
