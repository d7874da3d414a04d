#include "core/browsers/history_parts.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tessarin {

namespace {

// The first line start at or after `offset`, or `end`.
std::size_t LineStartFrom(const HistoryLogFile& file, std::size_t offset, std::size_t end,
                          char lineBreak) {
  std::array<char, 4096> chunk;
  // The byte before `offset` tells whether a line starts right there.
  for (std::size_t at = offset - 1; at < end;) {
    const std::size_t got = file.ReadAt(at, chunk.data(), std::min(chunk.size(), end - at));
    if (got == 0)
      break;
    const void* found = std::memchr(chunk.data(), lineBreak, got);
    if (found != nullptr)
      return at + static_cast<std::size_t>(static_cast<const char*>(found) - chunk.data()) + 1;
    at += got;
  }
  return end;
}

}  // namespace

std::vector<std::size_t> PartStarts(const HistoryLogFile& file, std::size_t begin, std::size_t end,
                                    std::size_t parts, char lineBreak) {
  std::vector<std::size_t> starts{begin};
  const std::size_t length = end > begin ? end - begin : 0;
  parts = std::max<std::size_t>(1, std::min(parts, length));
  for (std::size_t k = 1; k < parts; ++k) {
    const std::size_t nominal = begin + length / parts * k + length % parts * k / parts;
    if (nominal <= starts.back())
      continue;
    const std::size_t start = LineStartFrom(file, nominal, end, lineBreak);
    if (start > starts.back() && start < end)
      starts.push_back(start);
  }
  starts.push_back(std::max(begin, end));
  return starts;
}

}  // namespace tessarin
