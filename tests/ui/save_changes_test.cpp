#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/headless/headless.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "sprite/sprite_window.h"
#include "support/desktop_fixture.h"

namespace fs = std::filesystem;

class SaveChangesTest : public DesktopTest {
 protected:
  // One tick of the status timer.
  void OneSecond() {
    headless::AdvanceClock(kStatusTimerPeriodMs);
    headless::PumpPending();
  }
  CSpriteWindow& Kite() { return *frame->sprites[0]; }
  void MoveKite(int x, int y) { MoveTo(Kite(), x, y); }
  static void MoveTo(CSpriteWindow& sprite, int x, int y) {
    sprite.SetWindowPos(ZOrder::Keep, x, y, 0, 0, swp::kNoSize | swp::kNoZOrder);
  }
};

TEST_F(SaveChangesTest, WhatTheUserChangesIsOnDiskWithinTwoTicks) {
  struct Case {
    const char* change;
    std::function<void(CMainFrame&, CSpriteWindow&)> make;
    const char* section;
    const char* key;
    const char* saved;
  };
  const Case cases[] = {
      {"frame rate", [](CMainFrame& frame, CSpriteWindow&) { frame.SendMessage(wm::kCommand, IDM_FPS_60); }, "General", "FPS", "60"},
      {"language", [](CMainFrame& frame, CSpriteWindow&) { frame.SendMessage(wm::kCommand, IDM_LANGUAGE_ENGLISH); }, "General",
       "Language", "en"},
      {"always on top", [](CMainFrame&, CSpriteWindow& kite) { kite.SendMessage(wm::kCommand, IDM_TOPMOST); }, "Window0",
       "TopMost", "1"},
      {"motion", [](CMainFrame&, CSpriteWindow& kite) { kite.SendMessage(wm::kCommand, IDM_MOVE_DRIFT); }, "Window0",
       "MoveMethod", "1"},
      {"close", [](CMainFrame&, CSpriteWindow& kite) { kite.SendMessage(wm::kCommand, IDM_CLOSE_SPRITE); }, "Window0",
       "SkinName", ""},
      {"load", [](CMainFrame& frame, CSpriteWindow&) { frame.SendMessage(wm::kCommand, IDM_SKIN_FIRST); }, "Window1", "SkinName",
       "kite"},
      {"drag", [](CMainFrame&, CSpriteWindow& kite) { MoveTo(kite, 300, 200); }, "Window0", "Position", "300, 200"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    StartWithKite("Position=10, 10\n");
    c.make(*frame, *frame->sprites[0]);
    OneSecond();
    OneSecond();
    EXPECT_EQ(ConfigValue(c.section, c.key), c.saved);
    Close();
  }
}

// Each write would stir sync clients and wear the disk: only a change writes.
TEST_F(SaveChangesTest, NothingIsWrittenUntilSomethingChangesAndADragWritesOnceAfterItEnds) {
  StartWithKite("Position=10, 10\n");
  const fs::path config = folder / "config.ini";
  const auto untouched = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(config, untouched);
  Kite().SendMessage(wm::kCommand, IDM_TOPMOST);
  Kite().SendMessage(wm::kCommand, IDM_TOPMOST);
  for (int i = 0; i < 3; ++i) OneSecond();
  EXPECT_EQ(fs::last_write_time(config), untouched) << "a change undone at once";

  MoveKite(100, 100);
  OneSecond();
  MoveKite(200, 100);
  OneSecond();
  EXPECT_EQ(fs::last_write_time(config), untouched) << "while the drag goes on";
  OneSecond();
  EXPECT_EQ(ConfigValue("Window0", "Position"), "200, 100");

  fs::last_write_time(config, untouched);
  Close();
  EXPECT_EQ(fs::last_write_time(config), untouched) << "an exit that would write the same bytes";
}

TEST_F(SaveChangesTest, ADriftingSpritesPlaceGoesWithTheNextSaveAndIsNoReasonForOne) {
  StartWithKite("Position=10, 10\nMoveMethod=1\n");
  MoveKite(400, 300);
  for (int i = 0; i < 3; ++i) OneSecond();
  EXPECT_EQ(ConfigValue("Window0", "Position"), "10, 10");
  frame->SendMessage(wm::kCommand, IDM_FPS_60);
  OneSecond();
  EXPECT_EQ(ConfigValue("Window0", "Position"), "400, 300");
}
