#pragma once
// The "result_name" column of a result log, read once and then kept up to date by reading only
// the bytes appended since. The log is read again from the start when it shrank, was replaced
// or its header or last indexed row changed.

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tessarin {

class ResultNameIndex {
 public:
  enum class Answer { kFound, kNotFound, kNoColumn };

  // Whether some row below the header holds exactly `name` in its result_name column
  // (located in the header line as AlreadyLogged does; rows are read with CsvField).
  // Throws std::runtime_error when the file cannot be read.
  Answer Find(const std::string& path, const std::string& name);

 private:
  class OpenFile;

  void Reset(const std::string& path);
  bool StillValid(const OpenFile& file) const;
  void ReadAppended(const OpenFile& file);
  void TakeLine(std::string_view line, std::uint64_t offset);
  std::string FieldAt(const OpenFile& file, std::uint64_t offset) const;

  std::string path_;
  std::uint64_t device_ = 0;
  std::uint64_t inode_ = 0;
  std::uint64_t size_ = 0;
  std::int64_t modified_ = 0;
  bool haveHeader_ = false;
  std::string header_;  // first line, with its line break
  int column_ = 0;      // 1-based field number of result_name, 0 when absent
  // Bytes up to and including the last line break seen; lines before it are indexed.
  std::uint64_t indexedEnd_ = 0;
  std::uint64_t lastLineStart_ = 0;
  std::string lastLine_;  // last indexed line, with its line break
  // Rows by the hash of their result_name; a hit is confirmed by reading the row again.
  std::unordered_multimap<std::uint64_t, std::uint64_t> rows_;
  // The line after the last line break, which the next append may still complete.
  std::string tailLine_;
  bool haveTail_ = false;
};

}  // namespace tessarin
