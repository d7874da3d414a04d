#include "core/browsers/history_time_text.h"

#include <gtest/gtest.h>

#include "core/tools/date_time.h"
#include "history_test_time_zone.h"

namespace tessarin {
namespace {

TEST(LocalLogDateTest, SameTextAsFormatLogDate) {
  for (const char* zone : {"UTC0", "EST5EDT,M3.2.0,M11.1.0", "<+0530>-5:30", "<-0330>3:30"}) {
    const test::ScopedTimeZone scoped(zone);
    // Around 1970, the daylight changes of 2006, far past and far future, and large values.
    for (double seconds : {0.0, -1.0, -86400.0 * 365 * 200, 1136073600.0, 1141541999.0,
                           1141542000.0, 1162101599.0, 1162101600.0, 4102444800.0, 253402300799.0,
                           253402300800.0, 999999999999.0, 1e12, 5e13, -5e13}) {
      EXPECT_EQ(LocalLogDate(seconds), FormatLogDate(seconds)) << zone << " " << seconds;
    }
    for (double seconds = 1.0e9; seconds < 1.1e9; seconds += 86399.0 * 37) {
      ASSERT_EQ(LocalLogDate(seconds), FormatLogDate(seconds)) << zone << " " << seconds;
    }
  }
}

}  // namespace
}  // namespace tessarin
