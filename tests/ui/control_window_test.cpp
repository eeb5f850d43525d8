#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/exe_path.h"
#include "app/ini_encoding.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_skin_folders.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "sprite/size_window.h"
#include "sprite/sprite_window.h"
#include "support/desktop_fixture.h"

namespace fs = std::filesystem;

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

  // Right-clicks the tray icon and answers its menu with choose; the menu's
  // texts, depth first. The frame rate and the language show their marks.
  std::vector<std::wstring> TrayMenu(uint32_t choose, uint32_t fps, uint32_t language);
};

// Every text of a menu and of its submenus, depth first.
std::vector<std::wstring> AllTexts(const CMenu& menu) {
  std::vector<std::wstring> texts;
  for (int i = 0; i < menu.GetItemCount(); ++i) {
    texts.push_back(menu.GetItem(i).text);
    if (!menu.GetItem(i).submenu) continue;
    for (std::wstring& text : AllTexts(menu.GetSubMenu(i))) texts.push_back(std::move(text));
  }
  return texts;
}

// What one language shows with skin "kite" in slot 1 and the other slots empty.
struct LanguageTexts {
  std::vector<std::wstring> control;
  std::vector<std::wstring> sprite;
  std::wstring aboutCaption;
  std::wstring editorHelpStart;
};

LanguageTexts JapaneseTexts() {
  std::vector<std::wstring> control{L"空いてるところにスキン読み込み(&K)", L"kite", L"ウィンドウ(&W)", L"(なし)", L"kite"};
  control.insert(control.end(), 8, L"(なし)");
  control.insert(control.end(), {L"設定(&S)", L"FPS(&F)", L"10FPS", L"15FPS", L"20FPS", L"30FPS", L"60FPS", L"言語(&L)",
                                 L"システムの設定に従う(&S)", L"日本語(&J)", L"&English", L"ログイン時に起動(&S)", L"",
                                 L"バージョン情報(&A)...", L"終了(&X)"});
  return {control,
          {L"スキン切り替え(&S)", L"kite", L"設定(&E)", L"移動範囲(&M)...", L"常に手前に表示(&T)", L"移動(&M)", L"停止(&S)",
           L"きてまる1(&F)", L"閉じる(&C)"},
          L"バージョン情報", L"※ 左ダブルクリックで決定"};
}

LanguageTexts EnglishTexts() {
  std::vector<std::wstring> control{L"&Load a skin into a free place", L"kite", L"&Windows", L"(none)", L"kite"};
  control.insert(control.end(), 8, L"(none)");
  control.insert(control.end(), {L"&Settings", L"&Frame rate", L"10 fps", L"15 fps", L"20 fps", L"30 fps", L"60 fps",
                                 L"&Language", L"&System default", L"日本語(&J)", L"&English", L"&Start at login", L"",
                                 L"&About KITE-MARU...", L"E&xit"});
  return {control,
          {L"&Switch skin", L"kite", L"S&ettings", L"Move &range...", L"Always on &top", L"&Motion", L"&Stand still",
           L"&Drift", L"&Close"},
          L"About KITE-MARU", L"* Double-click to accept"};
}

std::vector<std::wstring> ControlWindowTest::TrayMenu(uint32_t choose, uint32_t fps, uint32_t language) {
  std::vector<std::wstring> texts;
  headless::SetMenuResponder([&](const CMenu& menu, CWnd* owner) {
    EXPECT_EQ(owner, frame);
    EXPECT_TRUE(Checked(menu, fps));
    EXPECT_TRUE(Checked(menu, language));
    texts = AllTexts(menu);
    return choose;
  });
  EXPECT_TRUE(headless::ClickTrayIcon(wm::kRButtonUp));
  headless::PumpPending();
  return texts;
}

std::vector<std::wstring> WithWayBack(const wchar_t* showItem, std::vector<std::wstring> control) {
  control.insert(control.begin(), {showItem, L""});
  return control;
}

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
  ASSERT_EQ(items.size(), 6u);
  EXPECT_FALSE(items[0].disabled);
  EXPECT_TRUE(items[3].separator);
  EXPECT_EQ(items[4].id, IDM_APP_ABOUT);
  EXPECT_EQ(items[5].id, IDM_EXIT);

  EXPECT_EQ(frame->controlMenu.GetSubMenu(0).GetSubMenu(0).GetItemCount(), 2);  // ids and names: the 1000 skins test
  CMenu slots = frame->controlMenu.GetSubMenu(0).GetSubMenu(1);
  ASSERT_EQ(slots.GetItemCount(), 10);
  for (int slot = 0; slot < 10; ++slot) {
    EXPECT_EQ(slots.GetItem(slot).id, IDM_WINDOW_FIRST + slot);
    if (slot == 1) {
      EXPECT_EQ(slots.GetItem(slot).text, L"まる");
    }
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
  EXPECT_FALSE(frame->CreateSprite(kSlotCount, L"kite"));  // as is a slot outside the table
  EXPECT_EQ(static_cast<int>(headless::Windows().size()), windows);

  frame->sprites[4]->SendMessage(wm::kCommand, IDM_CLOSE_SPRITE);
  EXPECT_EQ(frame->sprites[4], nullptr);
  OpenMenu(IDM_SKIN_FIRST);
  EXPECT_NE(frame->sprites[4], nullptr);

  // A window item opens that sprite's own menu.
  const auto items = OpenMenu(0, wm::kCommand, IDM_WINDOW_FIRST);
  EXPECT_EQ(menuOwner, frame->sprites[0]);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0].id, 0u);  // the skin-switch submenu
  EXPECT_TRUE(items[0].submenu);
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

// The system's language unless config.ini chooses one; the texts are read
// from the menus and the about box the backend built.
TEST_F(ControlWindowTest, MenusAboutBoxAndEditorSpeakTheLanguageSystemOrSettingsChoose) {
  const LanguageTexts japanese = JapaneseTexts();
  const LanguageTexts english = EnglishTexts();
  const struct {
    const wchar_t* system;
    std::string key;  // [General] Language, "" for none
    const LanguageTexts& texts;
    uint32_t checked;
  } cases[] = {
      {L"ja-JP", "", japanese, IDM_LANGUAGE_SYSTEM},     {L"ja-JP", "ja", japanese, IDM_LANGUAGE_JAPANESE},
      {L"ja-JP", "en", english, IDM_LANGUAGE_ENGLISH},   {L"ja-JP", "xx", japanese, IDM_LANGUAGE_SYSTEM},
      {L"en-US", "", english, IDM_LANGUAGE_SYSTEM},      {L"en-US", "JA", japanese, IDM_LANGUAGE_JAPANESE},
      {L"en-US", "en", english, IDM_LANGUAGE_ENGLISH},   {L"en-US", "english", english, IDM_LANGUAGE_SYSTEM},
  };
  MakeSkin(L"kite");
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.system) + " Language=" + c.key);
    headless::SetUserInterfaceLanguage(c.system);
    WriteConfig((c.key.empty() ? "" : "[General]\nLanguage=" + c.key + "\n") + "[Window1]\nSkinName=kite\n");
    Start();
    OpenMenu(IDM_APP_ABOUT);
    EXPECT_EQ(AllTexts(frame->controlMenu.GetSubMenu(0)), c.texts.control);
    EXPECT_EQ(AllTexts(frame->sprites[1]->popupMenu.GetSubMenu(0)), c.texts.sprite);
    EXPECT_EQ(headless::LastDialogCaption(), c.texts.aboutCaption);
    EXPECT_EQ(RangeEditorText({}).rfind(c.texts.editorHelpStart, 0), 0u);
    EXPECT_TRUE(Checked(frame->controlMenu, c.checked));
    Close();
    EXPECT_EQ(ConfigValue("General", "Language"), c.key.empty() ? "<missing>" : c.key);
  }
}

// A choice shows at once in every menu and the about box, and is saved;
// following the system again takes the key out.
// The tray icon's menu is the control menu with the way back on top, and
// its tooltip follows the language too.
TEST_F(ControlWindowTest, LanguageChosenInTheMenuTakesEffectAtOnceAndIsSaved) {
  headless::SetUserInterfaceLanguage(L"en-GB");
  headless::SetTrayPresent(true);
  MakeSkin(L"kite");
  WriteConfig("[General]\nFPS=20\n[Window1]\nSkinName=kite\nTopMost=1\nMoveMethod=1\n");
  Start();
  EXPECT_EQ(headless::TrayIcon().tip, L"KITE-MARU");
  EXPECT_EQ(TrayMenu(IDM_LANGUAGE_JAPANESE, IDM_FPS_20, IDM_LANGUAGE_SYSTEM),
            WithWayBack(L"Show &control window", EnglishTexts().control));
  EXPECT_EQ(headless::TrayIcon().tip, L"KITE-MARU（きてまる）");
  EXPECT_EQ(TrayMenu(0, IDM_FPS_20, IDM_LANGUAGE_JAPANESE),
            WithWayBack(L"コントロールウィンドウを表示(&C)", JapaneseTexts().control));
  OpenMenu(IDM_APP_ABOUT);
  EXPECT_EQ(AllTexts(frame->controlMenu.GetSubMenu(0)), JapaneseTexts().control);
  EXPECT_EQ(AllTexts(frame->sprites[1]->popupMenu.GetSubMenu(0)), JapaneseTexts().sprite);
  EXPECT_EQ(headless::LastDialogCaption(), L"バージョン情報");
  // The rebuilt menus keep their marks.
  EXPECT_TRUE(Checked(frame->controlMenu, IDM_LANGUAGE_JAPANESE));
  EXPECT_TRUE(Checked(frame->controlMenu, IDM_FPS_20));
  EXPECT_TRUE(Checked(frame->sprites[1]->popupMenu, IDM_TOPMOST));
  EXPECT_TRUE(Checked(frame->sprites[1]->popupMenu, IDM_MOVE_DRIFT));
  EXPECT_TRUE(Checked(frame->sprites[1]->skinSwitchMenu, IDM_SKIN_FIRST));
  OpenMenu(0, wm::kCommand, IDM_WINDOW_FIRST + 1);
  EXPECT_EQ(menuOwner, frame->sprites[1]);
  Close();
  EXPECT_EQ(ConfigValue("General", "Language"), "ja");

  Start();
  EXPECT_EQ(AllTexts(frame->sprites[1]->popupMenu.GetSubMenu(0)), JapaneseTexts().sprite);
  OpenMenu(IDM_LANGUAGE_SYSTEM);
  EXPECT_EQ(AllTexts(frame->sprites[1]->popupMenu.GetSubMenu(0)), EnglishTexts().sprite);
  Close();
  EXPECT_EQ(ConfigValue("General", "Language"), "<missing>");
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

// With a tray, a minimised control window leaves the desktop for it and a
// click on the icon or its menu brings it back in front; without one it
// minimises as ever. The close box still saves and ends.
TEST_F(ControlWindowTest, MinimiseHidesToTheTrayOnlyWhereOneExistsAndTheIconBringsTheWindowBack) {
  for (const bool tray : {false, true}) {
    SCOPED_TRACE(tray ? "tray" : "no tray");
    headless::SetTrayPresent(tray);
    Start();
    EXPECT_EQ(headless::TrayIcon().shown, tray);
    const WindowHandle control = frame->GetSafeHwnd();
    frame->ShowWindow(sw::kMinimize);
    EXPECT_EQ(headless::State(control).visible, !tray);
    EXPECT_TRUE(headless::State(control).minimized);
    if (tray) {
      for (const bool shownAfter : {true, false, true}) {
        ASSERT_TRUE(headless::ClickTrayIcon(wm::kLButtonUp));
        headless::PumpPending();
        EXPECT_EQ(headless::State(control).visible, shownAfter);
        EXPECT_FALSE(headless::State(control).minimized);
      }
      EXPECT_EQ(headless::State(control).activations, 2);
      frame->ShowWindow(sw::kMinimize);
      TrayMenu(IDM_SHOW_CONTROL_WINDOW, IDM_FPS_30, IDM_LANGUAGE_SYSTEM);
      EXPECT_TRUE(headless::State(control).visible);
      frame->ShowWindow(sw::kMinimize);
      frame->SendMessage(wm::kCommand, IDM_FPS_60);
    } else {
      EXPECT_FALSE(headless::ClickTrayIcon(wm::kLButtonUp));
    }
    Close();
    EXPECT_FALSE(headless::TrayIcon().shown);
  }
  EXPECT_EQ(ConfigValue("General", "FPS"), "60");
}

// The start-at-login entry's flag: straight to the tray, where one exists.
TEST_F(ControlWindowTest, StartWithTheTrayFlagOpensHiddenOnlyWhereATrayExists) {
  for (const bool tray : {false, true}) {
    for (const bool flag : {false, true}) {
      SCOPED_TRACE(std::string(tray ? "tray" : "no tray") + (flag ? " --tray" : ""));
      headless::SetTrayPresent(tray);
      headless::SetCommandLine(flag ? std::vector<std::wstring>{L"--tray"} : std::vector<std::wstring>{});
      Start();
      EXPECT_EQ(headless::State(frame->GetSafeHwnd()).visible, !(tray && flag));
      EXPECT_EQ(headless::TrayIcon().shown, tray);
      Close();
    }
  }
}

// The mark is the autostart entry as it is on disk each time the menu opens.
TEST_F(ControlWindowTest, StartAtLoginMarkIsTheEntryOnDiskWhichTheItemWritesReplacesAndRemoves) {
  const fs::path autostart = folder / "autostart";
  const fs::path entry = autostart / "kitemaru.desktop";
  headless::SetAutostartFolder(FromFsPath(autostart));
  const fs::path program = folder / "kitemaru.exe";
  // Quotes, $, % and a backslash must survive the entry's two layers of escapes.
  const fs::path otherCopy = folder / "a \"b\" $c %d \\e" / "kitemaru.exe";
  WriteBytes(program, "");
  WriteBytes(otherCopy, "");
  const auto entryFor = [](const std::string& exec) {
    return "[Desktop Entry]\nType=Application\nName=KITE-MARU\nExec=" + exec +
           "\nIcon=kitemaru\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
  };
  const auto checked = [&] {
    OpenMenu();
    return Checked(frame->controlMenu, IDM_START_AT_LOGIN);
  };
  Start();
  EXPECT_FALSE(checked());

  OpenMenu(IDM_START_AT_LOGIN);
  EXPECT_EQ(ReadBytes(entry), entryFor("\"" + program.string() + "\" --tray"));
  EXPECT_TRUE(Checked(frame->controlMenu, IDM_START_AT_LOGIN));
  fs::remove(entry);  // by the user, elsewhere
  EXPECT_FALSE(checked());
  WriteBytes(entry, "[Desktop Entry]\nExec = " + program.string() + " --tray\n");
  EXPECT_TRUE(checked());
  WriteBytes(entry, "[Desktop Entry]\nExec=" + program.string() + "\nHidden=true\n");
  EXPECT_FALSE(checked());

  headless::SetExecutablePath(FromFsPath(otherCopy));
  WriteBytes(entry, entryFor(program.string()));
  EXPECT_FALSE(checked());  // it starts another copy
  OpenMenu(IDM_START_AT_LOGIN);
  EXPECT_EQ(ReadBytes(entry), entryFor("\"" + folder.string() + R"(/a \\"b\\" \\$c %%d \\\\e/kitemaru.exe" --tray)"));
  EXPECT_TRUE(checked());

  // A write that fails keeps the entry before whole and checks nothing.
  headless::SetExecutablePath(FromFsPath(program));
  headless::FailFileWritesAfter(20, FromFsPath(autostart));
  const std::string before = ReadBytes(entry);
  OpenMenu(IDM_START_AT_LOGIN);
  EXPECT_FALSE(Checked(frame->controlMenu, IDM_START_AT_LOGIN));
  EXPECT_EQ(ReadBytes(entry), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(autostart), fs::directory_iterator()), 1);
  headless::FailFileWritesAfter(-1);

  OpenMenu(IDM_START_AT_LOGIN);
  EXPECT_TRUE(Checked(frame->controlMenu, IDM_START_AT_LOGIN));
  OpenMenu(IDM_START_AT_LOGIN);
  EXPECT_FALSE(Checked(frame->controlMenu, IDM_START_AT_LOGIN));
  EXPECT_FALSE(fs::exists(entry));
}
