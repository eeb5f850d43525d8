// Windows of the Win32 backend: creation, message routing, placement, band,
// opacity and the message loop, read back from the window system itself.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/app.h"
#include "platform/frame_bitmap.h"
#include "platform/monitors.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"

namespace {

class ProbeWindow : public CWnd {
 public:
  explicit ProbeWindow(int createResult = 0) : createResult(createResult) {}
  ~ProbeWindow() override { DestroyWindow(); }

  const void* createParam = nullptr;
  std::wstring createTitle;
  int appMessages = 0;
  std::vector<uintptr_t> timers;
  int ncDestroys = 0;
  int32_t dpi = 0;
  Rect suggested;

  void PostNcDestroy() override { ++ncDestroys; }

 protected:
  int OnCreate(const CreateStruct& cs) override {
    createParam = cs.param;
    createTitle = cs.title;
    return createResult;
  }
  intptr_t OnAppMessage() override { return ++appMessages; }
  void OnTimer(uintptr_t id) override { timers.push_back(id); }
  void OnDpiChanged(int32_t newDpi, const Rect& rect) override {
    dpi = newDpi;
    suggested = rect;
  }

 private:
  int createResult;
};

std::wstring ProbeClass() { return RegisterWindowClass({L"", cs::kDblClks, ClassBrush::WindowColor, 0}); }

bool CreateProbe(ProbeWindow& window, uint32_t exStyle, const void* param) {
  return window.CreateEx(exStyle, ProbeClass(), L"probe", ws::kPopup | ws::kVisible, {0, 0, 1280, 1024}, param);
}

HWND Native(const CWnd& window) { return static_cast<HWND>(window.GetSafeHwnd()); }

void PumpPending() {
  Message message;
  while (platform::PeekMessage(message, true)) {
    platform::TranslateMessage(message);
    platform::DispatchMessage(message);
  }
}

TEST(Win32Window, CreationHandsTheParameterToOnCreateAndBindsTheObject) {
  const int marker = 0;
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, ws::kExLayered | ws::kExToolWindow, &marker));

  EXPECT_EQ(window.createParam, &marker);
  EXPECT_EQ(window.createTitle, L"probe");
  EXPECT_EQ(CWnd::FromHandle(window.GetSafeHwnd()), &window);
}

TEST(Win32Window, RefusedCreationLeavesNoWindow) {
  ProbeWindow window(-1);
  EXPECT_FALSE(CreateProbe(window, 0, nullptr));
  EXPECT_EQ(window.GetSafeHwnd(), nullptr);
  EXPECT_EQ(window.ncDestroys, 1);
}

TEST(Win32Window, DestructionUnbindsTheObject) {
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, 0, nullptr));
  HWND hwnd = Native(window);

  EXPECT_TRUE(window.DestroyWindow());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(window.GetSafeHwnd(), nullptr);
  EXPECT_EQ(window.ncDestroys, 1);
  EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
}

TEST(Win32Window, SentAppMessageIsHandledBeforeSendReturns) {
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, 0, nullptr));

  EXPECT_EQ(window.SendMessage(wm::kApp), 1);
  EXPECT_EQ(window.appMessages, 1);
}

TEST(Win32Window, PostedMessagesAndTimersArriveThroughThePump) {
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, 0, nullptr));
  ASSERT_TRUE(window.PostMessage(wm::kApp));
  EXPECT_EQ(window.appMessages, 0);
  ASSERT_TRUE(window.SetTimer(7, 10));

  const DWORD deadline = GetTickCount() + 5000;
  while (window.timers.empty() && GetTickCount() < deadline) {
    PumpPending();
    Sleep(5);
  }
  EXPECT_TRUE(window.KillTimer(7));
  EXPECT_EQ(window.appMessages, 1);
  ASSERT_FALSE(window.timers.empty());
  EXPECT_EQ(window.timers.front(), 7u);
}

TEST(Win32Window, PlacementAndBandFollowSetWindowPos) {
  struct Step {
    ZOrder band;
    Rect rect;
    uint32_t flags;
    bool topMost;
  };
  const Step steps[] = {
      {ZOrder::TopMost, {10, 20, 110, 220}, swp::kNoActivate, true},
      {ZOrder::Keep, {30, 40, 130, 240}, swp::kNoZOrder | swp::kNoActivate | swp::kNoSize, true},
      {ZOrder::NoTopMost, {30, 40, 90, 50}, swp::kNoMove | swp::kNoActivate, false},
      {ZOrder::Keep, {-12, 40, 48, 50}, swp::kNoZOrder | swp::kNoActivate | swp::kNoSize, false},
  };
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, ws::kExLayered | ws::kExToolWindow, nullptr));

  for (const Step& step : steps) {
    SCOPED_TRACE(step.rect.left);
    ASSERT_TRUE(window.SetWindowPos(step.band, step.rect.left, step.rect.top, step.rect.Width(), step.rect.Height(),
                                    step.flags));
    EXPECT_EQ(window.GetWindowRect(), step.rect);
    EXPECT_EQ(platform::WindowRect(window.GetSafeHwnd()), step.rect);
    EXPECT_EQ((GetWindowLongW(Native(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, step.topMost);
  }
}

TEST(Win32Window, MonitorsAndScaleComeFromTheSystem) {
  const std::vector<MonitorInfo> monitors = platform::Monitors();
  ASSERT_FALSE(monitors.empty());
  const Size screen = platform::ScreenSize();
  int primaries = 0;
  for (const MonitorInfo& monitor : monitors) {
    if (!monitor.primary) continue;
    ++primaries;
    EXPECT_EQ(monitor.area, (Rect{0, 0, screen.cx, screen.cy}));
    HDC screenDc = GetDC(nullptr);
    EXPECT_EQ(monitor.dpi, GetDeviceCaps(screenDc, LOGPIXELSX));
    ReleaseDC(nullptr, screenDc);
  }
  EXPECT_EQ(primaries, 1);

  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, 0, nullptr));
  EXPECT_EQ(platform::WindowDpi(window.GetSafeHwnd()), monitors.front().dpi);
  RECT suggested{5, 6, 205, 206};
  SendMessageW(Native(window), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window.dpi, 144);
  EXPECT_EQ(window.suggested, (Rect{5, 6, 205, 206}));
}

TEST(Win32Window, LayeredAlphaIsSetOnTheWindow) {
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, ws::kExLayered | ws::kExToolWindow, nullptr));
  ASSERT_TRUE(window.SetLayeredAlpha(168));

  COLORREF key = 1;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Native(window), &key, &alpha, &flags));
  EXPECT_EQ(alpha, 168);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST(Win32Window, LayeredUpdatePlacesAndSizesTheWindowFromTheBitmap) {
  ProbeWindow window;
  ASSERT_TRUE(CreateProbe(window, ws::kExLayered | ws::kExToolWindow, nullptr));
  FrameBitmap frame;
  ASSERT_TRUE(frame.Create(24, 16));
  for (int i = 0; i < 24 * 16 * 4; ++i) frame.Bits()[i] = 0x80;  // premultiplied grey at half alpha

  ASSERT_TRUE(window.UpdateLayeredWindow({50, 60}, {24, 16}, frame, {0, 0}));
  EXPECT_EQ(window.GetWindowRect(), (Rect{50, 60, 74, 76}));

  const FrameBitmap empty;
  EXPECT_FALSE(window.UpdateLayeredWindow({0, 0}, {24, 16}, empty, {0, 0}));
  EXPECT_EQ(window.GetWindowRect(), (Rect{50, 60, 74, 76}));
}

TEST(Win32Window, ClassRegistrationIsOncePerArguments) {
  const WindowClass sprite{L"", cs::kDblClks, ClassBrush::WindowColor, 0};
  const WindowClass editor{L"", cs::kDblClks, ClassBrush::None, 0};
  const WindowClass named{L"kitemaru-test", cs::kDblClks | cs::kHRedraw | cs::kVRedraw, ClassBrush::Black, 0};

  const std::wstring spriteName = RegisterWindowClass(sprite);
  EXPECT_FALSE(spriteName.empty());
  EXPECT_EQ(RegisterWindowClass(sprite), spriteName);
  EXPECT_NE(RegisterWindowClass(editor), spriteName);
  EXPECT_EQ(RegisterWindowClass(named), L"kitemaru-test");
  EXPECT_EQ(RegisterWindowClass(named), L"kitemaru-test");

  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"kitemaru-test", &info));
  EXPECT_EQ(info.hbrBackground, GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
}

class QuittingApp : public CWinApp {
 public:
  int idleCalls = 0;
  bool OnIdle(long) override {
    if (++idleCalls == 3) platform::PostQuitMessage(5);
    return true;
  }
};

TEST(Win32Pump, RunCallsIdleUntilTheQuitRequestAndReturnsItsCode) {
  QuittingApp app;
  EXPECT_EQ(app.Run(), 5);
  EXPECT_EQ(app.idleCalls, 3);
}

}  // namespace
