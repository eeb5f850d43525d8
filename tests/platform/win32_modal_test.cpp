// The backend's modal loops, the tracked popup menu and the about box, with
// a second thread playing the user on the window system's own windows.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/app.h"
#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"

namespace {

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

class CommandSink : public CWnd {
 public:
  std::vector<uint32_t> commands;

 protected:
  bool OnCommand(uint32_t id) override {
    commands.push_back(id);
    return true;
  }
};

TEST(Win32Modal, TrackedPopupSendsTheChosenCommandToItsOwner) {
  CommandSink owner;
  ASSERT_TRUE(owner.CreateEx(0, RegisterWindowClass({L"", 0, ClassBrush::None, 0}), L"owner",
                             ws::kPopup | ws::kVisible, {100, 100, 300, 300}, nullptr));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendMenu(IDM_SKIN_FIRST, L"one"));
  ASSERT_TRUE(menu.AppendMenu(IDM_SKIN_FIRST + 1, L"two"));
  const auto pressKeys = [](HWND popup) {
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      PostMessageW(popup, WM_KEYDOWN, key, 0);
      Sleep(20);
    }
  };
  ASSERT_TRUE(WhileTheUserAnswers(L"#32768", pressKeys, [&] { return menu.TrackPopupMenu({120, 120}, &owner); }));

  Message message;
  while (platform::PeekMessage(message, true)) platform::DispatchMessage(message);
  EXPECT_EQ(owner.commands, std::vector<uint32_t>{IDM_SKIN_FIRST + 1});
}

TEST(Win32Modal, AboutBoxShowsItsTemplateOnScreenAndClosesWithOkAnUnknownOneFails) {
  CWnd owner;  // in the screen's corner, as the control window stands
  ASSERT_TRUE(owner.CreateEx(0, RegisterWindowClass({L"", 0, ClassBrush::Black, 0}), L"owner",
                             ws::kPopup | ws::kVisible, {0, 0, 320, 240}, nullptr));
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
