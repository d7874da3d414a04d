#pragma once
// Reads a log file line by line through a fixed buffer, so memory stays flat whatever the
// file's size. Lines end at LF; a CR before the LF is dropped.

#include <cstddef>
#include <string>

namespace tessarin {

class LogLineReader {
 public:
  // Bytes of one line beyond this are dropped: no log row comes near it, and a file without
  // line breaks must not fill the memory.
  static constexpr std::size_t kMaxLineLength = 1024 * 1024;

  // Throws std::runtime_error ("path - error") when the file cannot be opened.
  LogLineReader(std::string path, std::size_t bufferSize);
  ~LogLineReader();
  LogLineReader(const LogLineReader&) = delete;
  LogLineReader& operator=(const LogLineReader&) = delete;

  // The next line into `line`; false at the end of the file. A last line without a line
  // break still counts. Throws on a read error.
  bool ReadLine(std::string& line);

 private:
  bool Fill();
  void Append(std::string& line, const char* data, std::size_t size) const;

  std::string path_;
  int fd_ = -1;
  std::string buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

}  // namespace tessarin
