#include "size_window.h"

#include "platform/dc.h"
#include "platform/monitors.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace {

constexpr int32_t kTextInset = 20;

}  // namespace

RangeEditorKey RangeEditorKeyFor(uint32_t virtualKey, bool ctrl, bool shift) {
  RangeEditorKey key;
  const int32_t small = ctrl ? 8 : 1;
  const int32_t large = ctrl ? 32 : 16;
  int32_t* horizontal = shift ? &key.dw : &key.dx;
  int32_t* vertical = shift ? &key.dh : &key.dy;
  switch (virtualKey) {
    case vk::kReturn: key.accept = true; break;
    case vk::kEscape: key.cancel = true; break;
    case vk::kLeft: *horizontal = -small; break;
    case vk::kRight: *horizontal = small; break;
    case vk::kUp: *vertical = -small; break;
    case vk::kDown: *vertical = small; break;
    case vk::kHome: *horizontal = -large; break;
    case vk::kEnd: *horizontal = large; break;
    case vk::kPrior: *vertical = -large; break;
    case vk::kNext: *vertical = large; break;
    default: break;
  }
  return key;
}

std::wstring RangeEditorText(const Rect& window) {
  return std::wstring(FindString(IDS_RANGE_EDITOR_HELP)) + L"(" + std::to_wstring(window.left) + L", " +
         std::to_wstring(window.top) + L") (" + std::to_wstring(window.Width()) + L" x " +
         std::to_wstring(window.Height()) + L")";
}

int CSizeWindow::OnCreate(const CreateStruct& cs) {
  CWnd::OnCreate(cs);
  ownerSprite = static_cast<CWnd*>(const_cast<void*>(cs.param));
  SetLayeredAlpha(kRangeEditorAlpha);
  return 0;
}

intptr_t CSizeWindow::Accept() {
  ShowWindow(sw::kHide);
  return ownerSprite != nullptr ? ownerSprite->SendMessage(wm::kApp, 0, 0) : 0;
}

void CSizeWindow::OnLButtonDown(Point at) { PostMessage(wm::kNcLButtonDown, kHitCaption, PackPoint(at.x, at.y)); }

void CSizeWindow::OnLButtonDblClk(Point) { Accept(); }

void CSizeWindow::OnRButtonUp(Point) { ShowWindow(sw::kHide); }

bool CSizeWindow::OnKeyDown(uint32_t virtualKey) {
  const RangeEditorKey key =
      RangeEditorKeyFor(virtualKey, platform::IsKeyDown(vk::kControl), platform::IsKeyDown(vk::kShift));
  if (key.accept) {
    Accept();
    return false;
  }
  if (key.cancel) {
    ShowWindow(sw::kHide);
    return false;
  }
  const Rect rect = GetWindowRect();
  SetWindowPos(ZOrder::Keep, rect.left + key.dx, rect.top + key.dy, rect.Width() + key.dw, rect.Height() + key.dh,
               swp::kNoZOrder);
  PaintOverlay();
  return true;
}

bool CSizeWindow::OnNcPaint() {
  PaintOverlay();
  return true;
}

void CSizeWindow::OnMoving() { PaintOverlay(); }

void CSizeWindow::OnClose() { ShowWindow(sw::kHide); }

void CSizeWindow::PaintOverlay() {
  const Rect rect = GetWindowRect();
  const int32_t width = rect.Width();
  const int32_t height = rect.Height();
  const int32_t dpi = platform::WindowDpi(GetSafeHwnd());
  const int32_t inset = ScaleForDpi(kTextInset, dpi);
  CWindowDC dc(this);
  dc.FillSolidRect(Rect{0, 0, width, height}, 0x000000);
  void* previousFont = dc.SelectStockFont(StockFont::DefaultGui, dpi);
  dc.SetBkColor(0x000000);
  dc.SetTextColor(0xFFFFFF);
  Rect textRect{inset, inset, width + inset, height + inset};
  dc.DrawText(RangeEditorText(rect), textRect, 0);
  if (previousFont != nullptr) dc.RestoreFont(previousFont);
}
