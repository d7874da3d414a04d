#include "core/data/log_append.h"

#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"

namespace tessarin {

void AppendResultRow(const std::string& path, const char* header, std::string_view row) {
  LogFileWriter log(path, LogFileWriter::Mode::kAppend);
  std::string text = log.WasEmpty() ? header : "";
  text += logs::kLineBreak;
  text += row;
  log.Write(text);
  log.Close();
}

}  // namespace tessarin
