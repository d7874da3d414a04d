#include "core/tools/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/tools/text.h"

namespace tessarin {

namespace {

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number part of `text` as std::from_chars can take it, or an empty view when the text
// is not a plain decimal number: blanks, optional sign, digits with an optional '.', and an
// optional exponent. Words like "inf" or "nan" and hex forms are not numbers here.
std::string_view NumberSyntax(std::string_view text, bool& negative) {
  while (!text.empty() && IsSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back()))
    text.remove_suffix(1);
  negative = false;
  std::string_view number = text;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  std::size_t at = 0;
  int mantissaDigits = 0;
  while (at < number.size() && IsDigit(number[at]))
    ++at, ++mantissaDigits;
  if (at < number.size() && number[at] == '.') {
    ++at;
    while (at < number.size() && IsDigit(number[at]))
      ++at, ++mantissaDigits;
  }
  if (mantissaDigits == 0)
    return {};
  if (at < number.size() && (number[at] == 'e' || number[at] == 'E')) {
    ++at;
    if (at < number.size() && (number[at] == '+' || number[at] == '-'))
      ++at;
    const std::size_t exponentStart = at;
    while (at < number.size() && IsDigit(number[at]))
      ++at;
    if (at == exponentStart)
      return {};
  }
  if (at != number.size())
    return {};
  return number;
}

template <typename T>
T ParseNumber(std::string_view text) {
  bool negative = false;
  const std::string_view number = NumberSyntax(text, negative);
  if (number.empty())
    return 0;
  T value = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, value);
  if (error != std::errc() || stop != end)
    return 0;
  return negative ? -value : value;
}

// A finite number as decimal digits: value = 0.d1d2d3... * 10^exponent, no trailing zeros.
// Zero has no digits.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// Starts from the shortest text that reads back as the same double, so rounding works on the
// number as it was written (2.675 rounds to 2.68), not on its binary neighbour.
Decimal ToDecimal(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  *result.ptr = '\0';
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  Decimal decimal;
  std::size_t at = 0;
  if (text[at] == '-') {
    decimal.negative = true;
    ++at;
  }
  for (; at < text.size() && text[at] != 'e'; ++at) {
    if (text[at] != '.')
      decimal.digits += text[at];
  }
  decimal.exponent = std::atoi(buffer + at + 1) + 1;
  while (!decimal.digits.empty() && decimal.digits.back() == '0')
    decimal.digits.pop_back();
  return decimal;
}

// Keeps `keep` leading digits, rounding half away from zero.
void RoundDigits(Decimal& decimal, int keep) {
  std::string& digits = decimal.digits;
  if (keep < 0) {
    digits.clear();
    return;
  }
  if (digits.size() <= static_cast<std::size_t>(keep))
    return;
  const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
  digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    while (!digits.empty() && digits.back() == '9')
      digits.pop_back();
    if (digits.empty()) {
      digits.assign(1, '1');
      ++decimal.exponent;
    } else {
      ++digits.back();
    }
  }
  while (!digits.empty() && digits.back() == '0')
    digits.pop_back();
}

std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

void AppendTwoDigits(std::string& text, std::uint64_t value) {
  text += static_cast<char>('0' + value / 10 % 10);
  text += static_cast<char>('0' + value % 10);
}

// hours:mm:ss for `seconds` (a magnitude), with the hours already written out.
std::string ClockText(bool negative, const std::string& hours, std::uint64_t seconds) {
  std::string text;
  if (negative)
    text += '-';
  text += hours;
  text += ':';
  AppendTwoDigits(text, seconds % 3600 / 60);
  text += ':';
  AppendTwoDigits(text, seconds % 60);
  return text;
}

std::string NonFinite(double value) {
  if (std::isnan(value))
    return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string GeneralText(const Decimal& decimal, int precision) {
  const std::string& digits = decimal.digits;
  if (digits.empty())
    return "0";
  std::string text = decimal.negative ? "-" : "";
  if (decimal.exponent > precision || decimal.exponent < -4) {
    text += digits[0];
    if (digits.size() > 1)
      text += '.' + digits.substr(1);
    text += 'E' + std::to_string(decimal.exponent - 1);
  } else if (decimal.exponent <= 0) {
    text += "0." + std::string(static_cast<std::size_t>(-decimal.exponent), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(decimal.exponent);
    if (digits.size() <= whole) {
      text += digits + std::string(whole - digits.size(), '0');
    } else {
      text += digits.substr(0, whole) + '.' + digits.substr(whole);
    }
  }
  return text;
}

}  // namespace

double StrToFloatSafe(std::string_view text) {
  return ParseNumber<double>(text);
}

float StrToSingleSafe(std::string_view text) {
  return ParseNumber<float>(text);
}

std::string FormatGeneral(double value, int digits) {
  if (!std::isfinite(value))
    return NonFinite(value);
  if (digits < 1)
    digits = 1;
  Decimal decimal = ToDecimal(value);
  RoundDigits(decimal, digits);
  return GeneralText(decimal, digits);
}

std::string Fixed(double x, int p, int d) {
  if (!std::isfinite(x))
    return NonFinite(x);
  if (p < 1)
    p = 1;
  if (d < 0)
    d = 0;
  Decimal decimal = ToDecimal(x);
  if (!decimal.digits.empty())
    RoundDigits(decimal, std::min(p, decimal.exponent + d));
  if (decimal.exponent > p && !decimal.digits.empty())
    return GeneralText(decimal, p);

  const std::string& digits = decimal.digits;
  auto digitAt = [&](int index) {
    return index >= 0 && index < static_cast<int>(digits.size())
               ? digits[static_cast<std::size_t>(index)]
               : '0';
  };
  std::string text = decimal.negative && !digits.empty() ? "-" : "";
  if (digits.empty() || decimal.exponent <= 0) {
    text += '0';
  } else {
    for (int i = 0; i < decimal.exponent; ++i)
      text += digitAt(i);
  }
  if (d > 0) {
    text += '.';
    const int first = digits.empty() ? 0 : decimal.exponent;
    for (int i = 0; i < d; ++i)
      text += digits.empty() ? '0' : digitAt(first + i);
  }
  return text;
}

std::string FormatHMS(std::int64_t seconds) {
  const bool negative = seconds < 0;
  return ClockText(negative, std::to_string(Magnitude(seconds) / 3600), Magnitude(seconds));
}

std::string FormatSecondsText(std::string_view seconds) {
  const double value = StrToSingleSafe(seconds);
  // Beyond this the seconds do not fit a 64-bit count; such a text reads as 0 like any other
  // number that cannot be used.
  constexpr double kLimit = 9.2e18;
  const std::int64_t whole =
      std::fabs(value) < kLimit ? static_cast<std::int64_t>(std::trunc(value)) : 0;
  const std::uint64_t s = Magnitude(whole);
  return ClockText(whole < 0, ZeroPadText(std::to_string(s / 3600), 2), s);
}

std::string FormatThousands(std::int64_t value, int width) {
  const bool negative = value < 0;
  const std::string digits = std::to_string(Magnitude(value));
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      text += ',';
    text += digits[i];
  }
  if (negative)
    text.insert(0, 1, '-');
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  return text;
}

bool RoundHalfEven(double value, std::int32_t& result) {
  if (!std::isfinite(value))
    return false;
  double rounded = std::floor(value);
  const double fraction = value - rounded;  // exact for every finite double
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
    rounded += 1.0;
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  result = static_cast<std::int32_t>(rounded);
  return true;
}

}  // namespace tessarin
