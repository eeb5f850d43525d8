// Menus of the Win32 backend, built from the shared templates and read back
// from the window system's own menus.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include "platform/menu.h"
#include "res/resource_ids.h"

namespace {

TEST(Win32Menu, TemplatesBuildTheirItemsWithTextsIntact) {
  const struct {
    uint32_t menu;
    int position;  // in the first submenu; -1: found by its command anywhere
    uint32_t id;   // 0: a submenu or separator
    const wchar_t* text;
    bool submenu, separator;
  } items[] = {
      {IDR_CONTROL_MENU, 0, 0, L"設定(&S)", true, false},
      {IDR_CONTROL_MENU, 1, 0, L"", false, true},
      {IDR_CONTROL_MENU, 2, IDM_APP_ABOUT, L"バージョン情報(&A)...", false, false},
      {IDR_CONTROL_MENU, 3, IDM_EXIT, L"終了(&X)", false, false},
      {IDR_SPRITE_MENU, 0, 0, L"設定(&E)", true, false},
      {IDR_SPRITE_MENU, 1, 0, L"移動(&M)", true, false},
      {IDR_SPRITE_MENU, 2, IDM_CLOSE_SPRITE, L"閉じる(&C)", false, false},
      {IDR_CONTROL_MENU, -1, IDM_FPS_10, L"10FPS", false, false},
      {IDR_CONTROL_MENU, -1, IDM_FPS_60, L"60FPS", false, false},
      {IDR_SPRITE_MENU, -1, IDM_EDIT_MOVE_RANGE, L"移動範囲(&M)...", false, false},
      {IDR_SPRITE_MENU, -1, IDM_TOPMOST, L"常に手前に表示(&T)", false, false},
      {IDR_SPRITE_MENU, -1, IDM_MOVE_DRIFT, L"きてまる1(&F)", false, false},
  };
  for (const auto& expected : items) {
    SCOPED_TRACE(expected.text);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(expected.menu));
    MenuItemInfo item;
    if (expected.position >= 0) {
      item = menu.GetSubMenu(0).GetItem(expected.position);
    } else {
      ASSERT_TRUE(menu.FindItem(expected.id, item));
    }
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(item.text, expected.text);
    EXPECT_EQ(item.submenu, expected.submenu);
    EXPECT_EQ(item.separator, expected.separator);
    EXPECT_EQ(menu.GetItemCount(), 1);
    EXPECT_EQ(menu.GetSubMenu(0).GetItemCount(), expected.menu == IDR_CONTROL_MENU ? 4 : 3);
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
    ASSERT_TRUE(menu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, chosen));
    for (uint32_t id = IDM_FPS_10; id <= IDM_FPS_60; ++id) {
      MenuItemInfo item;
      ASSERT_TRUE(menu.FindItem(id, item));
      EXPECT_EQ(item.checked, id == chosen) << chosen << " " << id;
      EXPECT_EQ(item.radio, id == chosen) << chosen << " " << id;
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

}  // namespace
