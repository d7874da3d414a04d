// The Einstein@Home output reader: the input, packed as the first member of a ZIP backup,
// goes through LogResultEinstein; ReadStreamLine also walks the raw bytes.
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/data/log_files.h"
#include "core/projects/einstein_logger.h"
#include "core/projects/project_log_index.h"
#include "fuzz_support.h"

using namespace tessarin;

namespace {

void PackAsZip(const std::string& path, std::string_view content) {
  std::remove(path.c_str());
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr)
    std::abort();
  zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
  const zip_int64_t index = zip_file_add(archive, "out", source, ZIP_FL_OVERWRITE);
  if (index < 0 ||
      zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) != 0 ||
      zip_close(archive) != 0)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::FuzzEnvironment* environment = new fuzz::FuzzEnvironment();
  const std::string_view output = fuzz::AsText(data, size);

  std::size_t position = 0;
  while (position < output.size()) {
    const std::size_t before = position;
    const std::string line = ReadStreamLine(output, position);
    if (position <= before || position > output.size() ||
        line.find_first_of("\r\n") != std::string::npos || line.size() > position - before)
      std::abort();
  }

  const std::string resultLog = environment->env.logDir + logs::kEinsteinResultCsv;
  std::remove(resultLog.c_str());
  PackAsZip(environment->env.logDir + "h1_0001.00_S5R3__1_S5R3b_1_0" + logs::kBackupExtension,
            output);
  ProjectLogIndex index;
  const std::int32_t rows =
      LogResultEinstein(environment->env, index, "h1_0001.00_S5R3__1_S5R3b_1_0");
  if (rows < 0 || static_cast<std::size_t>(rows) > output.size())
    std::abort();
  return 0;
}
