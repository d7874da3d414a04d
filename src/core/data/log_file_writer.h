#pragma once
// A buffered writer for one log file. Errors throw std::runtime_error ("path - error").

#include <string>
#include <string_view>

#include "core/data/log_file_operations.h"

namespace tessarin {

class LogFileWriter {
 public:
  enum class Mode {
    kAppend,    // created when missing; writes go to the end
    kTruncate,  // created when missing; emptied when present
  };

  LogFileWriter(std::string path, Mode mode, LogFileOperations& ops = SystemFileOperations());
  // Writes what is buffered and closes, without reporting: only an error path leaves a
  // writer open, and the rows written before the error still reach the file.
  ~LogFileWriter();
  LogFileWriter(const LogFileWriter&) = delete;
  LogFileWriter& operator=(const LogFileWriter&) = delete;

  // True when the file held no bytes when it was opened, so it still needs its header.
  bool WasEmpty() const { return wasEmpty_; }
  const std::string& path() const { return path_; }

  void Write(std::string_view text);
  // Writes what is buffered, forces it to the disk when asked, and closes.
  void Close(bool sync = false);

 private:
  void Flush();
  void WriteWhole(std::string_view text);

  std::string path_;
  LogFileOperations& ops_;
  int fd_ = -1;
  bool wasEmpty_ = false;
  bool created_ = false;  // the file did not exist before this writer
  std::string buffer_;
};

}  // namespace tessarin
