#include "core/projects/sah_logger.h"

#include <gtest/gtest.h>

#include "core/seams/project_logger.h"

#include <filesystem>
#include <map>

#include "core/data/log_files.h"
#include "core/projects/project_log_index.h"
#include "core/settings/settings_keys.h"
#include "core/tools/csv.h"
#include "core/tools/text.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

const char* const kWu = "11ja09ab.1234.5678.10.20.99";
const char* const kResultName = "11ja09ab.1234.5678.10.20.99_1_0";

// A work-unit header as the splitter writes it, followed by encoded samples.
const char* const kWorkunitWithGroup = R"(<workunit>
<app_name>setiathome_v8</app_name>
<workunit_header>
<name>11ja09ab.1234.5678.10.20.99</name>
<group_info>
  <name>11ja09ab.1234.5678.10.20</name>
  <data_desc>
    <start_ra>14.853</start_ra>
    <start_dec>28.55</start_dec>
    <end_ra>14.911</end_ra>
    <end_dec>28.58</end_dec>
    <true_angle_range>0.775</true_angle_range>
    <time_recorded>Fri Mar  3 08:36:01 2000</time_recorded>
    <time_recorded_jd>2451606.85836</time_recorded_jd>
    <coords>
      <coordinate_t><time>2451606.85836</time><ra>14.853</ra><dec>28.55</dec></coordinate_t>
    </coords>
  </data_desc>
  <splitter_cfg>
    <version>0.17</version>
    <fft_len>2048</fft_len>
    <ifft_len>8</ifft_len>
  </splitter_cfg>
</group_info>
<subband_desc>
  <number>145</number>
  <center>1418920288.09</center>
  <base>1418916015.62</base>
  <sample_rate>9765.62</sample_rate>
</subband_desc>
</workunit_header>
<data length=64 encoding="x-setiathome">
DJJ32/(CG&\%:PSY]&BY\ M(NN46 \L1'^V?YQ?S)/+4V8/)L[NQG\H>.IMFIFG@
</data>
</workunit>)";

const char* const kWorkunitWithoutGroup = R"(<workunit_header>
<name>old.wu</name>
<subband_desc>
  <number>7</number>
  <center>1420000000.5</center>
  <base>1419999000.25</base>
  <sample_rate>9765.62</sample_rate>
</subband_desc>
</workunit_header>)";

// Every signal type; the pots run over several lines, as the science application writes
// them, and one gaussian has no chisqr so its own score is used.
const char* const kResult = R"(<result>
<workunit_header><name>11ja09ab.1234.5678.10.20.99</name></workunit_header>
<spike>
  <peak_power>22.395553588867</peak_power>
  <mean_power>1</mean_power>
  <time>2451606.8595251</time>
  <ra>14.909502836654</ra>
  <decl>28.58</decl>
  <freq>1418919354.6705</freq>
  <detection_freq>1418919461.2933</detection_freq>
  <fft_len>131072</fft_len>
  <chirp_rate>1.0592016409052</chirp_rate>
</spike>
<spike>
  <peak_power>22.5</peak_power>
  <ra>14.9</ra>
  <decl>28.5</decl>
  <time>2451606.86</time>
  <freq>1418919354.298</freq>
  <fft_len>65536</fft_len>
  <chirp_rate>-1.25</chirp_rate>
</spike>
<gaussian>
  <peak_power>3.1083626747131</peak_power>
  <mean_power>0.57625639438629</mean_power>
  <time>2451606.8589911</time>
  <ra>14.883054389246</ra>
  <decl>28.57</decl>
  <freq>1418915821.905</freq>
  <fft_len>16384</fft_len>
  <chirp_rate>39.173824038504</chirp_rate>
  <sigma>3.5095455646515</sigma>
  <chisqr>1.4116749763489</chisqr>
  <score>0</score>
  <max_power>9.5103559494019</max_power>
  <pot length=6 encoding="x-csv">
    7,9,13,
    255,200,0
  </pot>
</gaussian>
<gaussian>
  <peak_power>5</peak_power>
  <mean_power>0.5</mean_power>
  <time>2451606.87</time>
  <ra>14.89</ra>
  <decl>28.56</decl>
  <freq>1418915821.5</freq>
  <fft_len>16384</fft_len>
  <chirp_rate>0</chirp_rate>
  <sigma>3.5</sigma>
  <score>0.75</score>
  <max_power>9</max_power>
  <pot length=2 encoding="x-csv">1,2</pot>
</gaussian>
<pulse>
  <peak_power>5.9889302253723</peak_power>
  <mean_power>0.033245835453272</mean_power>
  <time>2451606.8594817</time>
  <ra>14.907301879412</ra>
  <decl>28.58</decl>
  <freq>1418921813.9569</freq>
  <fft_len>512</fft_len>
  <chirp_rate>-30.690968314047</chirp_rate>
  <period>2.3592972755432</period>
  <snr>13.391654968262</snr>
  <thresh>13.4002161026</thresh>
  <score>0</score>
  <len_prof>45</len_prof>
  <pot length=3 encoding="x-csv">0,17,255,
</pot>
</pulse>
<triplet>
  <peak_power>8.6426544189453</peak_power>
  <mean_power>0.0078867627307773</mean_power>
  <time>2451606.8592904</time>
  <ra>14.89751995747</ra>
  <decl>28.57</decl>
  <freq>1418924789.4192</freq>
  <fft_len>128</fft_len>
  <chirp_rate>0.9168656437853</chirp_rate>
  <period>0.54394906759262</period>
</triplet>
<best_spike><peak_power>99</peak_power></best_spike>
</result>)";

// The application's state file: each best signal wraps its signal and adds its score.
const char* const kState = R"(<ncfft>1234</ncfft>
<best_spike>
  <spike>
    <peak_power>23.786548614502</peak_power>
    <fft_len>131072</fft_len>
    <chirp_rate>5.2904626461966</chirp_rate>
  </spike>
  <bs_score>1.0812067552</bs_score>
  <bs_bin>40</bs_bin>
  <bs_fft_ind>3</bs_fft_ind>
</best_spike>
<best_gaussian>
  <gaussian>
    <peak_power>3.6199193000793</peak_power>
    <mean_power>0.51788127422333</mean_power>
    <fft_len>16384</fft_len>
    <chirp_rate>49.451592142226</chirp_rate>
    <sigma>3.5095455646515</sigma>
    <chisqr>1.2605501413345</chisqr>
    <pot length=2 encoding="x-csv">1,2</pot>
  </gaussian>
  <bg_score>0.2871</bg_score>
  <bg_bin>10</bg_bin>
  <bg_fft_ind>11</bg_fft_ind>
</best_gaussian>
<best_pulse>
  <pulse>
    <peak_power>5.9889302253723</peak_power>
    <mean_power>0.033245835453272</mean_power>
    <fft_len>512</fft_len>
    <chirp_rate>-30.690968314047</chirp_rate>
    <period>2.3592972755432</period>
    <snr>13.391654968262</snr>
    <thresh>13.4002161026</thresh>
  </pulse>
  <bp_score>0.99936</bp_score>
</best_pulse>
<best_triplet>
  <triplet>
    <peak_power>10.885553359985</peak_power>
    <mean_power>0.0038262107409537</mean_power>
    <fft_len>64</fft_len>
    <chirp_rate>-31.14940113594</chirp_rate>
    <period>4.2041363716125</period>
  </triplet>
  <bt_score>12.5</bt_score>
  <bt_bperiod>8.5</bt_bperiod>
  <bt_scale>2.25</bt_scale>
</best_triplet>)";

// Stand-in for the 43-column prefix.
// Column 40 holds the result name, as in the prefix the work-unit log builds.
std::string Prefix(const std::string& resultName = kResultName) {
  std::string prefix;
  for (int k = 1; k <= 42; ++k)
    prefix += (k == 40 ? '"' + resultName + '"' : "p" + std::to_string(k)) + ',';
  return prefix + "false,";
}

std::string Logs(const std::string& name) {
  return std::string("logs/") + name;
}

class SahLoggerTest : public ::testing::Test {
 protected:
  void WriteBackups(const std::string& workunit, bool withState = true) {
    t.dir.Write(Logs(std::string(kWu) + ".tess"), workunit);
    t.dir.Write(Logs(std::string(kWu) + ".xml"), "<workunit><name>x</name></workunit>");
    t.dir.Write(Logs(std::string(kResultName) + ".tess"), kResult);
    if (withState)
      t.dir.Write(Logs(std::string(kResultName) + "_state.tess"), kState);
  }

  void Log() { LogSah(t.env, index, flags, Prefix(), kResultName, kWu); }

  bool Exists(const std::string& name) const {
    return std::filesystem::exists(t.env.logDir + name);
  }

  // Rows of a result log after its header, by column name.
  std::vector<std::map<std::string, std::string>> Rows(const char* file, const char* header) const {
    const std::string log = t.dir.Read(Logs(file));
    EXPECT_EQ(log.rfind(header, 0), 0u);
    EXPECT_NE(log.substr(log.size() - 1), "\n");
    const FieldArray names = SplitCsvLine(header, ',', true);
    const int count = CountFields(header, ',');
    std::vector<std::map<std::string, std::string>> rows;
    std::size_t at = std::string(header).size();
    while (at < log.size()) {
      EXPECT_EQ(log.compare(at, 2, "\r\n"), 0);
      at += 2;
      const std::size_t end = std::min(log.find("\r\n", at), log.size());
      const std::string line = log.substr(at, end - at);
      EXPECT_EQ(CountFields(line, ','), count) << line;
      const FieldArray fields = SplitCsvLine(line, ',', false);
      std::map<std::string, std::string> row;
      for (int k = 1; k <= count; ++k)
        row[names[k]] = fields[k];
      rows.push_back(row);
      at = end;
    }
    return rows;
  }

  test::TestEnvironment t;
  CycleFlags flags;
  ProjectLogIndex index;
};

TEST_F(SahLoggerTest, RowCarriesTheWorkunitTheBestSignalsAndTheCounts) {
  WriteBackups(kWorkunitWithGroup);
  Log();

  const auto rows = Rows(logs::kSahCsv, logs::kSahHeader);
  ASSERT_EQ(rows.size(), 1u);
  auto row = rows[0];
  EXPECT_EQ(row["date"], "p1");
  EXPECT_EQ(row["error"], "false");
  const std::map<std::string, std::string> expected = {
      {"start_ra", "14.853"},
      {"start_dec", "28.55"},
      {"end_ra", "14.911"},
      {"end_dec", "28.58"},
      {"angle_range", "0.775"},
      {"time_recorded", "2451606.85836"},
      {"subband_center", "1418920288.09"},
      {"subband_base", "1418916015.62"},
      {"subband_sample_rate", "9765.62"},
      {"fft_len", "2048"},
      {"ifft_len", "8"},
      {"subband_number", "145"},
      {"bs_score", "1.0812067552"},
      {"bs_power", "23.786548614502"},
      {"bs_bin", "40"},
      {"bs_fft_ind", "3"},
      {"bs_chirp_rate", "5.2904626461966"},
      {"bs_fft_len", "131072"},
      {"spike_count", "2"},
      {"bg_score", "0.2871"},
      {"bg_power", "3.6199193000793"},
      {"bg_chisq", "1.2605501413345"},
      {"bg_bin", "10"},
      {"bg_fft_ind", "11"},
      {"bg_chirp_rate", "49.451592142226"},
      {"bg_fft_len", "16384"},
      {"bg_sigma", "3.5095455646515"},
      {"bg_true_mean", "0.51788127422333"},
      {"gaussian_count", "2"},
      {"bp_score", "0.99936"},
      {"bp_power", "5.9889302253723"},
      {"bp_mean", "0.033245835453272"},
      {"bp_period", "2.3592972755432"},
      {"bp_chirp_rate", "-30.690968314047"},
      {"bp_fft_len", "512"},
      {"bp_snr", "13.391654968262"},
      {"bp_thresh", "13.4002161026"},
      {"pulse_count", "1"},
      {"bt_score", "12.5"},
      {"bt_power", "10.885553359985"},
      {"bt_mean", "0.0038262107409537"},
      {"bt_period", "4.2041363716125"},
      {"bt_bperiod", "8.5"},
      {"bt_chirp_rate", "-31.14940113594"},
      {"bt_scale", "2.25"},
      {"bt_fft_len", "64"},
      {"triplet_count", "1"},
  };
  for (const auto& [column, value] : expected)
    EXPECT_EQ(row[column], value) << column;
  EXPECT_TRUE(flags.wallpaperRequest);
}

TEST_F(SahLoggerTest, WorkunitWithoutGroupInfoLeavesItsColumnsEmpty) {
  WriteBackups(kWorkunitWithoutGroup);
  Log();

  auto row = Rows(logs::kSahCsv, logs::kSahHeader).at(0);
  for (const char* column : {"start_ra", "start_dec", "end_ra", "end_dec", "angle_range",
                             "time_recorded", "fft_len", "ifft_len"}) {
    EXPECT_EQ(row[column], "") << column;
  }
  EXPECT_EQ(row["subband_number"], "7");
  EXPECT_EQ(row["subband_center"], "1420000000.5");
  EXPECT_EQ(row["subband_base"], "1419999000.25");
}

TEST_F(SahLoggerTest, MissingStateLeavesBestSignalsEmptyButCountsStay) {
  WriteBackups(kWorkunitWithGroup, false);
  Log();

  auto row = Rows(logs::kSahCsv, logs::kSahHeader).at(0);
  for (const char* column : {"bs_score", "bs_power", "bg_score", "bp_thresh", "bt_fft_len"}) {
    EXPECT_EQ(row[column], "") << column;
  }
  EXPECT_EQ(row["spike_count"], "2");
  EXPECT_EQ(row["gaussian_count"], "2");
  EXPECT_EQ(row["pulse_count"], "1");
  EXPECT_EQ(row["triplet_count"], "1");
}

TEST_F(SahLoggerTest, MissingWorkunitBackupIsOwedAndKeepsTheOtherBackups) {
  // Not there yet (a full disk, a log directory away): thrown, so the row is asked again.
  t.dir.Write(Logs(std::string(kResultName) + ".tess"), kResult);
  t.dir.Write(Logs(std::string(kResultName) + "_state.tess"), kState);
  EXPECT_THROW(Log(), ProjectRowNotReady);

  EXPECT_FALSE(Exists(logs::kSahCsv));
  EXPECT_FALSE(Exists(logs::kSahSpikeCsv));
  EXPECT_TRUE(Exists(std::string(kResultName) + "_state.tess"));
  EXPECT_FALSE(flags.wallpaperRequest);
}

TEST_F(SahLoggerTest, SignalLogsGetOneRowPerSignal) {
  WriteBackups(kWorkunitWithGroup);
  Log();

  const std::string q = std::string("\"") + kResultName + "\"";
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahSpikeCsv)),
            std::string(logs::kSahSpikeHeader) + "\r\n" + q +
                ",22.395553588867,14.909502836654,28.58,2451606.8595251,1418919354.6705,131072,"
                "1.0592016409052\r\n" +
                q + ",22.5,14.9,28.5,2451606.86,1418919354.298,65536,-1.25\r\n");
  // Score peak/chisqr with 8 digits; without chisqr the gaussian's own score.
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahGaussianCsv)),
            std::string(logs::kSahGaussianHeader) + "\r\n" + q +
                ",2.2018968,3.1083626747131,1.4116749763489,0.57625639438629,14.883054389246,"
                "28.57,2451606.8589911,1418915821.905,3.5095455646515,16384,39.173824038504,"
                "9.5103559494019,07090DFFC800\r\n" +
                q + ",0.75,5,,0.5,14.89,28.56,2451606.87,1418915821.5,3.5,16384,0,9,0102\r\n");
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahPulseCsv)),
            std::string(logs::kSahPulseHeader) + "\r\n" + q +
                ",0.99936112,5.9889302253723,0.033245835453272,2.3592972755432,14.907301879412,"
                "28.58,2451606.8594817,1418921813.9569,512,-30.690968314047,13.391654968262,"
                "13.4002161026,45,0011FF\r\n");
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahTripletCsv)),
            std::string(logs::kSahTripletHeader) + "\r\n" + q +
                ",8.6426544189453,0.0078867627307773,0.54394906759262,14.89751995747,28.57,"
                "2451606.8592904,1418924789.4192,128,0.9168656437853\r\n");
}

TEST_F(SahLoggerTest, SecondResultAppendsWithoutHeadersAndNoResultIsWrittenTwice) {
  WriteBackups(kWorkunitWithGroup);
  Log();
  // The same result again, in this run and after a restart (a fresh index): nothing.
  WriteBackups(kWorkunitWithGroup);
  Log();
  ProjectLogIndex afterRestart;
  LogSah(t.env, afterRestart, flags, Prefix(), kResultName, kWu);
  WriteBackups(kWorkunitWithGroup);
  t.dir.Write(Logs("other_0.tess"), kResult);
  LogSah(t.env, index, flags, Prefix("other_0"), "other_0", kWu);

  EXPECT_EQ(Rows(logs::kSahCsv, logs::kSahHeader).size(), 2u);
  const std::string spikes = t.dir.Read(Logs(logs::kSahSpikeCsv));
  EXPECT_EQ(spikes.find(logs::kSahSpikeHeader, 1), std::string::npos);
  EXPECT_EQ(CountFields(spikes, '\n'), 6);  // header, four rows, nothing after the last break
}

TEST_F(SahLoggerTest, OnlySpikesStillCreatesEveryHeader) {
  t.dir.Write(Logs(std::string(kWu) + ".tess"), kWorkunitWithGroup);
  t.dir.Write(Logs(std::string(kResultName) + ".tess"),
              "<spike><peak_power>1</peak_power></spike><spike></spike><spike><ra>2</ra></spike>"
              "<spike><ra>3</ra></spike>");
  const SahSignalCounts counts = LogResultSah(t.env, index, kResultName);

  // An empty element is a signal too, and the walk goes on past it.
  EXPECT_EQ(counts.spikes, 4u);
  EXPECT_EQ(counts.gaussians + counts.pulses + counts.triplets, 0u);
  EXPECT_EQ(CountFields(t.dir.Read(Logs(logs::kSahSpikeCsv)), '\n'), 6);
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahGaussianCsv)),
            std::string(logs::kSahGaussianHeader) + "\r\n");
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahPulseCsv)), std::string(logs::kSahPulseHeader) + "\r\n");
  EXPECT_EQ(t.dir.Read(Logs(logs::kSahTripletCsv)), std::string(logs::kSahTripletHeader) + "\r\n");
}

TEST_F(SahLoggerTest, DefaultBackupOptionsKeepOnlyTheResultCopy) {
  WriteBackups(kWorkunitWithGroup);
  Log();

  EXPECT_TRUE(Exists(std::string(kResultName) + ".tess"));
  EXPECT_FALSE(Exists(std::string(kResultName) + "_state.tess"));
  EXPECT_FALSE(Exists(std::string(kWu) + ".tess"));
  EXPECT_FALSE(Exists(std::string(kWu) + ".xml"));
}

TEST_F(SahLoggerTest, BackupOptionsDecideWhatStays) {
  t.settings.Write(settings::kBackupResult, false);
  WriteBackups(kWorkunitWithGroup);
  Log();
  EXPECT_FALSE(Exists(std::string(kResultName) + ".tess"));

  t.settings.Write(settings::kBackupState, true);
  t.settings.Write(settings::kBackupWU, true);
  t.settings.Write(settings::kBackupResult, true);
  WriteBackups(kWorkunitWithGroup);
  Log();
  EXPECT_TRUE(Exists(std::string(kResultName) + ".tess"));
  EXPECT_TRUE(Exists(std::string(kResultName) + "_state.tess"));
  EXPECT_TRUE(Exists(std::string(kWu) + ".tess"));
  EXPECT_TRUE(Exists(std::string(kWu) + ".xml"));
}

TEST_F(SahLoggerTest, FailedRowKeepsBackupsAndRaisesNoWallpaper) {
  WriteBackups(kWorkunitWithGroup);
  t.dir.MakeDir(Logs(logs::kSahCsv));  // cannot be opened for writing

  EXPECT_THROW(Log(), std::exception);
  EXPECT_TRUE(Exists(std::string(kResultName) + "_state.tess"));
  EXPECT_TRUE(Exists(std::string(kWu) + ".tess"));
  EXPECT_FALSE(flags.wallpaperRequest);
}

TEST_F(SahLoggerTest, AFailingSignalLogHoldsBackTheRowUntilEveryLogHoldsTheResultOnce) {
  WriteBackups(kWorkunitWithGroup);
  t.dir.MakeDir(Logs(logs::kSahTripletCsv));
  EXPECT_THROW(Log(), std::exception);
  EXPECT_FALSE(Exists(logs::kSahCsv));
  EXPECT_TRUE(Exists(std::string(kWu) + ".tess"));

  std::filesystem::remove(t.env.logDir + logs::kSahTripletCsv);
  Log();
  Log();
  const auto rows = Rows(logs::kSahCsv, logs::kSahHeader);
  ASSERT_EQ(rows.size(), 1u);
  const std::pair<const char*, const char*> signalLogs[] = {
      {logs::kSahSpikeCsv, "spike_count"},
      {logs::kSahGaussianCsv, "gaussian_count"},
      {logs::kSahPulseCsv, "pulse_count"},
      {logs::kSahTripletCsv, "triplet_count"}};
  for (const auto& [file, column] : signalLogs) {
    // The header line and one line per signal, each ending with a line break.
    EXPECT_EQ(CountFields(t.dir.Read(Logs(file)), '\n') - 2, std::stoi(rows[0].at(column))) << file;
  }
}

TEST_F(SahLoggerTest, NamesThatLeaveTheLogDirectoryAreRefused) {
  t.settings.Write(settings::kBackupResult, false);
  // Would be read and deleted as "../victim" + ".tess" if the name were used.
  t.dir.Write("victim.tess", kWorkunitWithGroup);
  t.dir.Write("victim_state.tess", kState);
  for (const char* name : {"../victim", "..", ".", "", "a/b", "a\\b"}) {
    LogSah(t.env, index, flags, Prefix(), name, kWu);
    LogSah(t.env, index, flags, Prefix(), kResultName, name);
  }

  EXPECT_EQ(t.ExceptionCount("LogSah - Unsafe file name"), 12);
  EXPECT_TRUE(std::filesystem::exists(t.dir.path() + "victim.tess"));
  EXPECT_TRUE(std::filesystem::exists(t.dir.path() + "victim_state.tess"));
  EXPECT_FALSE(Exists(logs::kSahCsv));
  EXPECT_FALSE(flags.wallpaperRequest);
}

TEST_F(SahLoggerTest, ValuesCannotBreakTheRow) {
  std::string workunit = kWorkunitWithGroup;
  workunit.replace(workunit.find("14.853"), 6, "1,2\r\n\"3");
  WriteBackups(workunit);
  Log();

  auto row = Rows(logs::kSahCsv, logs::kSahHeader).at(0);
  EXPECT_EQ(row["start_ra"], "1 2   3");
  EXPECT_EQ(row["start_dec"], "28.55");
}

TEST(ConvertPotTest, ItemsBecomeTwoHexDigits) {
  test::TestEnvironment t;
  EXPECT_EQ(ConvertPot("0,17,255", t.exceptions), "0011FF");
  EXPECT_EQ(ConvertPot("\n  0,17,\r\n  255,\r\n", t.exceptions), "0011FF");
  EXPECT_EQ(ConvertPot("", t.exceptions), "00");
  EXPECT_EQ(ConvertPot(" , 5", t.exceptions), "0005");
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST(ConvertPotTest, ItemsAbove255AreClippedAndCounted) {
  test::TestEnvironment t;
  EXPECT_EQ(ConvertPot("300,1", t.exceptions), "FF01");
  // Too many digits for 32 bits is just as far above 255.
  EXPECT_EQ(ConvertPot("1,99999999999999999999,2", t.exceptions), "01FF02");
  EXPECT_EQ(t.ExceptionCount("ConvertPot - Item exceeds 255"), 2);
}

}  // namespace
}  // namespace tessarin
