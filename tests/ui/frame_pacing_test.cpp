#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "sprite/sprite_window.h"
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

TEST_F(FrameTickTest, StandingSpritesLetTheLoopWaitUntilAFrameOrAMessageArrives) {
  MakeSkin(L"still", 1);  // one frame: its worker never publishes one
  WriteConfig("[Window0]\nSkinName=still\n");
  Start();
  ASSERT_TRUE(TickUntil([&] { return !frame->HasSpriteWork(); }));
  const int updates = LayeredUpdates(0);
  const size_t sleeps = headless::UiSleeps().size();

  EXPECT_TRUE(app->OnIdle(0));
  EXPECT_EQ(headless::UiWaits(), 1) << "nothing to do: the loop waits";
  EXPECT_EQ(headless::UiSleeps().size(), sleeps) << "and does not tick";

  frame->sprites[0]->frameChanged = 1;  // as a worker publishes a frame
  EXPECT_TRUE(app->OnIdle(1));
  EXPECT_EQ(LayeredUpdates(0), updates + 1);
  EXPECT_EQ(headless::UiWaits(), 1);

  frame->PostMessage(wm::kCommand, IDM_FPS_10);
  EXPECT_TRUE(app->OnIdle(2));
  EXPECT_EQ(frame->settings.fps, 10);
  EXPECT_EQ(headless::UiWaits(), 2);
}
