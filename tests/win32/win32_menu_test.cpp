// Menus and the about box of the Win32 backend, built from the shared
// templates: read back from the window system's own menus and windows, and
// driven through their modal loops by a second thread playing the user.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"
#include "support/probe_window.h"

namespace {

TEST(Win32Menu, TemplatesBuildTheirItemsWithTextsIntact) {
  const struct {
    uint32_t menu;
    int position;  // in the first submenu; -1: found by its command anywhere
    uint32_t id;   // 0: a submenu, or a separator if the text is empty too
    const wchar_t* text;
  } items[] = {
      {IDR_CONTROL_MENU, 0, 0, L"設定(&S)"},
      {IDR_CONTROL_MENU, 1, 0, L""},
      {IDR_CONTROL_MENU, 2, IDM_APP_ABOUT, L"バージョン情報(&A)..."},
      {IDR_SPRITE_MENU, 1, 0, L"移動(&M)"},
      {IDR_SPRITE_MENU, 2, IDM_CLOSE_SPRITE, L"閉じる(&C)"},
      {IDR_CONTROL_MENU, -1, IDM_FPS_10, L"10FPS"},
      {IDR_SPRITE_MENU, -1, IDM_TOPMOST, L"常に手前に表示(&T)"},
      {IDR_SPRITE_MENU, -1, IDM_MOVE_DRIFT, L"きてまる1(&F)"},
  };
  CMenu control, sprite;
  ASSERT_TRUE(control.LoadMenu(IDR_CONTROL_MENU));
  ASSERT_TRUE(sprite.LoadMenu(IDR_SPRITE_MENU));
  EXPECT_EQ(control.GetItemCount(), 1);
  EXPECT_EQ(control.GetSubMenu(0).GetItemCount(), 4);
  EXPECT_EQ(sprite.GetSubMenu(0).GetItemCount(), 3);
  for (const auto& expected : items) {
    SCOPED_TRACE(expected.text);
    const CMenu& menu = expected.menu == IDR_CONTROL_MENU ? control : sprite;
    MenuItemInfo item;
    if (expected.position >= 0) {
      item = menu.GetSubMenu(0).GetItem(expected.position);
    } else {
      ASSERT_TRUE(menu.FindItem(expected.id, item));
    }
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(item.text, expected.text);
    EXPECT_EQ(item.submenu, expected.id == 0 && *expected.text != L'\0');
    EXPECT_EQ(item.separator, expected.id == 0 && *expected.text == L'\0');
  }
  MenuItemInfo item;
  EXPECT_FALSE(sprite.FindItem(IDM_EXIT, item));
  EXPECT_FALSE(sprite.LoadMenu(999));
}

TEST(Win32Menu, RadioCheckMovesWithinTheRange) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CONTROL_MENU));
  for (const uint32_t chosen : {IDM_FPS_20, IDM_FPS_60, IDM_FPS_30}) {
    ASSERT_TRUE(menu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, chosen));
    for (uint32_t id = IDM_FPS_10; id <= IDM_FPS_60; ++id) {
      MenuItemInfo item;
      ASSERT_TRUE(menu.FindItem(id, item));
      EXPECT_EQ(item.checked, id == chosen) << chosen << " " << id;
      EXPECT_EQ(item.radio, id == chosen) << chosen << " " << id;
    }
  }
}

TEST(Win32Menu, InsertedPopupStaysReachableForRelabelCheckAndDisable) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_SPRITE_MENU));
  CMenu skins;
  ASSERT_TRUE(skins.CreatePopupMenu());
  ASSERT_TRUE(skins.AppendMenu(IDM_SKIN_FIRST, L"きてまる"));
  ASSERT_TRUE(menu.GetSubMenu(0).InsertPopup(0, skins, L"スキン切り替え(&S)"));
  ASSERT_TRUE(skins.ModifyMenu(IDM_SKIN_FIRST, L"(なし)"));
  ASSERT_TRUE(menu.CheckMenuItem(IDM_TOPMOST, true));
  ASSERT_TRUE(menu.GetSubMenu(0).EnableMenuItemAt(0, false));
  ASSERT_TRUE(menu.EnableMenuItem(IDM_TOPMOST, false));
  ASSERT_TRUE(menu.EnableMenuItem(IDM_TOPMOST, true));

  const MenuItemInfo inserted = menu.GetSubMenu(0).GetItem(0);
  EXPECT_TRUE(inserted.submenu);
  EXPECT_TRUE(inserted.disabled);
  EXPECT_EQ(inserted.text, L"スキン切り替え(&S)");
  MenuItemInfo item;
  ASSERT_TRUE(menu.FindItem(IDM_SKIN_FIRST, item));
  EXPECT_EQ(item.text, L"(なし)");
  ASSERT_TRUE(menu.FindItem(IDM_TOPMOST, item));
  EXPECT_TRUE(item.checked);
  EXPECT_FALSE(item.disabled);
  // menu owns the inserted popup now; the view in skins must not free it again.
  EXPECT_TRUE(menu.DestroyMenu());
}

// Runs the modal loop while the user waits for a visible window of the system
// class userSees and answers it; returns what the loop returned.
template <typename Loop>
auto WhileTheUserAnswers(const wchar_t* userSees, const std::function<void(HWND)>& answer, Loop loop) {
  std::atomic<bool> done{false};
  std::thread user([&] {
    for (const DWORD deadline = GetTickCount() + 5000; !done && GetTickCount() < deadline; Sleep(10)) {
      HWND window = FindWindowW(userSees, nullptr);
      if (window != nullptr && IsWindowVisible(window)) return answer(window);
    }
  });
  const auto result = loop();
  done = true;
  user.join();
  return result;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

// An owner in the screen's corner, as the control window stands.
bool CreateOwner(CWnd& owner) {
  return owner.CreateEx(0, RegisterWindowClass({L"", 0, ClassBrush::Black, 0}), L"owner", ws::kPopup | ws::kVisible,
                        {0, 0, 320, 240}, nullptr);
}

TEST(Win32Menu, TrackedPopupSendsTheChosenCommandToItsOwner) {
  ProbeWindow owner;
  ASSERT_TRUE(CreateOwner(owner));
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CONTROL_MENU));
  // The settings submenu is first, the separator is skipped, the about box follows.
  const auto pressKeys = [](HWND popup) {
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      PostMessageW(popup, WM_KEYDOWN, key, 0);
      Sleep(20);
    }
  };
  const auto track = [&] { return menu.GetSubMenu(0).TrackPopupMenu({20, 20}, &owner); };
  ASSERT_TRUE(WhileTheUserAnswers(L"#32768", pressKeys, track));

  PumpUntil([&] { return !owner.received.empty(); });
  ASSERT_EQ(owner.received.size(), 1u);
  EXPECT_EQ(owner.received[0].value, uintptr_t{IDM_APP_ABOUT});
}

TEST(Win32Dialog, AboutBoxShowsItsTemplateOnScreenAndClosesWithOkAnUnknownOneFails) {
  ProbeWindow owner;
  ASSERT_TRUE(CreateOwner(owner));
  std::wstring caption, text;
  bool hasIcon = false;
  RECT rect{-1, -1, 0, 0};
  const auto readAndConfirm = [&](HWND dialog) {
    caption = TextOf(dialog);
    text = TextOf(GetDlgItem(dialog, IDC_ABOUT_TEXT));
    hasIcon = SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
    GetWindowRect(dialog, &rect);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  };
  CDialog about(IDD_ABOUTBOX);
  EXPECT_EQ(WhileTheUserAnswers(L"#32770", readAndConfirm, [&] { return about.DoModal(&owner); }), IDOK);
  EXPECT_EQ(caption, L"バージョン情報");
  EXPECT_EQ(text, L"KITE-MARU Version 0.1.0");
  EXPECT_TRUE(hasIcon);
  EXPECT_GE(rect.left, 0);
  EXPECT_GE(rect.top, 0);

  EXPECT_EQ(CDialog(4242).DoModal(nullptr), -1);
}

}  // namespace
