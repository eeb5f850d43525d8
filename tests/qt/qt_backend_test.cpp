// The Qt backend against a real X server (a desktop of desktop.sh: bare, a
// window manager, a compositing manager): pixels are read back from the
// screen and input comes from xdotool, as a user's would.
#include <gtest/gtest.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <cstring>
#include <string>

#include <xcb/xcb.h>

#include "platform/app.h"
#include "platform/frame_bitmap.h"
#include "platform/menu.h"
#include "platform/qt/qt_native_window.h"
#include "platform/qt/qt_world.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"
#include "support/probe_window.h"

namespace {

void Settle() { PumpUntil([] { return false; }, 300); }

void Xdotool(const std::string& arguments) {
  ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
}

// Shows at `at`, in a new layered window, the second frame of a 2-frame strip
// of 4 x 4: its left half opaque colours, its right half fully transparent.
void ShowSprite(ProbeWindow& sprite, FrameBitmap& strip, Point at) {
  ASSERT_TRUE(strip.Create(8, 4));
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 4; x < 6; ++x) {
      uint8_t* pixel = strip.Row(y) + x * 4;
      const uint8_t alpha = y < 2 ? 255 : 128;
      pixel[0] = uint8_t(10 * y + x);  // blue, premultiplied
      pixel[1] = uint8_t(alpha / 2);   // green
      pixel[2] = uint8_t(alpha / 4);   // red
      pixel[3] = alpha;
    }
  }
  ASSERT_TRUE(sprite.CreateEx(ws::kExLayered | ws::kExToolWindow, L"", L"", ws::kPopup | ws::kVisible, Rect{0, 0, 4, 4},
                              nullptr));
  ASSERT_TRUE(sprite.UpdateLayeredWindow(at, Size{4, 4}, strip, Point{4, 0}));
}

TEST(QtWindow, LayeredFrameReachesTheScreenAsItsPremultipliedPixels) {
  FrameBitmap strip;
  ProbeWindow sprite;
  ShowSprite(sprite, strip, Point{100, 120});
  EXPECT_EQ(sprite.GetWindowRect(), (Rect{100, 120, 104, 124}));
  EXPECT_EQ(platform::WindowRect(sprite.GetSafeHwnd()), (Rect{100, 120, 104, 124}));
  // A part outside the bitmap is refused, as the desktop refuses it.
  EXPECT_FALSE(sprite.UpdateLayeredWindow(Point{100, 120}, Size{4, 4}, strip, Point{5, 0}));
  Settle();
  const QImage shown = QGuiApplication::primaryScreen()->grabWindow(0, 100, 120, 4, 4).toImage();
  // Opaque pixels show as they are, transparent ones what is below; the
  // half-transparent ones too without a compositing manager.
  const bool blended = qgetenv("KITEMARU_DESKTOP") == "xcompmgr";
  const QRgb below = QColor(qEnvironmentVariable("KITEMARU_BACKDROP", QStringLiteral("#000000"))).rgb();
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) {
      const uint8_t* source = strip.Row(y) + (4 + x) * 4;
      if (blended && source[3] != 0 && source[3] != 255) continue;
      const QRgb expected = source[3] == 0 ? below : qRgb(source[2], source[1], source[0]);
      EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x << "," << y;
    }
  }
  // Moves faster than the server's notices come back: the last one stands
  // on the screen, and a move made by someone else is still seen.
  for (int32_t x = 101; x <= 140; ++x) sprite.UpdateLayeredWindow(Point{x, 120}, Size{4, 4}, strip, Point{4, 0});
  Settle();
  EXPECT_EQ(sprite.GetWindowRect(), (Rect{140, 120, 144, 124}));
  const QImage moved = QGuiApplication::primaryScreen()->grabWindow(0, 140, 120, 1, 1).toImage();
  EXPECT_EQ(moved.pixel(0, 0) & 0xFFFFFF, shown.pixel(0, 0) & 0xFFFFFF);
  const WId id = qt::Find(sprite.GetSafeHwnd())->winId();
  Xdotool("windowmove " + std::to_string(id) + " 300 310");
  EXPECT_TRUE(PumpUntil([&] { return sprite.GetWindowRect() == Rect{300, 310, 304, 314}; }));
}

// Counts the server's exposures of one window that reach the program.
struct ExposureCount : QAbstractNativeEventFilter {
  explicit ExposureCount(WId window) : window(window) { qApp->installNativeEventFilter(this); }
  ~ExposureCount() override { qApp->removeNativeEventFilter(this); }
  bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
    const auto* event = static_cast<const xcb_expose_event_t*>(message);
    if ((event->response_type & 0x7F) == XCB_EXPOSE && event->window == window) ++count;
    return false;
  }
  WId window;
  int count = 0;
};

// A new frame with a new outline is on the screen, on a bare desktop without
// the server sending the program anything back (a window manager's frame
// takes the outline later, and what that uncovers is drawn again), and what a
// window above the sprite uncovers shows the frame shown now.
TEST(QtWindow, NewFramesShowWithoutExposuresAndUncoveredPartsShowTheFrameNow) {
  FrameBitmap strip;
  ProbeWindow sprite;
  ShowSprite(sprite, strip, Point{100, 120});
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) std::memcpy(strip.Row(y) + x * 4, "\x30\x60\x90\xFF", 4);  // frame 1: opaque
  }
  Settle();
  const auto pixel = [](int x, int y) {
    return QGuiApplication::primaryScreen()->grabWindow(0, x, y, 1, 1).toImage().pixel(0, 0) & 0xFFFFFF;
  };
  ExposureCount exposures(qt::Find(sprite.GetSafeHwnd())->winId());
  for (const int32_t frame : {0, 4, 0, 4, 0}) {
    ASSERT_TRUE(sprite.UpdateLayeredWindow(Point{100, 120}, Size{4, 4}, strip, Point{frame, 0}));
    Settle();
    EXPECT_EQ(pixel(103, 120), frame == 0 ? 0x906030u : QColor(qEnvironmentVariable("KITEMARU_BACKDROP")).rgb() & 0xFFFFFF)
        << "frame at " << frame;
  }
  if (qgetenv("KITEMARU_DESKTOP") == "bare") {
    EXPECT_EQ(exposures.count, 0);
  }

  ProbeWindow cover;
  ASSERT_TRUE(cover.CreateEx(ws::kExToolWindow, L"", L"", ws::kPopup | ws::kVisible, Rect{90, 110, 130, 150}, nullptr));
  Settle();
  ASSERT_TRUE(sprite.UpdateLayeredWindow(Point{100, 120}, Size{4, 4}, strip, Point{4, 0}));
  Settle();
  ASSERT_TRUE(sprite.UpdateLayeredWindow(Point{100, 120}, Size{4, 4}, strip, Point{0, 0}));
  cover.DestroyWindow();
  Settle();
  EXPECT_EQ(pixel(101, 123), 0x906030u);
}

// A strip made again in the same place, as a skin loaded again is, shows
// its own pixels and outline, not those kept of the strip before it.
TEST(QtWindow, AStripMadeAgainShowsItsOwnPixelsAndOutline) {
  FrameBitmap strip;
  ProbeWindow sprite;
  ShowSprite(sprite, strip, Point{160, 120});
  Settle();
  ASSERT_TRUE(strip.Create(8, 4));
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 4; x < 8; ++x) std::memcpy(strip.Row(y) + x * 4, "\x90\x60\x30\xFF", 4);
  }
  ASSERT_TRUE(sprite.UpdateLayeredWindow(Point{160, 120}, Size{4, 4}, strip, Point{4, 0}));
  Settle();
  const QImage shown = QGuiApplication::primaryScreen()->grabWindow(0, 160, 120, 4, 4).toImage();
  EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0x306090u);
  EXPECT_EQ(shown.pixel(3, 3) & 0xFFFFFF, 0x306090u);
}

// A strip taller than a pixmap on the server can be still shows its frames,
// sent to the server frame by frame.
TEST(QtWindow, AStripTooLargeToKeepOnTheServerStillShowsItsFrames) {
  FrameBitmap strip;
  ASSERT_TRUE(strip.Create(4, 40000));
  for (int32_t y = 39996; y < 40000; ++y) {
    for (int32_t x = 0; x < 2; ++x) std::memcpy(strip.Row(y) + x * 4, "\x90\x60\x30\xFF", 4);
  }
  ProbeWindow sprite;
  ASSERT_TRUE(sprite.CreateEx(ws::kExLayered | ws::kExToolWindow, L"", L"", ws::kPopup | ws::kVisible, Rect{0, 0, 4, 4},
                              nullptr));
  ASSERT_TRUE(sprite.UpdateLayeredWindow(Point{220, 120}, Size{4, 4}, strip, Point{0, 39996}));
  Settle();
  const QImage shown = QGuiApplication::primaryScreen()->grabWindow(0, 220, 120, 4, 4).toImage();
  EXPECT_EQ(shown.pixel(1, 3) & 0xFFFFFF, 0x306090u);
  EXPECT_EQ(shown.pixel(3, 0) & 0xFFFFFF, QColor(qEnvironmentVariable("KITEMARU_BACKDROP")).rgb() & 0xFFFFFF);
}

// The sprite takes the mouse only where its frame is opaque, also once it
// is made always on top, and a press there drags it, by the window manager
// or by itself.
TEST(QtWindow, ClicksOnTransparentPixelsReachTheWindowBelowOpaqueOnesDragTheSprite) {
  ProbeWindow below;
  ASSERT_TRUE(below.CreateEx(ws::kExToolWindow, L"", L"", ws::kPopup | ws::kVisible, Rect{200, 200, 240, 240},
                             nullptr));
  FrameBitmap strip;
  ProbeWindow sprite;
  sprite.dragsLikeASprite = true;
  ShowSprite(sprite, strip, Point{200, 200});
  // Always on top, which keeps the shape: a window manager would otherwise
  // keep the sprite, which takes no focus, below the window that has it.
  ASSERT_TRUE(sprite.SetWindowPos(ZOrder::TopMost, 0, 0, 0, 0, swp::kNoMove | swp::kNoSize));
  Settle();
  const struct {
    int x, y;
    ProbeWindow* receiver;
  } cases[] = {{201, 201, &sprite}, {203, 201, &below}, {201, 203, &sprite}, {230, 230, &below}};
  for (const auto& c : cases) {
    below.received.clear();
    sprite.received.clear();
    Xdotool("mousemove " + std::to_string(c.x) + " " + std::to_string(c.y) + " click 1");
    EXPECT_TRUE(PumpUntil([&] { return c.receiver->Find(wm::kLButtonDown) != nullptr; })) << c.x << "," << c.y;
    EXPECT_EQ((c.receiver == &sprite ? below : sprite).Find(wm::kLButtonDown), nullptr) << c.x << "," << c.y;
  }
  ASSERT_EQ(sprite.GetWindowRect(), (Rect{200, 200, 204, 204}));

  for (const char* step : {"mousemove 201 201 mousedown 1", "mousemove 226 211", "mousemove 251 221 mouseup 1"}) {
    Xdotool(step);
    Settle();
  }
  EXPECT_EQ(sprite.GetWindowRect(), (Rect{250, 220, 254, 224}));
}

TEST(QtWindow, KeysArriveAsTheDesktopsKeyCodesWithShiftAndCtrl) {
  ProbeWindow editor;
  ASSERT_TRUE(editor.CreateEx(ws::kExLayered | ws::kExToolWindow, L"", L"", ws::kPopup | ws::kThickFrame,
                              Rect{400, 400, 500, 450}, nullptr));
  editor.ShowWindow(sw::kShow);
  Settle();
  const WId id = qt::Find(editor.GetSafeHwnd())->winId();
  Xdotool("windowfocus --sync " + std::to_string(id));
  Settle();
  const struct {
    const char* keys;
    uint32_t key;
  } cases[] = {{"Left", vk::kLeft},   {"shift+Right", vk::kRight},   {"ctrl+Down", vk::kDown}, {"Prior", vk::kPrior},
               {"Next", vk::kNext},   {"shift+ctrl+End", vk::kEnd},  {"Home", vk::kHome},      {"Up", vk::kUp},
               {"Return", vk::kReturn}, {"Escape", vk::kEscape}};
  for (const auto& c : cases) {
    editor.received.clear();
    Xdotool(std::string("key ") + c.keys);
    const Received* down = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (down = editor.Find(wm::kKeyDown, c.key)) != nullptr; })) << c.keys;
    EXPECT_EQ(down->shift, std::strstr(c.keys, "shift+") != nullptr) << c.keys;
    EXPECT_EQ(down->ctrl, std::strstr(c.keys, "ctrl+") != nullptr) << c.keys;
  }
}

TEST(QtMenu, TemplateMenuChosenWithKeysPostsItsCommandPassingGreyItems) {
  ProbeWindow owner;
  ASSERT_TRUE(owner.CreateEx(0, L"", L"owner", ws::kOverlappedWindow | ws::kVisible, Rect{0, 0, 320, 240}, nullptr));
  Settle();
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CONTROL_MENU));
  ASSERT_TRUE(menu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, IDM_FPS_30));
  ASSERT_TRUE(menu.EnableMenuItem(IDM_APP_ABOUT, false));
  // The keys go to the open menu: the first item is the settings submenu,
  // the separator and the grey about box are skipped, the next is exit. With
  // no window manager they go where the pointer is: on the owner, as a right-click leaves it.
  Xdotool("mousemove 20 220");
  ASSERT_EQ(std::system("(sleep 1; xdotool key Down Down Return) &"), 0);
  ASSERT_TRUE(menu.GetSubMenu(0).TrackPopupMenu(Point{50, 50}, &owner));
  EXPECT_TRUE(PumpUntil([&] { return owner.Find(wm::kCommand) != nullptr; }));
  ASSERT_EQ(owner.received.size(), 1u);
  EXPECT_EQ(owner.received[0].value, uintptr_t{IDM_EXIT});
}

TEST(QtPump, PostedMessagesComeBeforeTimersAndQuitEndsTheLoop) {
  ProbeWindow window;
  ASSERT_TRUE(window.CreateEx(ws::kExToolWindow, L"", L"", ws::kPopup, Rect{0, 0, 10, 10}, nullptr));
  const uint32_t start = platform::TimeGetTime();
  ASSERT_TRUE(window.SetTimer(7, 40));
  Message message;
  ASSERT_TRUE(platform::GetMessage(message));
  EXPECT_EQ(message.message, wm::kTimer);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_GE(platform::TimeGetTime() - start, 39u);
  EXPECT_LT(platform::TimeGetTime() - start, 1000u);
  window.PostMessage(wm::kApp, 5, 0);
  ASSERT_TRUE(platform::GetMessage(message));
  EXPECT_EQ(message.message, wm::kApp);
  EXPECT_TRUE(window.KillTimer(7));
  platform::PostQuitMessage(3);
  EXPECT_FALSE(platform::GetMessage(message));
  EXPECT_EQ(message.wParam, 3u);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
  qt::RefreshMonitors();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
