#pragma once
// Drawing into a window: a paint context for WM_PAINT and a whole-window
// context (border included) for non-client painting.
#include <cstdint>
#include <string>

#include "geometry.h"
#include "monitors.h"

class CWnd;

enum class StockFont { SystemFixed, DefaultGui };

class CDC {
 public:
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // The stock font as it looks on a monitor of this scale: the stock font
  // itself at the system's scale, a scaled copy at any other. Returns the
  // font it replaced, for RestoreFont; null if none was selected.
  void* SelectStockFont(StockFont font, int32_t dpi = kDefaultDpi);
  void RestoreFont(void* previous);
  void SetTransparentBackground();
  void SetBkColor(Color color);
  void SetTextColor(Color color);
  void FillSolidRect(const Rect& rect, Color color);
  // DrawText: with dt::kCalcRect only measures, widening rect and setting
  // its bottom. Returns the height of the text.
  int32_t DrawText(const std::wstring& text, Rect& rect, uint32_t format);

  // What the backend draws with; each backend defines it.
  struct Native;

 protected:
  CDC() = default;
  ~CDC() = default;
  CWnd* window = nullptr;
  Native* native = nullptr;  // null when there is nothing to draw on
};

// Begins and ends painting of a window's client area.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC();
};

// The whole window, its origin at the window's top-left corner.
class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC();
};
