#include "core/browsers/history_line_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tessarin {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

}  // namespace

HistoryLineReader::HistoryLineReader(const HistoryLogFile& file, std::size_t begin, std::size_t end,
                                     char lineBreak)
    : file_(file), stop_(std::min(end, file.Size())), consumed_(begin), lineBreak_(lineBreak) {}

bool HistoryLineReader::Fill() {
  if (consumed_ >= stop_)
    return false;
  if (begin_ > 0) {
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_),
              buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < kChunk)
    buffer_.resize(end_ + kChunk);
  const std::size_t wanted = std::min(kChunk, stop_ - consumed_);
  const std::size_t got = file_.ReadAt(consumed_, buffer_.data() + end_, wanted);
  // A file cut shorter meanwhile simply ends early.
  if (got == 0)
    stop_ = consumed_;
  consumed_ += got;
  end_ += got;
  return got > 0;
}

bool HistoryLineReader::LastLineComplete() const {
  if (stop_ < file_.Size())
    return true;  // the next part starts a line there
  char next = 0;
  return file_.ReadAt(stop_, &next, 1) == 0 || next == '\r' || next == '\n';
}

bool HistoryLineReader::NextLine(std::span<char>& line) {
  std::size_t searched = begin_;
  std::size_t stop = 0;
  for (;;) {
    const char* found = end_ > searched
                            ? static_cast<const char*>(std::memchr(buffer_.data() + searched,
                                                                   lineBreak_, end_ - searched))
                            : nullptr;
    if (found != nullptr) {
      stop = static_cast<std::size_t>(found - buffer_.data());
      break;
    }
    // Fill moves the unread rest to the front, so what was searched is its length.
    searched = end_ - begin_;
    if (!Fill()) {
      if (begin_ == end_ || !LastLineComplete()) {
        begin_ = end_;
        return false;
      }
      stop = end_;
      lastLineOpen_ = true;
      break;
    }
  }
  line = std::span<char>(buffer_.data() + begin_, stop - begin_);
  begin_ = std::min(stop + 1, end_);
  if (!line.empty() && lineBreak_ == '\n' && line.back() == '\r')
    line = line.first(line.size() - 1);
  return true;
}

char LineBreakOf(const HistoryLogFile& file, std::size_t offset) {
  std::array<char, 4096> chunk;
  for (;;) {
    const std::size_t got = file.ReadAt(offset, chunk.data(), chunk.size());
    const char* begin = chunk.data();
    const char* end = begin + got;
    const char* found = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
    if (found == end) {
      if (got < chunk.size())
        return '\n';
      offset += got;
      continue;
    }
    if (*found == '\n')
      return '\n';
    char next = 0;
    const std::size_t after = offset + static_cast<std::size_t>(found - begin) + 1;
    return file.ReadAt(after, &next, 1) == 1 && next != '\n' ? '\r' : '\n';
  }
}

}  // namespace tessarin
