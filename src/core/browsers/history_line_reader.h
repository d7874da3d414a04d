#pragma once
// Reads the lines of one part of a log: from a line start up to an end, which is the start of
// the next part or the file's size when opened. Lines end at a line feed (a carriage return
// before it is dropped) or, in logs whose lines end with a carriage return alone, at that.
// At the file's size a last line without a line break is taken unless the file has grown past
// it and the next byte continues the line (a row that was being written when it was opened).

#include <cstddef>
#include <span>
#include <vector>

#include "core/browsers/history_log_file.h"

namespace tessarin {

class HistoryLineReader {
 public:
  // `lineBreak` is '\n' or '\r'.
  HistoryLineReader(const HistoryLogFile& file, std::size_t begin, std::size_t end, char lineBreak);

  // The next line without its line break, writable until the next call; false at the end.
  // A read error throws std::runtime_error with the path and the system's message.
  bool NextLine(std::span<char>& line);

  // True when the last line returned ended at the file's end without a line break.
  bool LastLineOpen() const { return lastLineOpen_; }

  // Where the line after the last one returned starts.
  std::size_t Position() const { return consumed_ - (end_ - begin_); }

 private:
  bool Fill();
  bool LastLineComplete() const;

  const HistoryLogFile& file_;
  std::size_t stop_;      // end of the part
  std::size_t consumed_;  // file offset after the bytes taken into the buffer
  char lineBreak_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool lastLineOpen_ = false;
};

// '\r' when the first line break at or after `offset` is a carriage return without a line
// feed behind it, else '\n'.
char LineBreakOf(const HistoryLogFile& file, std::size_t offset);

}  // namespace tessarin
