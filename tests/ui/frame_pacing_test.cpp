#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "support/desktop_fixture.h"

TEST(FrameSleep, SleepsTheTruncatedRestOfTheFrameTime) {
  struct Case {
    int32_t fps;
    uint32_t elapsed;
    std::optional<uint32_t> sleep;
  };
  const Case cases[] = {
      {30, 5, 28},   {30, 0, 33},   {45, 0, 22},           {60, 16, 0},           {10, 99, 1},
      {10, 100, {}}, {15, 70, {}},  {0, 0, 33},            {0, 1000, {}},         {-5, 5, 28},
      {20, 0, 50},   {1, 999, 1},   {30, 0xFFFFFFFFu, {}}, {1000000, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameSleep(c.fps, c.elapsed), c.sleep) << c.fps << " FPS, " << c.elapsed << " ms elapsed";
  }
}

class FrameTickTest : public DesktopTest {};

TEST_F(FrameTickTest, PacesFromTheStampTakenAfterTheLastSleepAcrossAClockWrap) {
  Start();
  frame->settings.fps = 30;
  headless::SetClock(0xFFFFFFF0u);
  frame->TickFrame();  // elapsed since the last stamp is huge: no sleep, stamp taken
  headless::AdvanceClock(20);  // wraps past zero
  frame->TickFrame();
  headless::AdvanceClock(5);
  frame->TickFrame();
  EXPECT_EQ(headless::UiSleeps(), (std::vector<uint32_t>{13, 28}));
}
