// Menus of the Win32 backend, built from the shared templates and read back
// from the window system's own menus.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "platform/app.h"
#include "platform/menu.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"

namespace {

TEST(Win32Menu, TemplatesBuildTheirItemsWithTextsIntact) {
  struct Expected {
    uint32_t menu;
    int position;  // in the first submenu
    uint32_t id;   // 0: a submenu or separator
    const wchar_t* text;
    bool submenu;
    bool separator;
  };
  const Expected items[] = {
      {IDR_CONTROL_MENU, 0, 0, L"設定(&S)", true, false},
      {IDR_CONTROL_MENU, 1, 0, L"", false, true},
      {IDR_CONTROL_MENU, 2, IDM_APP_ABOUT, L"バージョン情報(&A)...", false, false},
      {IDR_CONTROL_MENU, 3, IDM_EXIT, L"終了(&X)", false, false},
      {IDR_SPRITE_MENU, 0, 0, L"設定(&E)", true, false},
      {IDR_SPRITE_MENU, 1, 0, L"移動(&M)", true, false},
      {IDR_SPRITE_MENU, 2, IDM_CLOSE_SPRITE, L"閉じる(&C)", false, false},
  };
  CMenu control;
  CMenu sprite;
  ASSERT_TRUE(control.LoadMenu(IDR_CONTROL_MENU));
  ASSERT_TRUE(sprite.LoadMenu(IDR_SPRITE_MENU));
  EXPECT_EQ(control.GetItemCount(), 1);
  EXPECT_EQ(control.GetSubMenu(0).GetItemCount(), 4);
  EXPECT_EQ(sprite.GetSubMenu(0).GetItemCount(), 3);

  for (const Expected& expected : items) {
    SCOPED_TRACE(expected.text);
    const CMenu& menu = expected.menu == IDR_CONTROL_MENU ? control : sprite;
    const MenuItemInfo item = menu.GetSubMenu(0).GetItem(expected.position);
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(item.text, expected.text);
    EXPECT_EQ(item.submenu, expected.submenu);
    EXPECT_EQ(item.separator, expected.separator);
  }
}

TEST(Win32Menu, NestedItemsAreFoundByCommand) {
  struct Expected {
    uint32_t menu;
    uint32_t id;
    const wchar_t* text;
  };
  const Expected items[] = {
      {IDR_CONTROL_MENU, IDM_FPS_10, L"10FPS"},
      {IDR_CONTROL_MENU, IDM_FPS_60, L"60FPS"},
      {IDR_SPRITE_MENU, IDM_EDIT_MOVE_RANGE, L"移動範囲(&M)..."},
      {IDR_SPRITE_MENU, IDM_TOPMOST, L"常に手前に表示(&T)"},
      {IDR_SPRITE_MENU, IDM_MOVE_DRIFT, L"きてまる1(&F)"},
  };
  for (const Expected& expected : items) {
    SCOPED_TRACE(expected.text);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(expected.menu));
    MenuItemInfo item;
    ASSERT_TRUE(menu.FindItem(expected.id, item));
    EXPECT_EQ(item.text, expected.text);
    EXPECT_EQ(item.id, expected.id);
  }
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_SPRITE_MENU));
  MenuItemInfo item;
  EXPECT_FALSE(menu.FindItem(IDM_EXIT, item));
  EXPECT_FALSE(menu.LoadMenu(999));
}

TEST(Win32Menu, RadioCheckMovesWithinTheRange) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CONTROL_MENU));
  for (const uint32_t chosen : {IDM_FPS_20, IDM_FPS_60, IDM_FPS_30}) {
    SCOPED_TRACE(chosen);
    ASSERT_TRUE(menu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, chosen));
    for (uint32_t id = IDM_FPS_10; id <= IDM_FPS_60; ++id) {
      MenuItemInfo item;
      ASSERT_TRUE(menu.FindItem(id, item));
      EXPECT_EQ(item.checked, id == chosen) << id;
      EXPECT_EQ(item.radio, id == chosen) << id;
    }
  }
}

TEST(Win32Menu, InsertedPopupStaysReachableForRelabelAndCheck) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_SPRITE_MENU));
  CMenu skins;
  ASSERT_TRUE(skins.CreatePopupMenu());
  ASSERT_TRUE(skins.AppendMenu(IDM_SKIN_FIRST, L"きてまる"));
  ASSERT_TRUE(menu.GetSubMenu(0).InsertPopup(0, skins, L"スキン切り替え(&S)"));

  ASSERT_TRUE(skins.ModifyMenu(IDM_SKIN_FIRST, L"(なし)"));
  ASSERT_TRUE(menu.CheckMenuItem(IDM_TOPMOST, true));

  const MenuItemInfo inserted = menu.GetSubMenu(0).GetItem(0);
  EXPECT_TRUE(inserted.submenu);
  EXPECT_EQ(inserted.text, L"スキン切り替え(&S)");
  MenuItemInfo item;
  ASSERT_TRUE(menu.FindItem(IDM_SKIN_FIRST, item));
  EXPECT_EQ(item.text, L"(なし)");
  ASSERT_TRUE(menu.FindItem(IDM_TOPMOST, item));
  EXPECT_TRUE(item.checked);
  // menu owns the inserted popup now; the view in skins must not free it again.
  EXPECT_TRUE(menu.DestroyMenu());
}

class CommandSink : public CWnd {
 public:
  ~CommandSink() override { DestroyWindow(); }
  std::vector<uint32_t> commands;

 protected:
  bool OnCommand(uint32_t id) override {
    commands.push_back(id);
    return true;
  }
};

// Plays keys into the popup once it is up, from another thread as a user would.
void AnswerPopup(std::atomic<bool>& done, std::initializer_list<WPARAM> keys) {
  const DWORD deadline = GetTickCount() + 5000;
  HWND popup = nullptr;
  while (!done && popup == nullptr && GetTickCount() < deadline) {
    popup = FindWindowW(L"#32768", nullptr);
    if (popup == nullptr || !IsWindowVisible(popup)) popup = nullptr;
    Sleep(10);
  }
  if (popup == nullptr) return;
  for (WPARAM key : keys) {
    PostMessageW(popup, WM_KEYDOWN, key, 0);
    Sleep(20);
  }
}

TEST(Win32Menu, TrackedPopupSendsTheChosenCommandToItsOwner) {
  CommandSink owner;
  ASSERT_TRUE(owner.CreateEx(0, RegisterWindowClass({L"", 0, ClassBrush::None, 0}), L"owner",
                             ws::kPopup | ws::kVisible, {100, 100, 300, 300}, nullptr));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendMenu(IDM_SKIN_FIRST, L"one"));
  ASSERT_TRUE(menu.AppendMenu(IDM_SKIN_FIRST + 1, L"two"));

  std::atomic<bool> done{false};
  std::thread user(AnswerPopup, std::ref(done), std::initializer_list<WPARAM>{VK_DOWN, VK_DOWN, VK_RETURN});
  const bool tracked = menu.TrackPopupMenu({120, 120}, &owner);
  done = true;
  user.join();
  ASSERT_TRUE(tracked);

  Message message;
  while (platform::PeekMessage(message, true)) platform::DispatchMessage(message);
  ASSERT_EQ(owner.commands.size(), 1u);
  EXPECT_EQ(owner.commands.front(), IDM_SKIN_FIRST + 1);
}

}  // namespace
