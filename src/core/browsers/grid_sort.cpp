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

struct NumberKey {
  double value;
  std::uint32_t position;  // in the order before sorting
};

// Sixteen upper-cased bytes of a cell from `depth` on, big-endian and zero-padded, and how many
// of them the cell has: where two of these differ, the upper-cased cells differ the same way.
struct TextKey {
  std::uint64_t head;
  std::uint64_t next;
  std::uint32_t position;
  std::uint32_t window;
};

constexpr std::size_t kWindow = 16;

std::uint64_t EightBytes(std::string_view text, std::size_t from) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t at = from + i;
    key = (key << 8) | (at < text.size() ? UpperByte(text[at]) : 0u);
  }
  return key;
}

void FillTextKey(TextKey& key, std::string_view cell, std::size_t depth) {
  key.head = EightBytes(cell, depth);
  key.next = EightBytes(cell, depth + 8);
  key.window =
      static_cast<std::uint32_t>(cell.size() > depth ? std::min(cell.size() - depth, kWindow) : 0);
}

bool TextKeyLess(const TextKey& a, const TextKey& b) {
  if (a.head != b.head)
    return a.head < b.head;
  if (a.next != b.next)
    return a.next < b.next;
  if (a.window != b.window)
    return a.window < b.window;
  return a.position < b.position;
}

bool SameText(const TextKey& a, const TextKey& b) {
  return a.head == b.head && a.next == b.next && a.window == b.window;
}

// Keys are built once per row and sorted together with the rows' positions, so the sort does
// not look up cells while comparing.
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

// Sorts by sixteen bytes at a time: runs that tie on a full window are keyed again by the
// next sixteen bytes and sorted among themselves, so long common prefixes (result names) cost
// one more pass over the tied rows instead of a cell lookup in every comparison.
void SortText(const GridTable& table, std::size_t column, std::vector<std::uint32_t>& order) {
  std::vector<TextKey> keys(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    keys[i].position = static_cast<std::uint32_t>(i);
    FillTextKey(keys[i], table.Cell(order[i], column), 0);
  }
  struct Run {
    std::size_t begin;
    std::size_t end;
    std::size_t depth;
  };
  std::vector<Run> runs{{0, keys.size(), 0}};
  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    const auto first = keys.begin() + static_cast<std::ptrdiff_t>(run.begin);
    const auto last = keys.begin() + static_cast<std::ptrdiff_t>(run.end);
    if (run.depth > 0) {
      for (auto key = first; key != last; ++key) {
        FillTextKey(*key, table.Cell(order[key->position], column), run.depth);
      }
    }
    std::sort(first, last, TextKeyLess);
    for (std::size_t begin = run.begin; begin < run.end;) {
      std::size_t end = begin + 1;
      while (end < run.end && SameText(keys[begin], keys[end]))
        ++end;
      if (end - begin > 1 && keys[begin].window == kWindow) {
        runs.push_back({begin, end, run.depth + kWindow});
      }
      begin = end;
    }
  }
  std::vector<std::uint32_t> sorted(order.size());
  for (std::size_t i = 0; i < keys.size(); ++i)
    sorted[i] = order[keys[i].position];
  order = std::move(sorted);
}

}  // namespace

namespace {

// "H:MM:SS" with any number of hour digits, as the CPU time is shown: read as seconds, so
// 100:00:00 sorts after 99:00:00 instead of before it.
bool DurationValue(std::string_view text, double& value) {
  const std::size_t first = text.find(':');
  if (first == 0 || first == std::string_view::npos || text.size() != first + 6 ||
      text[first + 3] != ':') {
    return false;
  }
  double seconds = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == first || i == first + 3)
      continue;
    if (text[i] < '0' || text[i] > '9')
      return false;
  }
  for (std::size_t i = 0; i < first; ++i)
    seconds = seconds * 10 + (text[i] - '0');
  const int minutes = (text[first + 1] - '0') * 10 + (text[first + 2] - '0');
  const int secs = (text[first + 4] - '0') * 10 + (text[first + 5] - '0');
  if (minutes > 59 || secs > 59)
    return false;
  value = seconds * 3600 + minutes * 60 + secs;
  return true;
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
  if (error == std::errc() && stop == end && std::isfinite(value))
    return true;
  return DurationValue(text, value);
}

void SortRowsByColumn(const GridTable& table, std::size_t column,
                      std::vector<std::uint32_t>& order) {
  if (column >= table.ColumnCount())
    return;
  if (!SortNumeric(table, column, order))
    SortText(table, column, order);
}

}  // namespace tessarin
