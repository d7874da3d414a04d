// What a remote client answers over GUI RPC, scanned as the watch cycle does: the input is the
// <client_state> text, then "\n@@file old_results\n" and the get_old_results text. A second
// scan of the same answers must log nothing more, and every boinc.csv row must have the
// header's number of fields: a hostile client may not tear the log.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/data/log_files.h"
#include "core/seams/project_logger.h"
#include "core/seams/task_detail_reader.h"
#include "core/watcher/logged_results.h"
#include "core/watcher/remote_scan.h"
#include "fuzz_support.h"

using namespace tessarin;

namespace {

class NoProjectLogs final : public ProjectLogger {
 public:
  void LogProjectResult(ProjectKind, const std::string&, const std::string&, const std::string&,
                        CycleFlags&) override {}
};

class PlainSlots final : public TaskDetailReader {
 public:
  void GetSlot(const ActiveTaskFacts&, ResultList&, DisplayList& display) override {
    display.emplace_back();
  }
};

// Fields of one CSV line, counting separators outside quotes.
int FieldCount(const std::string& line) {
  int fields = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      ++fields;
  }
  return quoted ? -1 : fields;
}

std::string ReadLog(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Scan(fuzz::FuzzEnvironment& program, LoggedResults& logged, const RemoteLook& look) {
  static NoProjectLogs loggers;
  static PlainSlots details;
  RemoteWatch watch;
  CycleFlags flags;
  ScanContext context{program.env, flags, logged, loggers};
  ResultList list;
  ResultIndex results(list);
  DisplayList display;
  ScanRemoteClient(context, details, watch, look, results, display);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::FuzzFiles files = fuzz::SplitFuzzInput(fuzz::AsText(data, size));
  RemoteLook look{"fuzzhost:31416", RemoteSnapshot{files.main, ""}, ""};
  for (const fuzz::FuzzFile& file : files.files) {
    if (file.name == "old_results")
      look.snapshot->oldResults = file.content;
  }
  fuzz::FuzzEnvironment program;
  LoggedResults logged;
  const std::string csv = program.env.logDir + logs::kBoincCsv;
  Scan(program, logged, look);
  const std::string first = ReadLog(csv);
  Scan(program, logged, look);
  if (ReadLog(csv) != first)
    std::abort();

  const std::string header = logs::kBoincCsvHeader;
  if (first.empty())
    return 0;
  if (first.compare(0, header.size(), header) != 0)
    std::abort();
  const int columns = FieldCount(header);
  for (std::size_t at = header.size(); at < first.size();) {
    if (first.compare(at, 2, "\r\n") != 0)
      std::abort();
    at += 2;
    const std::size_t end = std::min(first.find("\r\n", at), first.size());
    if (FieldCount(first.substr(at, end - at)) != columns)
      std::abort();
    at = end;
  }
  return 0;
}
