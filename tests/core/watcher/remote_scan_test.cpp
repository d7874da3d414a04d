// Remote clients in real watch cycles, against fake GUI RPC clients on 127.0.0.1.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "core/remote/remote_address.h"
#include "core/remote/remote_clients.h"
#include "core/settings/settings_keys.h"
#include "core/tools/csv.h"
#include "core/tools/text.h"
#include "support/fake_rpc_server.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kUrl = "http://127.0.0.1:8080/loopback/";

std::string RunningTask(const std::string& state, const std::string& cpu) {
  return "<active_task>\n<active_task_state>" + state +
         "</active_task_state>\n<slot>1</slot>\n<checkpoint_cpu_time>10.0</checkpoint_cpu_time>\n"
         "<fraction_done>0.250000</fraction_done>\n<current_cpu_time>" +
         cpu + "</current_cpu_time>\n<elapsed_time>130.5</elapsed_time>\n</active_task>\n";
}

// get_state's inside: no file names in results, the active task inside its result.
std::string RemoteState(const std::string& results) {
  const std::string full = ClientStateXml(
      ProjectXml(kUrl, "Loopback Test Project", "<resource_share>100</resource_share>\n") +
      WorkunitXml("wu_3", "loopapp", "100", "1e12", {}) +
      WorkunitXml("wu_2", "loopapp", "100", "1e12", {}) +
      WorkunitXml("wu_1", "loopapp", "100", "1e12", {}) + results);
  return full.substr(std::string("<client_state>\n").size(),
                     full.size() - std::string("<client_state>\n</client_state>\n").size());
}

std::string RemoteResult(const std::string& name, const std::string& wu, int state,
                         const std::string& extra = "") {
  return "<result>\n<name>" + name + "</name>\n<wu_name>" + wu +
         "</wu_name>\n<report_deadline>1797304121.000000</report_deadline>\n<state>" +
         std::to_string(state) + "</state>\n<final_cpu_time>59.8</final_cpu_time>\n" + extra +
         "</result>\n";
}

// What a fake client serves, changed by the test between cycles.
class ChangingClient {
 public:
  void Set(std::string state, std::string oldResults) {
    std::lock_guard lock(mutex_);
    state_ = std::move(state);
    oldResults_ = std::move(oldResults);
  }
  std::string State() {
    std::lock_guard lock(mutex_);
    return state_;
  }
  std::string OldResults() {
    std::lock_guard lock(mutex_);
    return oldResults_;
  }

 private:
  std::mutex mutex_;
  std::string state_;
  std::string oldResults_;
};

struct RemoteFixture : WatcherFixture, ::testing::Test {
  RemoteFixture() { env.settings.EraseSection(sections::kBoincDirs); }

  void Watch(int port, bool enabled = true) {
    WriteRemoteClients(env.settings, {{RemoteAddress{"127.0.0.1", port}, enabled, ""}});
  }

  // The rows of boinc.csv without its header.
  std::vector<std::string> Rows() const {
    const std::string log = ReadLog("boinc.csv");
    std::vector<std::string> rows;
    std::size_t start = log.find("\r\n");
    while (start != std::string::npos) {
      const std::size_t end = log.find("\r\n", start + 2);
      rows.push_back(log.substr(start + 2, end == std::string::npos ? end : end - start - 2));
      start = end;
    }
    return rows;
  }
};

// A running task becomes a cell from the RPC data; a finished result is logged once, dated by
// its completed time, without project logs; a result reported between two looks is logged
// from get_old_results with what the earlier state said of it.
TEST_F(RemoteFixture, ShowsRunningTasksAndLogsEveryFinishedResultOnce) {
  ChangingClient client;
  client.Set(RemoteState(RemoteResult("wu_1_0", "wu_1", 2, RunningTask("1", "100.5")) +
                         RemoteResult("wu_2_0", "wu_2", 2) +
                         RemoteResult("wu_3_0", "wu_3", 5,
                                      "<completed_time>1765000000.0</completed_time>\n")),
             "");
  FakeRpcServer server(FakeRpcServer::Client(
      "pw", [&] { return client.State(); }, [&] { return client.OldResults(); }));
  StoreTypedPassword(env.programDir, RemoteAddress{"127.0.0.1", server.port()}.Key(), "pw");
  Watch(server.port());

  CycleOutcome first = Cycle();
  ASSERT_TRUE(first.published);
  ASSERT_EQ(reader.facts.size(), 1u);
  const ActiveTaskFacts& task = reader.facts[0];
  EXPECT_TRUE(task.remote);
  EXPECT_EQ(task.resultName, "wu_1_0");
  EXPECT_EQ(task.projectName, "Loopback Test Project");
  EXPECT_EQ(task.appName, "loopapp");
  EXPECT_EQ(task.checkpointCpuTime, 100.5);
  EXPECT_EQ(task.percentDone, 25);
  EXPECT_EQ(task.progress, ProgressStatus::kActive);
  EXPECT_EQ(task.queuedCount, 2);
  EXPECT_EQ(task.resultCount, 3);
  EXPECT_EQ(task.host.domain_name, "alpha");
  EXPECT_EQ(task.projectDir, "");
  EXPECT_TRUE(loggers.calls.empty());
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(CsvField(Rows()[0], 1), "2025.12.06 05:46:40");
  EXPECT_EQ(CsvField(Rows()[0], 42), "wu_3_0");
  EXPECT_FALSE(first.results.empty());

  // wu_1_0 finished and was reported before the next look.
  client.Set(RemoteState(RemoteResult("wu_2_0", "wu_2", 2, RunningTask("9", "3")) +
                         RemoteResult("wu_3_0", "wu_3", 5)),
             "<old_result>\n<project_url>" + std::string(kUrl) +
                 "</project_url>\n<result_name>wu_1_0</result_name>\n<app_name>loopapp</app_name>\n"
                 "<exit_status>0</exit_status>\n<elapsed_time>200</elapsed_time>\n<cpu_time>199.5</"
                 "cpu_time>\n"
                 "<completed_time>1765000100.0</completed_time>\n</old_result>\n");
  Cycle();
  Cycle();
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(CsvField(rows[1], 1), "2025.12.06 05:48:20");
  EXPECT_EQ(CsvField(rows[1], 2), "Loopback Test Project");
  EXPECT_EQ(CsvField(rows[1], 3), "loopapp");
  EXPECT_EQ(CsvField(rows[1], 36), "1797304121");  // deadline, from the earlier state
  EXPECT_EQ(CsvField(rows[1], 40), "1.00");        // app_version
  EXPECT_EQ(CsvField(rows[1], 41), "wu_1");
  EXPECT_EQ(CsvField(rows[1], 42), "wu_1_0");
  EXPECT_EQ(CsvField(rows[1], 43), "199.5");
  EXPECT_EQ(CsvField(rows[1], 45), "false");
  EXPECT_EQ(reader.facts.back().progress, ProgressStatus::kSuspended);
  EXPECT_TRUE(loggers.calls.empty());
}

// An unreachable client is one lost cell with its reason, counted once per change of reason;
// a refused password is not offered again within a minute.
TEST_F(RemoteFixture, LostClientShowsItsReasonAndAWrongPasswordWaitsAMinute) {
  test::FakeRpcServer server(FakeRpcServer::Client("right", RemoteState("")));
  const std::string key = RemoteAddress{"127.0.0.1", server.port()}.Key();
  StoreTypedPassword(env.programDir, key, "wrong");
  Watch(server.port());

  Cycle();
  Cycle();
  ASSERT_EQ(reader.facts.size(), 2u);
  EXPECT_TRUE(reader.facts[0].clientState.empty());
  EXPECT_EQ(reader.facts[0].clientDir, key);
  EXPECT_EQ(reader.facts[0].lostReason, "wrong password");
  EXPECT_EQ(reader.facts[1].lostReason, "wrong password");
  EXPECT_EQ(server.connections(), 1);
  EXPECT_EQ(test.ExceptionCount("Remote client " + key + " - wrong password"), 1);
  for (const std::string& exception : test.ExceptionKeys())
    EXPECT_EQ(exception.find("wrong -"), std::string::npos) << exception;

  test.clock.Advance(61);
  Cycle();
  EXPECT_EQ(server.connections(), 2);

  StoreTypedPassword(env.programDir, key, "right");  // a new password is tried at once
  test.clock.Advance(1);
  Cycle();
  EXPECT_EQ(server.connections(), 3);
  EXPECT_FALSE(reader.facts.back().clientState.empty());
  EXPECT_EQ(reader.facts.back().lostReason, "");

  Watch(server.port(), false);
  const std::size_t seen = reader.facts.size();
  Cycle();
  EXPECT_EQ(reader.facts.size(), seen);  // a disabled client is not shown
  EXPECT_EQ(server.connections(), 3);
}

// Each client waits for the other to be asked before it answers: asked one after the other,
// the first would give up.
TEST_F(RemoteFixture, AsksAllClientsAtTheSameTime) {
  std::atomic<int> asked{0};
  auto client = FakeRpcServer::Client("", RemoteState(""));
  auto waitingClient = [&](const std::string& request) {
    if (request.find("<get_state/>") != std::string::npos) {
      ++asked;
      for (int i = 0; i < 300 && asked < 2; ++i)
        std::this_thread::sleep_for(10ms);
      if (asked < 2)
        return FakeReply{"", 0ms, true};
    }
    return client(request);
  };
  FakeRpcServer first(waitingClient);
  FakeRpcServer second(waitingClient);
  WriteRemoteClients(env.settings, {{RemoteAddress{"127.0.0.1", first.port()}, true, ""},
                                    {RemoteAddress{"127.0.0.1", second.port()}, true, ""}});
  Cycle();
  ASSERT_EQ(reader.facts.size(), 2u);
  EXPECT_EQ(reader.facts[0].lostReason, "");
  EXPECT_EQ(reader.facts[1].lostReason, "");
}

TEST(RemoteClients, SettingsAndPasswordsRoundTripAndStayPrivate) {
  TestEnvironment t;
  const std::vector<RemoteClientSetting> clients = {
      {RemoteAddress{"::1", 1043}, true, ""},
      {RemoteAddress{"boinc-box", 31416}, false, t.dir.Write("pw.cfg", "from file\r\nnext\n")},
  };
  WriteRemoteClients(t.settings, clients);
  const std::vector<RemoteClientSetting> read = ReadRemoteClients(t.settings);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].address.Key(), "[::1]:1043");
  EXPECT_TRUE(read[0].enabled);
  EXPECT_FALSE(read[1].enabled);
  EXPECT_EQ(ReadRemotePassword(read[1], t.env.programDir), "from file");
  EXPECT_EQ(ReadRemotePassword(read[0], t.env.programDir), "");

  StoreTypedPassword(t.env.programDir, "[::1]:1043", "typed=secret");
  EXPECT_EQ(ReadRemotePassword(read[0], t.env.programDir), "typed=secret");
  struct stat info {};
  ASSERT_EQ(::stat(CredentialsPath(t.env.programDir).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(t.dir.Read("Tessarin.ini").find("secret"), std::string::npos);
  StoreTypedPassword(t.env.programDir, "[::1]:1043", "");
  EXPECT_EQ(ReadRemotePassword(read[0], t.env.programDir), "");

  RemoteClientSetting missing = read[1];
  missing.passwordFile = t.dir.path() + "nowhere.cfg";
  EXPECT_THROW(ReadRemotePassword(missing, t.env.programDir), std::runtime_error);
}

}  // namespace
}  // namespace tessarin::test
