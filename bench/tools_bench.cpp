// Costs of the text helpers that every watch cycle and every log reader lean on:
// walking the <result> elements of a client_state.xml, and splitting boinc.csv rows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/tools/csv.h"
#include "core/tools/tag_extract.h"

namespace tessarin {
namespace {

// Deterministic pseudo-random numbers, so every run measures the same text.
class Lcg {
 public:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33);
  }

 private:
  std::uint64_t state_ = 12345;
};

std::string Element(std::string_view name, const std::string& value) {
  return "    <" + std::string(name) + ">" + value + "</" + std::string(name) + ">\n";
}

// About 40 KB shaped like a client_state.xml: host and project blocks, then work units and
// results of several states.
const std::string& ClientState() {
  static const std::string text = [] {
    Lcg random;
    std::string xml = "<client_state>\n<host_info>\n";
    xml += Element("timezone", "3600") + Element("domain_name", "cruncher") +
           Element("p_ncpus", "8") + Element("p_vendor", "GenuineIntel") +
           Element("p_fpops", "4716489163.412530") + Element("m_nbytes", "16652754944.000000");
    xml += "</host_info>\n<project>\n" + Element("master_url", "http://setiathome.berkeley.edu/") +
           Element("project_name", "SETI@home") + Element("user_total_credit", "123456.78") +
           "</project>\n";
    int index = 0;
    while (xml.size() < 40 * 1024) {
      const std::string wu = "21no09aa.1234." + std::to_string(index) + ".3.16.100";
      xml += "<workunit>\n" + Element("name", wu) + Element("app_name", "setiathome_v8") +
             Element("version_num", "800") + Element("rsc_fpops_est", "174000000000000") +
             "</workunit>\n";
      xml += "<result>\n" + Element("name", wu + "_1") +
             Element("final_cpu_time", std::to_string(random.Next() % 90000) + ".123456") +
             Element("final_elapsed_time", std::to_string(random.Next() % 90000) + ".5") +
             Element("exit_status", "0") + Element("state", std::to_string(random.Next() % 6)) +
             Element("platform", "x86_64-pc-linux-gnu") + Element("version_num", "800") +
             Element("wu_name", wu) +
             Element("report_deadline", std::to_string(1796000000 + index) + ".000000") +
             Element("received_time", "1796699322.249118") + "    <file_ref>\n" +
             Element("file_name", wu + "_1_r1234_0") + Element("open_name", "result.sah") +
             "    </file_ref>\n</result>\n";
      ++index;
    }
    xml += "</client_state>\n";
    return xml;
  }();
  return text;
}

constexpr std::string_view kResultFields[] = {"name",          "final_cpu_time", "exit_status",
                                              "state",         "wu_name",        "report_deadline",
                                              "received_time", "file_name"};

// Walks every result and reads its fields with `readField`.
template <typename ReadField>
void WalkResults(benchmark::State& state, ReadField readField) {
  const std::string& text = ClientState();
  std::int64_t rows = 0;
  for (auto _ : state) {
    std::size_t position = 0;
    for (std::string result = ExtractTagFrom(text, "result", position); !result.empty();
         result = ExtractTagFrom(text, "result", position)) {
      for (std::string_view field : kResultFields) {
        benchmark::DoNotOptimize(readField(result, field));
      }
      ++rows;
    }
  }
  state.counters["rows"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The scan's way: copy each result and cut its fields one by one.
void BM_WalkResultsCutFields(benchmark::State& state) {
  WalkResults(state, [](std::string& result, std::string_view field) {
    return ExtractTagCut(result, field);
  });
}
BENCHMARK(BM_WalkResultsCutFields);

// The same walk reading every field with ExtractTag, element text unchanged.
void BM_WalkResultsExtractTag(benchmark::State& state) {
  WalkResults(state, [](const std::string& result, std::string_view field) {
    return ExtractTag(result, field);
  });
}
BENCHMARK(BM_WalkResultsExtractTag);

constexpr int kCsvRows = 1'000'000;
constexpr int kCsvColumns = 46;

// A million rows like boinc.csv: quoted texts, numbers, one quoted value with a comma.
const std::string& BoincCsv() {
  static const std::string text = [] {
    Lcg random;
    std::string csv;
    csv.reserve(static_cast<std::size_t>(kCsvRows) * 260);
    for (int row = 0; row < kCsvRows; ++row) {
      csv += "\r\n\"2024.03.01 12:34:56\",\"SETI@home\",\"setiathome_v8\",\"cruncher\"";
      for (int column = 5; column <= kCsvColumns; ++column) {
        csv += ',';
        switch (column % 4) {
          case 0:
            csv += std::to_string(random.Next() % 100000);
            break;
          case 1:
            csv +=
                std::to_string(random.Next() % 100000) + '.' + std::to_string(random.Next() % 1000);
            break;
          case 2:
            if (column == 6) {
              csv += "\"Linux, 6.1\"";
            } else {
              csv += std::to_string(random.Next());
            }
            break;
          default:
            break;  // an empty column
        }
      }
    }
    return csv;
  }();
  return text;
}

template <typename Split>
void ForEachCsvLine(benchmark::State& state, Split split) {
  const std::string_view text = BoincCsv();
  std::int64_t rows = 0;
  for (auto _ : state) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos)
        end = text.size();
      const std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line != "\r") {
        benchmark::DoNotOptimize(split(line));
        ++rows;
      }
      start = end + 1;
    }
  }
  state.counters["rows"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The history window's read: every column, quotes stripped.
void BM_SplitCsvLineAllColumns(benchmark::State& state) {
  ForEachCsvLine(state, [](std::string_view line) { return SplitCsvLine(line, ',', true); });
}
BENCHMARK(BM_SplitCsvLineAllColumns)->Unit(benchmark::kMillisecond)->Iterations(2);

// The score rating's read: four columns only.
void BM_SplitCsvLineFourColumns(benchmark::State& state) {
  ColumnSet columns;
  columns.set(9).set(17).set(25).set(33);
  ForEachCsvLine(
      state, [&columns](std::string_view line) { return SplitCsvLine(line, ',', true, columns); });
}
BENCHMARK(BM_SplitCsvLineFourColumns)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace tessarin
