#pragma once
// Reads a log line by line without holding the file, up to the size it had when opened: a
// logger may append to it meanwhile. Accepts CRLF and LF; a last line without a line break is
// taken unless the file has grown past that size and the next byte continues the line (a row
// that was being written when the file was opened).

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace tessarin {

class HistoryLineReader {
 public:
  // A missing file reads as no lines; other failures to open throw std::runtime_error.
  explicit HistoryLineReader(const std::string& path);

  bool Exists() const { return file_ != nullptr; }
  // Size when opened.
  std::size_t FileSize() const { return size_; }

  // The next line without its line break; false at the end. A read error throws
  // std::runtime_error with the path and the system's message.
  bool NextLine(std::string& line);

 private:
  bool Fill();
  bool LastLineComplete();

  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::string path_;
  std::unique_ptr<std::FILE, FileCloser> file_;
  std::size_t size_ = 0;
  std::size_t consumed_ = 0;  // bytes taken from the file so far
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

}  // namespace tessarin
