#include <gtest/gtest.h>

#include "sprite/sprite_window_placement.h"

TEST(SpritePlacement, OnlyASpriteTooLittleOfWhichShowsIsMovedOntoItsNearestWorkArea) {
  const MonitorInfo primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true};
  const MonitorInfo left{{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, 144, false};
  const std::vector<MonitorInfo> one{primary};
  const std::vector<MonitorInfo> two{left, primary};
  struct Case {
    const char* what;
    const std::vector<MonitorInfo>& monitors;
    Rect window;
    std::optional<Point> moved;
  };
  const Case cases[] = {
      {"fully visible", one, {100, 100, 132, 132}, std::nullopt},
      {"16 px showing at the right", one, {1904, 500, 1936, 532}, std::nullopt},
      {"10 px showing at the right", one, {1910, 500, 1942, 532}, Point{1888, 500}},
      {"behind the taskbar", one, {500, 1030, 532, 1062}, Point{500, 1008}},
      {"on a removed monitor", one, {-1000, 100, -968, 132}, Point{0, 100}},
      {"far away", one, {-3000, -3000, -2968, -2968}, Point{0, 0}},
      {"negative, on the left monitor", two, {-1000, 100, -968, 132}, std::nullopt},
      {"far away, the left monitor nearer", two, {-3000, -3000, -2968, -2968}, Point{-1920, 0}},
      {"below both work areas, more on the left", two, {-20, 1050, 12, 1082}, Point{-32, 1008}},
      {"larger than the work area", one, {5000, 5000, 8000, 7000}, Point{0, 0}},
      {"small and whole at the edge", one, {1912, 0, 1920, 8}, std::nullopt},
      {"small and cut at the edge", one, {1915, 0, 1923, 8}, Point{1912, 0}},
      {"no monitors at all", {}, {-3000, -3000, -2968, -2968}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RescuedPosition(c.window, c.monitors), c.moved) << c.what;
}

TEST(SpritePlacement, ANewSpriteStepsAcrossTheMiddleOfThePrimaryWorkAreaToAClearSpot) {
  const MonitorInfo left{{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, 96, false};
  const std::vector<MonitorInfo> monitors{left, {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true}};
  const Rect middle{944, 504, 976, 536};  // a 32 x 32 sprite in the middle
  const std::pair<std::vector<Rect>, Point> cases[] = {
      {{{0, 0, 320, 240}}, {944, 504}},              // the control window is not in the way
      {{middle}, {984, 504}},                         // then right of the middle
      {{middle, {984, 504, 1016, 536}}, {904, 504}},  // then left of it
      {{{975, 535, 1100, 600}}, {904, 504}},          // a pixel of overlap counts
      {{{0, 480, 1920, 540}}, {944, 544}},            // the middle row taken: the row below
      {{{0, 64, 1920, 1040}}, {944, 24}},             // only the top row clear
      {{{0, 0, 1920, 1040}}, {944, 504}},             // nothing clear: the middle
  };
  for (const auto& [taken, at] : cases) EXPECT_EQ(FirstPosition({32, 32}, monitors, taken), at) << at.x << "," << at.y;
  EXPECT_EQ(FirstPosition({4000, 32}, monitors, {}), (Point{-1040, 504}));  // wider than the area: centred
  // A spot may touch the work area's edges.
  const std::vector<MonitorInfo> narrow{{{0, 0, 112, 32}, {0, 0, 112, 32}, 96, true}};
  EXPECT_EQ(FirstPosition({32, 32}, narrow, {{40, 0, 72, 32}}), (Point{80, 0}));
  EXPECT_EQ(FirstPosition({32, 32}, narrow, {{40, 0, 112, 32}}), (Point{0, 0}));
  EXPECT_EQ(FirstPosition({32, 32}, {}, {}), std::nullopt);
}
