#include <gtest/gtest.h>

#include <cstring>

#include "platform/frame_bitmap.h"
#include "platform/headless/headless.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "sprite/sprite_window.h"
#include "sprite/sprite_window_placeholder.h"
#include "support/desktop_fixture.h"

class SpriteWindowTest : public DesktopTest {
 protected:
  CSpriteWindow* Sprite(int slot) { return frame->sprites[slot]; }
  void Command(int slot, uint32_t id) {
    Sprite(slot)->SendMessage(wm::kCommand, id);
    headless::PumpPending();
  }
};

TEST_F(SpriteWindowTest, ShowsItsFramesPremultipliedAtItsSavedPlaceEvenWithAnUndecodableStripNeverShown) {
  MakeSkin(L"kite", 3, 32, "[Up]\nFile=strip.png\nAnimationFrame=5\n");
  WriteConfig("[Window2]\nSkinName=kite\nPosition=300, 400\n");
  Start();
  CSpriteWindow* sprite = Sprite(2);
  ASSERT_NE(sprite, nullptr);
  const headless::WindowState state = headless::State(sprite->GetSafeHwnd());
  EXPECT_EQ(state.exStyle, ws::kExLayered | ws::kExToolWindow);
  EXPECT_EQ(state.style, ws::kPopup | ws::kVisible);
  EXPECT_EQ(state.rect, (Rect{300, 400, 332, 432}));
  ASSERT_NE(state.layered, nullptr);
  EXPECT_EQ(state.layeredSize, (Size{32, 32}));
  EXPECT_EQ(state.layeredFrom, (Point{0, 0}));
  const uint8_t* pixel = state.layered->Row(0);
  EXPECT_EQ((std::array{pixel[0], pixel[1], pixel[2], pixel[3]}), (std::array<uint8_t, 4>{0, 50, 100, 128}));

  // AnimationWait 100 is a frame every 6 worker iterations of 16 ms.
  const Point firstFrame = state.layeredFrom;
  ASSERT_TRUE(TickUntil([&] { return headless::State(sprite->GetSafeHwnd()).layeredFrom != firstFrame; }));
  const headless::WindowState shown = headless::State(sprite->GetSafeHwnd());
  // Frame k starts at row 32 k of the strip and has blue 10 k, premultiplied.
  const int32_t k = shown.layeredFrom.y / 32;
  EXPECT_EQ(shown.layeredFrom, (Point{0, 32 * k}));
  EXPECT_EQ(shown.layered->Row(shown.layeredFrom.y)[0], (10 * k * 128) >> 8);
  EXPECT_GT(k, 0);
}

TEST_F(SpriteWindowTest, ASkinWithNoFrameToShowStandsWhereItIsAsThePlaceholderTile) {
  const char* const inis[] = {
      "[Default]\nAnimationFrame=2\nAnimationWait=100\n",  // no File
      "[Default]\nFile=strip.png\nAnimationFrame=3\n",  // 64 rows do not make 3 frames
      "[Default]\nFile=strip.png\nAnimationFrame=0\n",
      "[Default]\nFile=skin.ini\n",                      // not a PNG
      "[Default]\nFile=strip.png\nAnimationFrame=-2147483648\nAnimationWait=-2147483648\n",
  };
  std::string config;
  for (size_t i = 0; i < std::size(inis); ++i) {
    MakeSkin(L"bad" + std::to_wstring(i), 2, 32);
    WriteBytes(folder / "skin" / ("bad" + std::to_string(i)) / "skin.ini", inis[i]);
    config += "[Window" + std::to_string(i) + "]\nSkinName=bad" + std::to_string(i) + "\nPosition=" +
              std::to_string(100 * i) + ", 50\n";
  }
  WriteConfig(config);
  Start();
  OffscreenSurface tile;
  ASSERT_TRUE(DrawPlaceholderTile(tile));
  // A frame step past the first frame shows the tile all the same.
  ASSERT_TRUE(TickUntil([&] { return Sprite(0)->frameIndex.load() != 0; }));
  frame->TickFrame();
  for (int slot = 0; slot < static_cast<int>(std::size(inis)); ++slot) {
    const headless::WindowState state = headless::State(Sprite(slot)->GetSafeHwnd());
    EXPECT_TRUE(state.visible && state.layered != nullptr) << slot;
    EXPECT_EQ(state.rect, (Rect{100 * slot, 50, 100 * slot + 32, 82}));
    EXPECT_EQ(state.layeredSize, (Size{kPlaceholderSide, kPlaceholderSide}));
    EXPECT_TRUE(state.layered && std::memcmp(state.layered->Bits(), tile.Strip().Bits(), 32 * 32 * 4) == 0) << slot;
  }
}

// A red frame two pixels wide around a red exclamation mark on pale yellow.
TEST(PlaceholderTile, IsARedFrameAroundAnExclamationMark) {
  OffscreenSurface tile;
  ASSERT_TRUE(DrawPlaceholderTile(tile));
  const struct {
    int32_t x, y;
    bool red;
  } pixels[] = {
      {0, 0, true},  {1, 16, true},   {16, 1, true},   {30, 16, true},  {16, 30, true},   // the frame
      {2, 2, false}, {29, 29, false}, {13, 10, false}, {18, 10, false}, {16, 21, false},  // inside it
      {14, 6, true}, {17, 19, true},  {14, 23, true},  {17, 26, true},                    // bar and dot
  };
  // Red has little green, the pale yellow much.
  for (const auto& p : pixels) EXPECT_EQ(tile.FrameRow(0, p.y)[4 * p.x + 1] < 0x80, p.red) << p.x << ", " << p.y;
}

TEST_F(SpriteWindowTest, MoveMethodAndTopMostAreRestoredSwitchedAndSaved) {
  MakeSkin(L"kite");
  WriteConfig(
      "[Window0]\nSkinName=kite\nMoveMethod=0\nTopMost=5\n[Window1]\nSkinName=kite\nMoveMethod=1\n"
      "[Window2]\nSkinName=kite\nMoveMethod=2\n[Window3]\nSkinName=kite\nMoveMethod=-1\n");
  Start();
  // MoveMethod 1 drifts, every other value stands; any TopMost but 0 is on.
  const int expected[] = {0, 1, 0, 0};
  const auto drifts = [&](int slot) {
    EXPECT_NE(Checked(Sprite(slot)->popupMenu, IDM_MOVE_STOP), Checked(Sprite(slot)->popupMenu, IDM_MOVE_DRIFT));
    return Sprite(slot)->moving.load() == 1 && Checked(Sprite(slot)->popupMenu, IDM_MOVE_DRIFT);
  };
  for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(drifts(slot), expected[slot] == 1) << slot;
  EXPECT_TRUE(Checked(Sprite(0)->popupMenu, IDM_TOPMOST));
  EXPECT_TRUE(headless::State(Sprite(0)->GetSafeHwnd()).topMost);
  EXPECT_FALSE(Checked(Sprite(1)->popupMenu, IDM_TOPMOST));
  EXPECT_EQ(frame->settings.windows[0].topMost, 1);
  // The tick moves a drifting sprite to its target, which starts in the middle half of the screen.
  TickUntil([&] { return Sprite(1)->targetX.load() != 0; });
  frame->TickFrame();
  const Rect rect = Sprite(1)->GetWindowRect();
  EXPECT_TRUE(rect.left >= 400 && rect.left <= 1500 && rect.top >= 200 && rect.top <= 850) << rect.left;

  Command(2, IDM_MOVE_DRIFT);
  EXPECT_TRUE(drifts(2));
  Command(1, IDM_MOVE_STOP);
  EXPECT_FALSE(drifts(1));
  Command(1, IDM_TOPMOST);
  EXPECT_TRUE(Checked(Sprite(1)->popupMenu, IDM_TOPMOST));
  Command(0, IDM_TOPMOST);
  EXPECT_FALSE(headless::State(Sprite(0)->GetSafeHwnd()).topMost);
  Close();
  EXPECT_EQ(ConfigValue("Window1", "MoveMethod"), "0");
  EXPECT_EQ(ConfigValue("Window2", "MoveMethod"), "1");
  EXPECT_EQ(ConfigValue("Window3", "MoveMethod"), "-1");
  EXPECT_EQ(ConfigValue("Window0", "TopMost"), "0");
  EXPECT_EQ(ConfigValue("Window1", "TopMost"), "1");
}

TEST_F(SpriteWindowTest, SwitchingSkinReplacesTheWindowInPlaceAndClosingEmptiesTheSlotButKeepsItsSettings) {
  MakeSkin(L"a", 1, 32);
  MakeSkin(L"b", 1, 48);
  WriteConfig("[Window0]\nSkinName=a\nPosition=50, 60\nTopMost=1\nMoveMethod=1\nMoveRangeLeft=100\n");
  Start();
  const uint32_t b = frame->catalogue[0].name == L"b" ? 0 : 1;
  Command(0, IDM_SKIN_FIRST + b);
  ASSERT_NE(Sprite(0), nullptr);
  EXPECT_EQ(Sprite(0)->GetSkinName(), L"b");
  EXPECT_EQ(Sprite(0)->GetWindowRect(), (Rect{50, 60, 98, 108}));
  EXPECT_TRUE(Checked(Sprite(0)->popupMenu, IDM_SKIN_FIRST + b));
  EXPECT_FALSE(Checked(Sprite(0)->popupMenu, IDM_SKIN_FIRST + 1 - b));
  Command(0, IDM_SKIN_FIRST + b);  // the same skin: a new window, same place
  EXPECT_EQ(Sprite(0)->GetWindowRect(), (Rect{50, 60, 98, 108}));
  Command(0, IDM_SKIN_FIRST + 7);  // beyond the catalogue: nothing
  EXPECT_EQ(Sprite(0)->GetSkinName(), L"b");

  Sprite(0)->SetWindowPos(ZOrder::Keep, 11, 22, 0, 0, swp::kNoSize);
  Sprite(0)->moving = 0;  // keep the tick from moving it back
  Command(0, IDM_CLOSE_SPRITE);
  EXPECT_EQ(Sprite(0), nullptr);
  EXPECT_EQ(frame->settings.windows[0].position, (Point{11, 22}));
  frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST + b);
  ASSERT_NE(Sprite(0), nullptr);
  EXPECT_EQ(Sprite(0)->moving.load(), 1);
  EXPECT_TRUE(Checked(Sprite(0)->popupMenu, IDM_TOPMOST));
  EXPECT_EQ(Sprite(0)->moveRange.left.load(), 100);

  std::filesystem::remove(folder / "skin" / "a" / "strip.png");  // a skin whose file vanished
  Command(0, IDM_SKIN_FIRST + 1 - b);
  EXPECT_EQ(Sprite(0), nullptr);
  EXPECT_EQ(headless::Windows().size(), 1u);  // the control window alone
  Close();
  EXPECT_EQ(ConfigValue("Window0", "SkinName"), "");
  EXPECT_EQ(ConfigValue("Window0", "MoveRangeLeft"), "100");
}

TEST_F(SpriteWindowTest, RangeEditorAcceptsMovesResizesCancelsAndHidesUntilTheSpriteCloses) {
  headless::SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 144, true}});
  StartWithKite();
  CSpriteWindow* sprite = Sprite(0);
  CSizeWindow& editor = sprite->rangeEditor;
  editor.SetWindowPos(ZOrder::Keep, 100, 100, 400, 300, swp::kShowWindow);
  headless::SetKeyDown(vk::kShift, true);  // Enter accepts whatever modifiers are held
  editor.SendMessage(wm::kKeyDown, vk::kReturn);
  headless::SetKeyDown(vk::kShift, false);
  EXPECT_FALSE(editor.IsWindowVisible());
  EXPECT_EQ(frame->settings.windows[0].moveRange, (MoveRange{3414, 6069, 17068, 24274}));
  EXPECT_EQ(sprite->moveRange.right.load(), 17068);

  sprite->SendMessage(wm::kLButtonDblClk);
  EXPECT_TRUE(editor.IsWindowVisible());
  EXPECT_EQ(editor.GetWindowRect(), (Rect{100, 100, 500, 400}));  // where it was accepted
  EXPECT_EQ(headless::State(editor.GetSafeHwnd()).alpha, 168);
  headless::SetKeyDown(vk::kControl, true);
  editor.SendMessage(wm::kKeyDown, vk::kPrior);  // up 32
  headless::SetKeyDown(vk::kControl, false);
  headless::SetKeyDown(vk::kShift, true);
  editor.SendMessage(wm::kKeyDown, vk::kUp);  // 1 shorter
  headless::SetKeyDown(vk::kShift, false);
  editor.SendMessage(wm::kKeyDown, vk::kLeft);  // 1 left
  EXPECT_EQ(editor.GetWindowRect(), (Rect{99, 68, 99 + 400, 68 + 299}));
  const headless::DrawOp text = headless::State(editor.GetSafeHwnd()).lastNcPaint.back();
  EXPECT_EQ(text.text, RangeEditorText(editor.GetWindowRect()));
  EXPECT_EQ(text.rect.left, 30);  // the 20 px inset at 144 dpi
  EXPECT_EQ(text.fontDpi, 144);

  editor.SendMessage(wm::kKeyDown, vk::kEscape);
  EXPECT_FALSE(editor.IsWindowVisible());
  EXPECT_EQ(frame->settings.windows[0].moveRange, (MoveRange{3414, 6069, 17068, 24274}));
  sprite->SendMessage(wm::kCommand, IDM_EDIT_MOVE_RANGE);
  editor.SendMessage(wm::kRButtonUp);
  EXPECT_FALSE(editor.IsWindowVisible());
  sprite->SendMessage(wm::kCommand, IDM_EDIT_MOVE_RANGE);
  editor.SendMessage(wm::kKeyDown, vk::kLeft);
  editor.SendMessage(wm::kKeyDown, vk::kReturn);  // moved, then accepted: the range follows
  EXPECT_LT(frame->settings.windows[0].moveRange.right, 17068);

  // Closing the editor only hides it; the sprite still moves with the left button and takes it along when it ends.
  sprite->SendMessage(wm::kCommand, IDM_EDIT_MOVE_RANGE);
  const WindowHandle editorWindow = editor.GetSafeHwnd();
  editor.SendMessage(wm::kClose);
  EXPECT_TRUE(headless::IsWindow(editorWindow));
  EXPECT_FALSE(editor.IsWindowVisible());
  sprite->SendMessage(wm::kLButtonDown, 0, PackPoint(5, 6));
  headless::PumpPending();
  EXPECT_EQ(headless::State(sprite->GetSafeHwnd()).systemMoves, 1);
  sprite->SendMessage(wm::kClose);
  EXPECT_EQ(Sprite(0), nullptr);
  EXPECT_FALSE(headless::IsWindow(editorWindow));
}

TEST_F(SpriteWindowTest, AcceptingTheEditorWhereItWasPutKeepsTheRangeToTheUnit) {
  const MoveRange ranges[] = {
      {16383, 16383, 49151, 49151},
      {0, 0, 65535, 65535},
      {-20000, -10000, 90000, 80000},  // wider and taller than the screen
      {-2000000, 5, 2000000, 7},
  };
  for (const MoveRange& range : ranges) {
    StartWithKite("MoveRangeLeft=" + std::to_string(range.left) + "\nMoveRangeTop=" + std::to_string(range.top) +
                  "\nMoveRangeRight=" + std::to_string(range.right) + "\nMoveRangeBottom=" +
                  std::to_string(range.bottom) + "\n");
    CSpriteWindow* sprite = Sprite(0);
    for (int accept = 0; accept < 10; ++accept) {
      sprite->SendMessage(wm::kCommand, IDM_EDIT_MOVE_RANGE);
      sprite->rangeEditor.SendMessage(accept % 2 == 0 ? wm::kKeyDown : wm::kLButtonDblClk, vk::kReturn);
    }
    EXPECT_EQ(frame->settings.windows[0].moveRange, range) << range.left;
    Close();
  }
}

TEST_F(SpriteWindowTest, ANewSpriteAppearsInTheMiddleClearOfTheOthersAndASavedPlaceIsKept) {
  headless::SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true}});
  MakeSkin(L"kite");
  WriteConfig("[Window1]\nSkinName=kite\nPosition=10, 20\n[Window3]\nPosition=\n");
  Start();
  for (int load = 0; load < 2; ++load) frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST);
  EXPECT_EQ(Sprite(1)->GetWindowRect(), (Rect{10, 20, 42, 52}));
  // Side by side across the middle of the work area, the first in the middle.
  EXPECT_EQ(Sprite(0)->GetWindowRect(), (Rect{944, 504, 976, 536}));
  EXPECT_EQ(Sprite(2)->GetWindowRect(), (Rect{984, 504, 1016, 536}));
  Close();
  EXPECT_EQ(ConfigValue("Window2", "Position"), "984, 504");
  EXPECT_EQ(ConfigValue("Window4", "Position"), "");  // still never held a sprite
}

TEST_F(SpriteWindowTest, LostSpritesComeBackAtStartAndWhenAMonitorGoes) {
  const MonitorInfo primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true};
  const MonitorInfo left{{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, 96, false};
  headless::SetMonitors({left, primary});
  MakeSkin(L"kite");
  WriteConfig("[Window0]\nSkinName=kite\nPosition=-1000, 100\n[Window1]\nSkinName=kite\nPosition=1904, 100\n"
              "[Window2]\nSkinName=kite\nPosition=-3000, -3000\n");
  Start();
  EXPECT_EQ(Sprite(0)->GetWindowRect().left, -1000);
  EXPECT_EQ(Sprite(2)->GetWindowRect(), (Rect{-1920, 0, -1888, 32}));

  headless::SetMonitors({primary});
  headless::PostDisplayChange();
  headless::PumpPending();
  EXPECT_EQ(Sprite(0)->GetWindowRect().left, 0);
  EXPECT_EQ(Sprite(1)->GetWindowRect().left, 1904);  // still 16 px showing
  EXPECT_EQ(Sprite(2)->GetWindowRect().left, 0);
  Close();
  EXPECT_EQ(ConfigValue("Window0", "Position"), "0, 100");
}
