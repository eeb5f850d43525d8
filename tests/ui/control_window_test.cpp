#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/exe_path.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_skin_folders.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "sprite/sprite_window.h"
#include "support/desktop_fixture.h"

class ControlWindowTest : public DesktopTest {
 protected:
  // Sends the message (by default the one opening the control menu), answers a menu it shows with
  // choose and returns that menu's items; menuOwner is the window that showed it.
  std::vector<MenuItemInfo> OpenMenu(uint32_t choose = 0, uint32_t message = wm::kContextMenu, uintptr_t wParam = 0) {
    std::vector<MenuItemInfo> items;
    menuOwner = nullptr;
    headless::SetMenuResponder([&](const CMenu& menu, CWnd* owner) {
      menuOwner = owner;
      for (int i = 0; i < menu.GetItemCount(); ++i) items.push_back(menu.GetItem(i));
      return choose;
    });
    frame->SendMessage(message, wParam);
    headless::PumpPending();
    return items;
  }
  CWnd* menuOwner = nullptr;
};

TEST_F(ControlWindowTest, PaintsWhiteHeaderAndGreyBodyOnBlackSizedAndPlacedByTheDisplayScale) {
  struct Case {
    int32_t dpi;
    Size window;
    int32_t margin;
    int32_t bodyTop;  // directly below the measured header: margin + one line
  };
  const Case cases[] = {
      {96, {320, 240}, 8, 8 + 16},
      {120, {400, 300}, 10, 10 + 20},
      {144, {480, 360}, 12, 12 + 24},
      {192, {640, 480}, 16, 16 + 32},
  };
  MakeSkin(L"a");
  MakeSkin(L"b");
  WriteConfig("[General]\nFPS=15\n[Window2]\nSkinName=a\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    headless::SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, c.dpi, true}});
    Start();
    const headless::WindowState state = headless::State(frame->GetSafeHwnd());
    const Rect client{0, 0, c.window.cx, c.window.cy};
    EXPECT_EQ(state.rect, client);
    const auto& ops = state.lastPaint;
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, headless::DrawOp::Kind::Fill);
    EXPECT_EQ(ops[0].color, 0x000000u);
    EXPECT_EQ(ops[0].rect, client);
    EXPECT_EQ(ops[1].text, L"KITE-MARU v0.1.0\n");
    EXPECT_EQ(ops[1].color, 0xFFFFFFu);
    EXPECT_EQ(ops[1].font, L"SystemFixed");
    EXPECT_EQ(ops[1].rect, (Rect{c.margin, c.margin, c.window.cx, c.window.cy}));
    EXPECT_EQ(ops[1].fontDpi, c.dpi);
    EXPECT_EQ(ops[2].text, L"- Sprite: 1\n- FPS: 15\n- Skin: 2\n- CurrentDir: " + FromFsPath(folder));
    EXPECT_EQ(ops[2].color, 0xC4C4C4u);
    EXPECT_EQ(ops[2].format, dt::kWordBreak);
    EXPECT_EQ(ops[2].rect.top, c.bodyTop);
    Close();
  }
  Start();
  frame->settings.fps = 60;  // the status timer repaints
  headless::AdvanceClock(1000);
  headless::PumpPending();
  EXPECT_NE(headless::State(frame->GetSafeHwnd()).lastPaint.back().text.find(L"- FPS: 60"), std::wstring::npos);
  // Dragged onto a monitor of another scale: the suggested rectangle and the new scale.
  Rect suggested{1950, 100, 1950 + 640, 100 + 480};
  frame->SendMessage(wm::kDpiChanged, 192 | (192 << 16), reinterpret_cast<intptr_t>(&suggested));
  frame->UpdateWindow();
  const headless::WindowState moved = headless::State(frame->GetSafeHwnd());
  EXPECT_EQ(moved.rect, suggested);
  EXPECT_EQ(moved.lastPaint[1].rect.left, 16);
  EXPECT_EQ(moved.lastPaint[1].fontDpi, 192);
}

TEST_F(ControlWindowTest, MenuListsSkinsSlotsAndCommandsAndAboutAndExitWork) {
  MakeSkin(L"kite");
  MakeSkin(L"まる");
  WriteConfig("[Window1]\nSkinName=まる\n");
  Start();
  const auto items = OpenMenu();
  std::vector<std::wstring> texts;
  for (const auto& item : items) texts.push_back(item.text);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"空いてるところにスキン読み込み(&K)", L"ウィンドウ(&W)", L"設定(&S)", L"",
                                               L"バージョン情報(&A)...", L"終了(&X)"}));
  EXPECT_FALSE(items[0].disabled);
  EXPECT_TRUE(items[3].separator);
  EXPECT_EQ(items[4].id, IDM_APP_ABOUT);
  EXPECT_EQ(items[5].id, IDM_EXIT);

  EXPECT_EQ(frame->controlMenu.GetSubMenu(0).GetSubMenu(0).GetItemCount(), 2);  // ids and names: the 1000 skins test
  CMenu slots = frame->controlMenu.GetSubMenu(0).GetSubMenu(1);
  ASSERT_EQ(slots.GetItemCount(), 10);
  for (int slot = 0; slot < 10; ++slot) {
    EXPECT_EQ(slots.GetItem(slot).id, IDM_WINDOW_FIRST + slot);
    EXPECT_EQ(slots.GetItem(slot).text, slot == 1 ? L"まる" : L"(なし)") << slot;
    EXPECT_EQ(slots.GetItem(slot).disabled, slot != 1) << slot;
  }
  OpenMenu(IDM_APP_ABOUT);
  EXPECT_EQ(headless::DialogsShown(), 1);
  OpenMenu(IDM_EXIT);
  EXPECT_EQ(app->mainWindow, nullptr);
  frame = nullptr;
}

// Skin commands end where the window items begin: a 1001st skin, here from
// the user's folder, would have opened slot 0's menu.
TEST_F(ControlWindowTest, MenusOfferTheFirstThousandSkinsOnly) {
  headless::SetUserAndSystemSkinFolders({FromFsPath(folder / "user")});
  for (int i = 0; i <= 1000; ++i) {
    WriteBytes(folder / (i < 500 ? "skin" : "user") / ("s" + std::to_string(i)) / "skin.ini", "[Default]\n");
  }
  Start();
  ASSERT_EQ(frame->catalogue.size(), 1001u);
  frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST);
  ASSERT_NE(frame->sprites[0], nullptr);
  const auto expectFirstThousand = [&](const CMenu& skins) {
    ASSERT_EQ(skins.GetItemCount(), 1000);
    EXPECT_EQ(skins.GetItem(999).id, IDM_SKIN_LAST);
    EXPECT_EQ(skins.GetItem(999).text, frame->catalogue[999].name);
  };
  expectFirstThousand(frame->controlMenu.GetSubMenu(0).GetSubMenu(0));
  expectFirstThousand(frame->sprites[0]->skinSwitchMenu);

  CMenu skins = frame->controlMenu.GetSubMenu(0).GetSubMenu(0);
  for (int i = skins.GetItemCount() - 1; i >= 0; --i) {
    OpenMenu(0, wm::kCommand, skins.GetItem(i).id);
    EXPECT_EQ(menuOwner, nullptr) << i;
  }
  ASSERT_NE(frame->sprites[1], nullptr);
  EXPECT_EQ(frame->sprites[1]->GetSkinName(), frame->catalogue[999].name);
}

TEST_F(ControlWindowTest, FrameRateChecksItsRadioItem) {
  const std::pair<int32_t, uint32_t> stored[] = {{10, IDM_FPS_10}, {15, IDM_FPS_15}, {20, IDM_FPS_20},
                                                 {30, IDM_FPS_30}, {60, IDM_FPS_60}, {45, IDM_FPS_30}, {0, IDM_FPS_30}};
  for (const auto& [fps, checked] : stored) EXPECT_EQ(FpsCommandFor(fps), checked) << fps;
  WriteConfig("[General]\nFPS=45\n");
  Start();
  EXPECT_TRUE(Checked(frame->controlMenu, IDM_FPS_30));
  EXPECT_EQ(frame->settings.fps, 45);

  const std::pair<uint32_t, int32_t> commands[] = {
      {IDM_FPS_10, 10}, {IDM_FPS_15, 15}, {IDM_FPS_20, 20}, {IDM_FPS_60, 60}, {IDM_FPS_30, 30}};
  for (const auto& [command, fps] : commands) {
    frame->SendMessage(wm::kCommand, command);
    EXPECT_EQ(frame->settings.fps, fps);
    for (uint32_t id = IDM_FPS_10; id <= IDM_FPS_60; ++id) {
      EXPECT_EQ(Checked(frame->controlMenu, id), id == command) << id;
    }
  }
}

TEST_F(ControlWindowTest, LoadsIntoTheLowestFreeSlotUntilFullIgnoresOtherIdsAndWindowItemsOpenSpriteMenus) {
  Start();
  EXPECT_TRUE(OpenMenu()[0].disabled);  // no skins to load
  Close();
  MakeSkin(L"kite");
  Start();
  frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST + 1);  // beyond the catalogue
  frame->SendMessage(wm::kCommand, IDM_WINDOW_FIRST + 3);  // an empty slot
  frame->SendMessage(wm::kCommand, IDM_WINDOW_FIRST + 10);  // just past the last slot
  headless::PumpPending();
  for (CSpriteWindow* sprite : frame->sprites) EXPECT_EQ(sprite, nullptr);

  for (int i = 0; i < 10; ++i) OpenMenu(IDM_SKIN_FIRST);
  for (int slot = 0; slot < 10; ++slot) EXPECT_NE(frame->sprites[slot], nullptr) << slot;
  EXPECT_TRUE(OpenMenu()[0].disabled);
  const int windows = static_cast<int>(headless::Windows().size());
  frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST);  // an eleventh is refused quietly
  EXPECT_EQ(static_cast<int>(headless::Windows().size()), windows);

  frame->sprites[4]->SendMessage(wm::kCommand, IDM_CLOSE_SPRITE);
  EXPECT_EQ(frame->sprites[4], nullptr);
  OpenMenu(IDM_SKIN_FIRST);
  EXPECT_NE(frame->sprites[4], nullptr);

  // A window item opens that sprite's own menu.
  const auto items = OpenMenu(0, wm::kCommand, IDM_WINDOW_FIRST);
  EXPECT_EQ(menuOwner, frame->sprites[0]);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0].text, L"スキン切り替え(&S)");
}

// The end of the session saves, then the exit: both fail, the user hears once.
TEST_F(ControlWindowTest, SaveThatNoPlaceTakesIsToldOnceWithTheFileAndTheReason) {
  WriteConfig("[General]\nFPS=15\n");
  Start();
  headless::FailFileWritesAfter(10);
  frame->SendMessage(wm::kEndSession, 1);
  Close();
  ASSERT_EQ(headless::MessageBoxes(), (std::vector<uint32_t>{IDS_SETTINGS_NOT_SAVED}));
  const std::wstring& text = headless::MessageBoxTexts()[0];
  EXPECT_NE(text.find(L"\n" + FromFsPath(folder / "config.ini") + L"\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"ディスクの空き"), std::wstring::npos) << text;
  EXPECT_EQ(ConfigValue("General", "FPS"), "15");
}

// Skins come and go while the program runs: the menus and the status read the
// folder again, a sprite showing a removed skin keeps its frames, and a
// command means the skin its menu showed.
TEST_F(ControlWindowTest, SkinsAddedAndRemovedWhileRunningShowInMenusAndStatus) {
  MakeSkin(L"gone");
  WriteConfig("[Window0]\nSkinName=gone\n");
  Start();
  std::filesystem::remove_all(folder / "skin/gone");
  MakeSkin(L"a");
  MakeSkin(L"b");
  headless::AdvanceClock(1000);
  headless::PumpPending();
  EXPECT_NE(headless::State(frame->GetSafeHwnd()).lastPaint.back().text.find(L"- Skin: 2\n"), std::wstring::npos);

  std::vector<std::wstring> listed;
  headless::SetMenuResponder([&](const CMenu& menu, CWnd*) {
    const CMenu skins = menu.GetSubMenu(0);
    listed.clear();
    for (int i = 0; i < skins.GetItemCount(); ++i) listed.push_back(skins.GetItem(i).text);
    // Gone before the command arrives: the last entry moves up in the catalogue.
    std::filesystem::remove_all(folder / "skin" / ToFsPath(listed.front()));
    frame->RescanSkins();
    return skins.GetItem(skins.GetItemCount() - 1).id;
  });
  frame->SendMessage(wm::kContextMenu);
  headless::PumpPending();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(std::set<std::wstring>(listed.begin(), listed.end()), (std::set<std::wstring>{L"a", L"b"}));
  ASSERT_NE(frame->sprites[1], nullptr);
  EXPECT_EQ(frame->sprites[1]->GetSkinName(), listed[1]);
  ASSERT_NE(frame->sprites[0], nullptr);
  EXPECT_EQ(frame->sprites[0]->GetSkinName(), L"gone");
  EXPECT_NE(frame->sprites[0]->surfaces[0], nullptr);

  const std::wstring left = listed[1];
  MakeSkin(L"gone");  // back, so that the sprite's menu has a first entry to drop
  frame->sprites[0]->SendMessage(wm::kContextMenu);
  headless::PumpPending();
  EXPECT_EQ(std::set<std::wstring>(listed.begin(), listed.end()), (std::set<std::wstring>{left, L"gone"}));
  ASSERT_NE(frame->sprites[0], nullptr);
  EXPECT_EQ(frame->sprites[0]->GetSkinName(), listed[1]);
}
