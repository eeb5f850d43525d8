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

  headless::AdvanceClock(1000);
  frame->sprites[0]->frameChanged = 1;  // as a worker publishes a frame
  EXPECT_TRUE(app->OnIdle(1));
  EXPECT_EQ(LayeredUpdates(0), updates + 1);
  EXPECT_EQ(headless::UiWaits(), 1);

  frame->PostMessage(wm::kCommand, IDM_FPS_10);
  EXPECT_TRUE(app->OnIdle(2));
  EXPECT_EQ(frame->settings.fps, 10);
  EXPECT_EQ(headless::UiWaits(), 2);
}

TEST_F(FrameTickTest, FramesComingFasterThanTheFrameRateAreTakenTogetherAtTheNextTick) {
  MakeSkin(L"still", 1);
  WriteConfig("[Window0]\nSkinName=still\n");
  Start();
  ASSERT_TRUE(TickUntil([&] { return !frame->HasSpriteWork(); }));
  frame->settings.fps = 30;
  std::atomic<int32_t>& published = frame->sprites[0]->frameChanged;
  const int updates = LayeredUpdates(0);
  headless::AdvanceClock(1000);
  published = 1;  // a frame after an idle spell is drawn at once
  app->OnIdle(0);
  app->OnIdle(1);
  EXPECT_EQ(headless::UiWaits(), 1) << "then the loop waits for the next";
  headless::AdvanceClock(10);
  published = 1;
  app->OnIdle(2);
  EXPECT_EQ(headless::UiSleeps().back(), 23u) << "one 10 ms later waits for its tick";
  app->OnIdle(3);
  EXPECT_EQ(headless::UiTimedWaits(), (std::vector<uint32_t>{34})) << "the next wait ends at the next tick";
  published = 1;  // during that wait, without waking the loop
  const size_t sleeps = headless::UiSleeps().size();
  app->OnIdle(4);
  EXPECT_EQ(headless::UiSleeps().size(), sleeps) << "drawn at that tick, without a sleep";
  EXPECT_EQ(LayeredUpdates(0), updates + 3);
  app->OnIdle(5);
  app->OnIdle(6);
  EXPECT_EQ(headless::UiTimedWaits().size(), 2u);
  EXPECT_EQ(headless::UiWaits(), 2) << "a timed wait that found nothing: the loop waits for a frame again";
}
