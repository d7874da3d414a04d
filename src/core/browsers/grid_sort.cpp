#include "core/browsers/grid_sort.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tessarin {

namespace {

constexpr double kEmptyCellValue = -999999999;

unsigned char UpperByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Byte-wise comparison with a to z upper-cased; a text that is a prefix of the other is less.
int CompareUpper(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = UpperByte(a[i]);
    const unsigned char y = UpperByte(b[i]);
    if (x != y)
      return x < y ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

// Eight upper-cased bytes from `from` on, big-endian, zero-padded: comparing two of these
// agrees with CompareUpper wherever they differ.
std::uint64_t PrefixKey(std::string_view text, std::size_t from) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t at = from + i;
    key = (key << 8) | (at < text.size() ? UpperByte(text[at]) : 0u);
  }
  return key;
}

struct NumberKey {
  double value;
  std::uint32_t position;  // in the order before sorting
};

struct TextKey {
  std::uint64_t head;
  std::uint64_t next;
  std::uint32_t position;
};

// Keys are built once per row and sorted together with the rows' positions, so the sort
// touches the cells only where sixteen leading bytes tie.
bool SortNumeric(const GridTable& table, std::size_t column, std::vector<std::uint32_t>& order) {
  std::vector<NumberKey> keys(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (!SortNumberValue(table.Cell(order[i], column), keys[i].value))
      return false;
    keys[i].position = static_cast<std::uint32_t>(i);
  }
  std::sort(keys.begin(), keys.end(), [](const NumberKey& a, const NumberKey& b) {
    return a.value != b.value ? a.value < b.value : a.position < b.position;
  });
  std::vector<std::uint32_t> sorted(order.size());
  for (std::size_t i = 0; i < keys.size(); ++i)
    sorted[i] = order[keys[i].position];
  order = std::move(sorted);
  return true;
}

void SortText(const GridTable& table, std::size_t column, std::vector<std::uint32_t>& order) {
  std::vector<TextKey> keys(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::string_view cell = table.Cell(order[i], column);
    keys[i] = {PrefixKey(cell, 0), PrefixKey(cell, 8), static_cast<std::uint32_t>(i)};
  }
  std::sort(keys.begin(), keys.end(), [&](const TextKey& a, const TextKey& b) {
    if (a.head != b.head)
      return a.head < b.head;
    if (a.next != b.next)
      return a.next < b.next;
    const int byText =
        CompareUpper(table.Cell(order[a.position], column), table.Cell(order[b.position], column));
    return byText != 0 ? byText < 0 : a.position < b.position;
  });
  std::vector<std::uint32_t> sorted(order.size());
  for (std::size_t i = 0; i < keys.size(); ++i)
    sorted[i] = order[keys[i].position];
  order = std::move(sorted);
}

}  // namespace

bool SortNumberValue(std::string_view text, double& value) {
  if (text.empty()) {
    value = kEmptyCellValue;
    return true;
  }
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-')
      return false;
  }
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  return error == std::errc() && stop == end && std::isfinite(value);
}

void SortRowsByColumn(const GridTable& table, std::size_t column,
                      std::vector<std::uint32_t>& order) {
  if (column >= table.ColumnCount())
    return;
  if (!SortNumeric(table, column, order))
    SortText(table, column, order);
}

}  // namespace tessarin
