#pragma once
// Number parsing and formatting with '.' as decimal separator, whatever the locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessarin {

// Whole text as a decimal number ('.' decimals, optional exponent); 0 on any error.
double StrToFloatSafe(std::string_view text);
// As StrToFloatSafe, rounded to single precision.
float StrToSingleSafe(std::string_view text);

// Shortest general form with at most `digits` significant digits ("1.5", "0.001", "1E20").
std::string FormatGeneral(double value, int digits);

// x rounded to p significant digits and d decimals, written with exactly d decimals;
// more than p integer digits gives scientific form.
std::string Fixed(double x, int p, int d);

// Whole seconds as H:MM:SS (hours without leading zeros).
std::string FormatHMS(std::int64_t seconds);

// Seconds as text (StrToSingleSafe, truncated) as HH:MM:SS with at least two hour digits.
std::string FormatSecondsText(std::string_view seconds);

// Integer with ',' between thousands, right-aligned to `width` ("%8.0n").
std::string FormatThousands(std::int64_t value, int width);

// Rounds to the nearest integer, ties to even. Returns false, leaving `result` alone, for
// values that are not finite or do not fit 32 bits (never undefined behaviour).
bool RoundHalfEven(double value, std::int32_t& result);

}  // namespace tessarin
