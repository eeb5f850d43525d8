#pragma once
// The translucent overlay with which the user drags, resizes or key-steps a
// sprite's move range. Its rectangle in screen pixels is its whole result:
// on acceptance it hides and tells its sprite window, which reads it.
#include <string>

#include "platform/wnd.h"

inline constexpr uint8_t kRangeEditorAlpha = 168;

// What one key does to the editor.
struct RangeEditorKey {
  bool accept = false;
  bool cancel = false;
  int32_t dx = 0;  // left edge
  int32_t dy = 0;  // top edge
  int32_t dw = 0;  // width
  int32_t dh = 0;  // height
};

RangeEditorKey RangeEditorKeyFor(uint32_t virtualKey, bool ctrl, bool shift);
// The help text followed by the editor's position and size.
std::wstring RangeEditorText(const Rect& window);

class CSizeWindow : public CWnd {
 public:
  // Hides the editor, then has the sprite window store its rectangle; the
  // range is stored when this returns.
  intptr_t Accept();

  CWnd* ownerSprite = nullptr;

 protected:
  int OnCreate(const CreateStruct& cs) override;
  void OnLButtonDown(Point at) override;
  void OnLButtonDblClk(Point at) override;
  void OnRButtonUp(Point at) override;
  bool OnKeyDown(uint32_t virtualKey) override;
  bool OnNcPaint() override;
  void OnMoving() override;
  // Closing the overlay by the keyboard cancels; the window stays for next time.
  void OnClose() override;

 private:
  void PaintOverlay();
};
