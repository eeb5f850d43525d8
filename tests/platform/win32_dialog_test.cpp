// The about box, built in memory from its template and run modally.
#include "platform/win32/win32_windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/dialog.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"

namespace {

struct SeenDialog {
  std::wstring caption;
  std::wstring text;
  bool hasIcon = false;
  bool found = false;
  RECT rect{};
};

std::wstring TextOf(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

// Reads the dialog once it is up, then presses its OK button.
void ReadAndConfirm(const std::atomic<bool>& done, SeenDialog& seen) {
  const DWORD deadline = GetTickCount() + 5000;
  while (!done && GetTickCount() < deadline) {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (dialog != nullptr && IsWindowVisible(dialog)) {
      seen.found = true;
      seen.caption = TextOf(dialog);
      seen.text = TextOf(GetDlgItem(dialog, IDC_ABOUT_TEXT));
      seen.hasIcon = SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
      GetWindowRect(dialog, &seen.rect);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return;
    }
    Sleep(10);
  }
}

TEST(Win32Dialog, AboutBoxShowsItsTemplateOnScreenAndClosesWithOk) {
  // An owner in the screen's corner, as the control window stands.
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, RegisterWindowClass({L"", 0, ClassBrush::Black, 0}), L"owner",
                             ws::kPopup | ws::kVisible, {0, 0, 320, 240}, nullptr));
  CDialog about(IDD_ABOUTBOX);
  std::atomic<bool> done{false};
  SeenDialog seen;
  std::thread user(ReadAndConfirm, std::cref(done), std::ref(seen));
  const intptr_t result = about.DoModal(&owner);
  done = true;
  user.join();

  EXPECT_EQ(result, IDOK);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, L"バージョン情報");
  EXPECT_EQ(seen.text, L"KITE-MARU Version 0.1.0");
  EXPECT_TRUE(seen.hasIcon);
  EXPECT_GE(seen.rect.left, 0);
  EXPECT_GE(seen.rect.top, 0);
}

TEST(Win32Dialog, UnknownTemplateFailsWithoutAWindow) {
  CDialog unknown(4242);
  EXPECT_EQ(unknown.DoModal(nullptr), -1);
}

}  // namespace
