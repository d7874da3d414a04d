#include "core/display/screen_place.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessarin {
namespace {

TEST(ScreenPlace, ARememberedPlaceEndsOnAScreenThatExists) {
  const std::vector<ScreenRect> two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  const struct {
    const char* what;
    ScreenRect window;
    ScreenRect placed;
  } cases[] = {
      {"on the first screen", {100, 100, 420, 371}, {100, 100, 420, 371}},
      {"on the second screen", {2000, 50, 420, 371}, {2000, 50, 420, 371}},
      {"across both", {1800, 0, 420, 371}, {1800, 0, 420, 371}},
      {"partly off, its top edge still to grab", {3100, 500, 420, 371}, {3100, 500, 420, 371}},
      {"only its corner on a screen: the one it covers most",
       {3180, 1010, 420, 371},
       {2780, 653, 420, 371}},
      {"a monitor unplugged since", {3500, 200, 420, 371}, {1500, 200, 420, 371}},
      {"negative", {-5000, -300, 420, 371}, {0, 0, 420, 371}},
      {"huge", {INT_MAX - 10, INT_MAX - 10, 420, 371}, {1500, 709, 420, 371}},
      {"larger than the screen", {-10, -10, 3000, 2000}, {0, 0, 1920, 1080}},
      {"title bar above the top", {100, -10, 420, 371}, {100, 0, 420, 371}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlaceOnScreens(c.window, two), c.placed) << c.what;
  EXPECT_EQ(PlaceOnScreens({-5000, 1, 2, 3}, {}), (ScreenRect{-5000, 1, 2, 3}));
}

}  // namespace
}  // namespace tessarin
