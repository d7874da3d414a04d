#include "core/tools/run_parts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace tessarin {
namespace {

// Every part runs once whatever the number of threads, even after others failed, and the
// failure of the lowest part is the one that comes out.
TEST(RunPartsTest, EveryPartOnceAndTheFirstFailure) {
  for (std::size_t threads : {1u, 2u, 5u, 40u}) {
    std::vector<std::atomic<int>> runs(23);
    try {
      RunParts(runs.size(), threads, [&](std::size_t part) {
        ++runs[part];
        if (part == 7 || part == 3)
          throw std::runtime_error("part " + std::to_string(part));
      });
      ADD_FAILURE() << "no failure came out";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "part 3");
    }
    for (const std::atomic<int>& count : runs)
      EXPECT_EQ(count, 1) << threads << " threads";
  }
}

}  // namespace
}  // namespace tessarin
