// Windows of the Win32 backend: creation, message routing, placement, band,
// opacity and the message loop, read back from the window system itself.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/app.h"
#include "platform/frame_bitmap.h"
#include "platform/monitors.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "support/probe_window.h"

namespace {

HWND Native(const CWnd& window) { return static_cast<HWND>(window.GetSafeHwnd()); }

bool CreateProbe(ProbeWindow& window, const void* param = nullptr) {
  const std::wstring windowClass = RegisterWindowClass({L"", cs::kDblClks, ClassBrush::WindowColor, 0});
  return window.CreateEx(ws::kExLayered | ws::kExToolWindow, windowClass, L"probe", ws::kPopup | ws::kVisible,
                         {0, 0, 1280, 1024}, param);
}

class Win32Window : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateProbe(window, &kMarker)); }
  static constexpr int kMarker = 0;
  ProbeWindow window;
};

TEST_F(Win32Window, CreationBindsTheObjectWhileDestructionAndRefusalUnbindIt) {
  EXPECT_EQ(window.created.param, &kMarker);
  EXPECT_EQ(window.created.title, L"probe");
  HWND hwnd = Native(window);
  EXPECT_EQ(CWnd::FromHandle(hwnd), &window);
  // A second creation is refused and leaves the first window bound.
  EXPECT_FALSE(CreateProbe(window));
  EXPECT_EQ(Native(window), hwnd);
  EXPECT_EQ(CWnd::FromHandle(hwnd), &window);

  EXPECT_TRUE(window.DestroyWindow());
  EXPECT_EQ(window.GetSafeHwnd(), nullptr);
  EXPECT_EQ(window.ncDestroys, 1);
  EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);

  ProbeWindow refused(-1);
  EXPECT_FALSE(CreateProbe(refused));
  EXPECT_EQ(refused.GetSafeHwnd(), nullptr);
  EXPECT_EQ(refused.ncDestroys, 1);
}

TEST_F(Win32Window, SentMessagesAreHandledAtOncePostedOnesAndTimersThroughThePump) {
  EXPECT_EQ(window.SendMessage(wm::kApp), 1);
  ASSERT_TRUE(window.PostMessage(wm::kApp));
  EXPECT_EQ(window.appMessages, 1);
  ASSERT_TRUE(window.SetTimer(7, 10));
  EXPECT_TRUE(PumpUntil([&] { return window.Find(wm::kTimer, 7) != nullptr; }, 5000));
  EXPECT_TRUE(window.KillTimer(7));
  EXPECT_EQ(window.appMessages, 2);
}

TEST_F(Win32Window, PlacementAndBandFollowSetWindowPos) {
  const struct {
    ZOrder band;
    Rect rect;
    uint32_t flags;
    bool topMost;
  } steps[] = {
      {ZOrder::TopMost, {10, 20, 110, 220}, swp::kNoActivate, true},
      {ZOrder::Keep, {30, 40, 130, 240}, swp::kNoZOrder | swp::kNoActivate | swp::kNoSize, true},
      {ZOrder::NoTopMost, {30, 40, 90, 50}, swp::kNoMove | swp::kNoActivate, false},
      {ZOrder::Keep, {-12, 40, 48, 50}, swp::kNoZOrder | swp::kNoActivate | swp::kNoSize, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.rect.left);
    const Rect& r = step.rect;
    ASSERT_TRUE(window.SetWindowPos(step.band, r.left, r.top, r.Width(), r.Height(), step.flags));
    EXPECT_EQ(window.GetWindowRect(), r);
    EXPECT_EQ(platform::WindowRect(window.GetSafeHwnd()), r);
    EXPECT_EQ((GetWindowLongW(Native(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, step.topMost);
  }
}

TEST_F(Win32Window, PrimaryMonitorIsTheScreenAndScaleChangesReachTheWindow) {
  const std::vector<MonitorInfo> monitors = platform::Monitors();
  const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const MonitorInfo& m) { return m.primary; });
  ASSERT_NE(primary, monitors.end());
  EXPECT_EQ(std::count_if(monitors.begin(), monitors.end(), [](const MonitorInfo& m) { return m.primary; }), 1);
  const Size screen = platform::ScreenSize();
  EXPECT_EQ(primary->area, (Rect{0, 0, screen.cx, screen.cy}));

  EXPECT_EQ(platform::WindowDpi(window.GetSafeHwnd()), primary->dpi);
  RECT suggested{5, 6, 205, 206};
  SendMessageW(Native(window), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window.dpi, 144);
  EXPECT_EQ(window.suggested, (Rect{5, 6, 205, 206}));
}

// A sprite's window takes per-pixel frames; the range editor, one opacity.
TEST_F(Win32Window, LayeredUpdateSizesTheWindowFromTheBitmapOrLayeredAlphaSetsOneOpacity) {
  FrameBitmap frame;
  ASSERT_TRUE(frame.Create(24, 16));
  std::fill_n(frame.Bits(), 24 * 16 * 4, 0x80);  // premultiplied grey at half alpha
  ASSERT_TRUE(window.UpdateLayeredWindow({50, 60}, {24, 16}, frame, {0, 0}));
  EXPECT_EQ(window.GetWindowRect(), (Rect{50, 60, 74, 76}));
  EXPECT_FALSE(window.UpdateLayeredWindow({0, 0}, {24, 16}, FrameBitmap(), {0, 0}));
  EXPECT_EQ(window.GetWindowRect(), (Rect{50, 60, 74, 76}));

  ASSERT_TRUE(window.SetLayeredAlpha(168));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Native(window), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 168);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST(Win32WindowClass, RegistrationIsOncePerArguments) {
  const WindowClass sprite{L"", cs::kDblClks, ClassBrush::WindowColor, 0};
  const WindowClass named{L"kitemaru-test", cs::kDblClks | cs::kHRedraw | cs::kVRedraw, ClassBrush::Black, 0};
  const std::wstring spriteName = RegisterWindowClass(sprite);
  EXPECT_FALSE(spriteName.empty());
  EXPECT_EQ(RegisterWindowClass(sprite), spriteName);
  EXPECT_NE(RegisterWindowClass({L"", cs::kDblClks, ClassBrush::None, 0}), spriteName);
  EXPECT_EQ(RegisterWindowClass(named), L"kitemaru-test");
  EXPECT_EQ(RegisterWindowClass(named), L"kitemaru-test");

  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"kitemaru-test", &info));
  EXPECT_EQ(info.hbrBackground, GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
}

TEST(Win32Pump, RunCallsIdleUntilTheQuitRequestAndReturnsItsCode) {
  struct QuittingApp : CWinApp {
    int idleCalls = 0;
    bool OnIdle(long) override {
      if (++idleCalls == 3) platform::PostQuitMessage(5);
      return true;
    }
  } app;
  EXPECT_EQ(app.Run(), 5);
  EXPECT_EQ(app.idleCalls, 3);
}

}  // namespace
