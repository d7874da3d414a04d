// The signal logs of a SETI@home result (LogResultSah) and the pot conversion.

#include <cstdio>
#include <stdexcept>

#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"
#include "core/projects/backup_name.h"
#include "core/projects/log_row.h"
#include "core/projects/project_log_index.h"
#include "core/projects/sah_logger.h"
#include "core/settings/exception_log.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr int kScoreDigits = 8;
constexpr std::int32_t kMaxPotValue = 255;

// The rows of one result for one signal log, written in one piece after the log was found
// not to hold the result yet; a new (or empty) log starts with its header. A failed write
// leaves the log as it was, so the rows can all be written by a later try.
void WriteSignalRows(ProjectLogIndex& index, const std::string& path, std::string_view header,
                     const std::string& loggedName, const std::string& rows) {
  if (index.Holds(path, loggedName))
    return;
  LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
  std::string text;
  if (writer.WasEmpty()) {
    text = header;
    text += logs::kLineBreak;
  }
  text += rows;
  writer.Write(text);
  writer.Close();
}

std::string Cut(std::string& element, std::string_view tag) {
  return ExtractTagCut(element, tag);
}

// numerator / denominator when the denominator is positive, else the element's own score.
std::string Score(std::string_view numerator, std::string_view denominator, std::string& element) {
  const double divisor = StrToFloatSafe(denominator);
  if (divisor > 0)
    return FormatGeneral(StrToFloatSafe(numerator) / divisor, kScoreDigits);
  return Cut(element, "score");
}

std::string SpikeRow(const std::string& resultName, std::string spike) {
  LogRow row;
  row.Quoted(resultName);
  for (const char* tag : {"peak_power", "ra", "decl", "time", "freq", "fft_len", "chirp_rate"}) {
    row.Raw(Cut(spike, tag));
  }
  return row.Text();
}

std::string GaussianRow(const std::string& resultName, std::string gaussian, ExceptionLog& log) {
  const std::string peak = Cut(gaussian, "peak_power");
  const std::string mean = Cut(gaussian, "mean_power");
  const std::string ra = Cut(gaussian, "ra");
  const std::string decl = Cut(gaussian, "decl");
  const std::string time = Cut(gaussian, "time");
  const std::string freq = Cut(gaussian, "freq");
  const std::string sigma = Cut(gaussian, "sigma");
  const std::string chisqr = Cut(gaussian, "chisqr");
  const std::string fftLen = Cut(gaussian, "fft_len");
  const std::string chirpRate = Cut(gaussian, "chirp_rate");
  const std::string score = Score(peak, chisqr, gaussian);
  const std::string maxPower = Cut(gaussian, "max_power");
  const std::string pot = ConvertPot(Cut(gaussian, "pot"), log);
  LogRow row;
  row.Quoted(resultName).Raw(score).Raw(peak).Raw(chisqr).Raw(mean).Raw(ra).Raw(decl);
  row.Raw(time).Raw(freq).Raw(sigma).Raw(fftLen).Raw(chirpRate).Raw(maxPower).Raw(pot);
  return row.Text();
}

std::string PulseRow(const std::string& resultName, std::string pulse, ExceptionLog& log) {
  const std::string peak = Cut(pulse, "peak_power");
  const std::string mean = Cut(pulse, "mean_power");
  const std::string period = Cut(pulse, "period");
  const std::string ra = Cut(pulse, "ra");
  const std::string decl = Cut(pulse, "decl");
  const std::string time = Cut(pulse, "time");
  const std::string freq = Cut(pulse, "freq");
  const std::string fftLen = Cut(pulse, "fft_len");
  const std::string chirpRate = Cut(pulse, "chirp_rate");
  const std::string snr = Cut(pulse, "snr");
  const std::string thresh = Cut(pulse, "thresh");
  const std::string score = Score(snr, thresh, pulse);
  const std::string lenProf = Cut(pulse, "len_prof");
  const std::string pot = ConvertPot(Cut(pulse, "pot"), log);
  LogRow row;
  row.Quoted(resultName).Raw(score).Raw(peak).Raw(mean).Raw(period).Raw(ra).Raw(decl);
  row.Raw(time).Raw(freq).Raw(fftLen).Raw(chirpRate).Raw(snr).Raw(thresh).Raw(lenProf);
  row.Raw(pot);
  return row.Text();
}

std::string TripletRow(const std::string& resultName, std::string triplet) {
  LogRow row;
  row.Quoted(resultName);
  for (const char* tag : {"peak_power", "mean_power", "period", "ra", "decl", "time", "freq",
                          "fft_len", "chirp_rate"}) {
    row.Raw(Cut(triplet, tag));
  }
  return row.Text();
}

// Calls `write` for every element called `name` of `text`, in order, counting each one
// before it is written.
template <class Write>
void ForEachElement(const std::string& text, std::string_view name, std::uint32_t& count,
                    Write write) {
  std::size_t position = 0;
  std::string element;
  while (NextTag(text, name, position, element)) {
    ++count;
    write(std::move(element));
  }
}

bool OnlyBlanksFrom(std::string_view text, std::size_t at) {
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c != ' ' && c != '\r' && c != '\n')
      return false;
  }
  return true;
}

std::int32_t PotValue(std::string_view item, ExceptionLog& log) {
  std::int32_t value = kMaxPotValue + 1;
  try {
    value = DigitsToInt(item, false);
  } catch (const std::out_of_range&) {
    // Too many digits for 32 bits: far above 255, clipped like any other such item.
  }
  if (value > kMaxPotValue) {
    log.LogException("ConvertPot - Item exceeds 255");
    value = kMaxPotValue;
  }
  return value;
}

}  // namespace

std::string ConvertPot(std::string_view pot, ExceptionLog& log) {
  std::string hex;
  std::size_t at = 0;
  do {
    const std::size_t comma = pot.find(',', at);
    const std::size_t end = comma == std::string_view::npos ? pot.size() : comma;
    const std::int32_t value = PotValue(pot.substr(at, end - at), log);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(value));
    hex += digits;
    at = comma == std::string_view::npos ? pot.size() : comma + 1;
  } while (!OnlyBlanksFrom(pot, at));
  return hex;
}

SahSignalCounts LogResultSah(const Environment& env, ProjectLogIndex& index,
                             const std::string& resultName) {
  SahSignalCounts counts;
  if (!AcceptBackupName(resultName, "LogResultSah", env.exceptions))
    return counts;
  const std::string& dir = env.logDir;
  const std::string result =
      FileAsString(dir + resultName + logs::kBackupExtension, env.exceptions);
  std::string spikes;
  std::string gaussians;
  std::string pulses;
  std::string triplets;
  auto line = [](std::string& rows, const std::string& row) {
    rows += row;
    rows += logs::kLineBreak;
  };
  ForEachElement(result, "spike", counts.spikes, [&](std::string element) {
    line(spikes, SpikeRow(resultName, std::move(element)));
  });
  ForEachElement(result, "gaussian", counts.gaussians, [&](std::string element) {
    line(gaussians, GaussianRow(resultName, std::move(element), env.exceptions));
  });
  ForEachElement(result, "pulse", counts.pulses, [&](std::string element) {
    line(pulses, PulseRow(resultName, std::move(element), env.exceptions));
  });
  ForEachElement(result, "triplet", counts.triplets, [&](std::string element) {
    line(triplets, TripletRow(resultName, std::move(element)));
  });
  const std::string logged = LoggedText(resultName);
  WriteSignalRows(index, dir + logs::kSahSpikeCsv, logs::kSahSpikeHeader, logged, spikes);
  WriteSignalRows(index, dir + logs::kSahGaussianCsv, logs::kSahGaussianHeader, logged, gaussians);
  WriteSignalRows(index, dir + logs::kSahPulseCsv, logs::kSahPulseHeader, logged, pulses);
  WriteSignalRows(index, dir + logs::kSahTripletCsv, logs::kSahTripletHeader, logged, triplets);
  return counts;
}

}  // namespace tessarin
