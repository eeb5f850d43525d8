#include <gtest/gtest.h>

#include <algorithm>

#include "app/exe_path.h"
#include "app/one_instance.h"
#include "platform/headless/headless.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "sprite/sprite_window.h"
#include "support/desktop_fixture.h"

class StartupTest : public DesktopTest {};

TEST_F(StartupTest, NoConfigStartsEmptyAndExitWritesEveryKeyInOrder) {
  Start();
  const headless::WindowState control = headless::State(frame->GetSafeHwnd());
  EXPECT_EQ(control.className, L"kitemaru");
  EXPECT_EQ(control.title, L"KITE-MARU");
  EXPECT_TRUE(control.visible);
  EXPECT_EQ(control.timers, (std::vector<uintptr_t>{1}));
  EXPECT_EQ(std::filesystem::current_path(), folder);

  Close();
  const std::string written = ReadConfig();
  EXPECT_EQ(std::count(written.begin(), written.end(), '='), 81);  // the order is the settings' own test
  EXPECT_EQ(ConfigValue("General", "FPS"), "30");
  EXPECT_EQ(ConfigValue("Window9", "Position"), "");  // never held a sprite
}

TEST_F(StartupTest, SavedSpritesComeBackAndSessionEndStoresTheirLastState) {
  MakeSkin(L"kite");
  WriteConfig("[Window3]\nSkinName=kite\n");
  Start();
  ASSERT_NE(frame->sprites[3], nullptr);
  frame->sprites[3]->SetWindowPos(ZOrder::Keep, 300, 200, 0, 0, swp::kNoSize);
  frame->SendMessage(wm::kCommand, IDM_FPS_60);

  // A session end saves what an exit would, without closing.
  EXPECT_EQ(frame->SendMessage(wm::kQueryEndSession), 1);
  const std::string before = ReadConfig();
  frame->SendMessage(wm::kEndSession, 0);  // cancelled: nothing written
  EXPECT_EQ(ReadConfig(), before);
  frame->SendMessage(wm::kEndSession, 1);
  EXPECT_EQ(ConfigValue("General", "FPS"), "60");
  EXPECT_EQ(ConfigValue("Window3", "SkinName"), "kite");
  EXPECT_EQ(ConfigValue("Window3", "Position"), "300, 200");
  EXPECT_NE(frame->sprites[3], nullptr);  // nothing closed
}

TEST_F(StartupTest, SkinMissingAtStartKeepsItsNameUntilAnotherSkinTakesItsPlace) {
  MakeSkin(L"kite");
  WriteConfig("[Window0]\nSkinName=gone\n[Window1]\nSkinName=kite\n[Window2]\nSkinName=away\n");
  Start();
  frame->sprites[1]->SendMessage(wm::kCommand, IDM_CLOSE_SPRITE);
  // Loads fill the free places, those holding a kept name last.
  for (int load = 0; load < 9; ++load) frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST);
  EXPECT_NE(frame->sprites[0], nullptr);
  EXPECT_EQ(frame->sprites[2], nullptr);
  frame->sprites[1]->SendMessage(wm::kCommand, IDM_CLOSE_SPRITE);  // the user's close empties the place
  Close();
  EXPECT_EQ(ConfigValue("Window0", "SkinName"), "kite");
  EXPECT_EQ(ConfigValue("Window1", "SkinName"), "");
  EXPECT_EQ(ConfigValue("Window2", "SkinName"), "away");
}

TEST_F(StartupTest, OleFailureShowsItsMessageAndCreatesNothing) {
  headless::SetOleAvailable(false);
  CkitemaruApp failing;
  EXPECT_FALSE(failing.InitInstance());
  EXPECT_EQ(headless::MessageBoxes(), (std::vector<uint32_t>{IDS_OLE_INIT_FAILED}));
  EXPECT_TRUE(headless::Windows().empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "config.ini"));
}

TEST_F(StartupTest, IdleHookTurnsAnyQuitIntoExitCodeZeroWithoutATickAndOtherwiseTakesOneMessageThenTicks) {
  Start();
  headless::Post(nullptr, wm::kQuit, 7);
  EXPECT_TRUE(app->OnIdle(0));
  EXPECT_TRUE(headless::UiSleeps().empty());
  Message quit;
  ASSERT_TRUE(platform::PeekMessage(quit, true));
  EXPECT_EQ(quit.message, wm::kQuit);
  EXPECT_EQ(quit.wParam, 0u);

  frame->settings.fps = 30;
  headless::SetClock(1000);
  frame->PostMessage(wm::kCommand, IDM_FPS_10);
  frame->PostMessage(wm::kCommand, IDM_FPS_20);
  EXPECT_TRUE(app->OnIdle(0));
  EXPECT_EQ(frame->settings.fps, 10);  // one message, then a tick paced at the new rate
  EXPECT_EQ(headless::QueueLength(), 1u);
  EXPECT_TRUE(app->OnIdle(1));
  EXPECT_EQ(frame->settings.fps, 20);
}

// A later start for the same config.ini puts up nothing of its own: the
// holder of the lock is asked to show itself, and the start ends with 0.
TEST_F(StartupTest, LaterStartForTheSameSettingsShowsTheRunningProgramAndEndsWithZero) {
  const std::wstring name = InstanceName(FromFsPath(folder / "config.ini"));
  {
    platform::InstanceLock running(name);
    int shown = 0;
    ASSERT_TRUE(running.TryClaim());
    running.ServeShowRequests([&] { ++shown; });
    CkitemaruApp later;
    EXPECT_TRUE(later.InitInstance());
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(headless::Windows().empty());
    Message quit;
    ASSERT_TRUE(platform::PeekMessage(quit, true));
    EXPECT_EQ(quit.message, wm::kQuit);
    EXPECT_EQ(quit.wParam, 0u);
  }
  // The program itself answers with its control window.
  Start();
  frame->ShowWindow(sw::kHide);
  platform::InstanceLock later(name);
  EXPECT_EQ(ClaimOrHandOver(later), StartRole::HandedOver);
  EXPECT_TRUE(headless::State(frame->GetSafeHwnd()).visible);
}

// Another config.ini's program runs beside this one; the lock of one that
// died with it is taken over.
TEST_F(StartupTest, StartRunsBesideOtherSettingsAndWhereTheHolderDied) {
  const std::wstring name = InstanceName(FromFsPath(folder / "config.ini"));
  for (const bool died : {false, true}) {
    SCOPED_TRACE(died ? "died" : "other settings");
    const std::wstring held = died ? name : InstanceName(FromFsPath(folder / "other" / "config.ini"));
    platform::InstanceLock holder(held);
    ASSERT_TRUE(holder.TryClaim());
    holder.ServeShowRequests([] { FAIL() << "asked to show"; });
    if (died) headless::KillInstanceHolder(name);
    Start();
    EXPECT_FALSE(platform::InstanceLock(name).TryClaim());
    Close();
    app.reset();  // the program has ended: its lock goes with it
  }
}
