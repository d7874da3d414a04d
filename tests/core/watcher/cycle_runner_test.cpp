#include "core/watcher/cycle_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <vector>

#include "core/settings/settings_keys.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Notes when each cycle reaches its task, and can hold it there.
class GateReader final : public TaskDetailReader {
 public:
  void GetSlot(const ActiveTaskFacts&, ResultList&, DisplayList& display) override {
    std::unique_lock lock(mutex);
    if (++inside > 1)
      overlapped = true;
    starts.push_back(Clock::now());
    changed.notify_all();
    changed.wait(lock, [&] { return open; });
    display.emplace_back();
    --inside;
  }
  std::mutex mutex;
  std::condition_variable changed;
  bool open = true;
  int inside = 0;
  bool overlapped = false;
  std::vector<Clock::time_point> starts;
};

struct CycleRunnerTest : ::testing::Test {
  CycleRunnerTest() {
    fixture.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home")));
    cycle = std::make_unique<WatchCycle>(fixture.env, reader, fixture.loggers, fixture.launcher);
    runner = std::make_unique<CycleRunner>(*cycle, [this](CycleOutcome outcome) {
      const std::lock_guard lock(reader.mutex);
      ends.push_back(Clock::now());
      published.push_back(outcome.published);
      reader.changed.notify_all();
    });
  }
  // Waits until `count` cycles have ended; false after a generous timeout.
  bool WaitForEnds(std::size_t count) {
    std::unique_lock lock(reader.mutex);
    return reader.changed.wait_for(lock, 10s, [&] { return ends.size() >= count; });
  }

  WatcherFixture fixture;
  GateReader reader;
  std::unique_ptr<WatchCycle> cycle;
  std::vector<Clock::time_point> ends;
  std::vector<bool> published;
  std::unique_ptr<CycleRunner> runner;
};

TEST_F(CycleRunnerTest, CyclesFollowOneAnotherWithThePauseAfterEachEnd) {
  fixture.test.settings.Write(settings::kTimer, 0);
  runner->Start(0ms);
  ASSERT_TRUE(WaitForEnds(3));
  runner->Stop();
  const std::lock_guard lock(reader.mutex);
  EXPECT_FALSE(reader.overlapped);
  for (std::size_t n = 0; n + 1 < ends.size() && n + 1 < reader.starts.size(); ++n) {
    EXPECT_GE(reader.starts[n + 1] - ends[n], 95ms);
  }
  EXPECT_EQ(published, std::vector<bool>(published.size(), true));
}

TEST_F(CycleRunnerTest, StopLetsTheCycleInProgressEnd) {
  {
    const std::lock_guard lock(reader.mutex);
    reader.open = false;
  }
  runner->Start(0ms);
  {
    std::unique_lock lock(reader.mutex);
    ASSERT_TRUE(reader.changed.wait_for(lock, 10s, [&] { return reader.inside == 1; }));
  }
  auto stopped = std::async(std::launch::async, [&] { runner->Stop(); });
  EXPECT_EQ(stopped.wait_for(100ms), std::future_status::timeout);
  {
    const std::lock_guard lock(reader.mutex);
    reader.open = true;
  }
  reader.changed.notify_all();
  stopped.get();
  const std::lock_guard lock(reader.mutex);
  EXPECT_EQ(ends.size(), 1u);
  EXPECT_EQ(reader.starts.size(), 1u);
}

TEST_F(CycleRunnerTest, StopDuringThePauseStartsNoFurtherCycle) {
  runner->Start(20s);
  const auto before = Clock::now();
  runner->Stop();
  EXPECT_LT(Clock::now() - before, 5s);
  EXPECT_TRUE(ends.empty());
}

TEST_F(CycleRunnerTest, ANewIntervalRestartsThePauseInProgress) {
  runner->Start(0ms);  // then Options/timer, 60 s
  ASSERT_TRUE(WaitForEnds(1));
  runner->Reschedule(10ms);
  EXPECT_TRUE(WaitForEnds(2));
  runner->Stop();
}

}  // namespace
}  // namespace tessarin::test
