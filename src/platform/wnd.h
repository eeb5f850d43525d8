#pragma once
// Windows as C++ objects: each message reaches a virtual On... handler of the
// object that owns the window; what a handler leaves alone gets the window
// system's default processing.
#include <cstdint>
#include <string>

#include "geometry.h"

class CFrameWnd;
class FrameBitmap;

using WindowHandle = void*;

struct CreateStruct {
  uint32_t exStyle = 0;
  std::wstring className;
  std::wstring title;
  uint32_t style = 0;
  Rect rect;
  const void* param = nullptr;  // the creation parameter, untouched
};

enum class ClassBrush { None, Black, WindowColor };

struct WindowClass {
  std::wstring name;  // empty: a name is made from the other fields
  uint32_t style = 0;
  ClassBrush brush = ClassBrush::None;
  uint32_t icon = 0;  // icon resource, 0 for none
};

// Registers (once) a window class with the arrow cursor; returns its name.
std::wstring RegisterWindowClass(const WindowClass& windowClass);

// The z-order band for SetWindowPos.
enum class ZOrder { Keep, TopMost, NoTopMost };

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  WindowHandle GetSafeHwnd() const { return hwnd; }
  static CWnd* FromHandle(WindowHandle handle);

  bool CreateEx(uint32_t exStyle, const std::wstring& className, const std::wstring& title, uint32_t style,
                const Rect& rect, const void* param);
  virtual bool DestroyWindow();

  bool ShowWindow(int command);
  bool IsWindowVisible() const;
  bool IsIconic() const;
  // Puts the window in front of the others with the keyboard.
  bool SetForegroundWindow();
  void UpdateWindow();
  void Invalidate();
  Rect GetWindowRect() const;
  Rect GetClientRect() const;
  bool SetWindowPos(ZOrder band, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags);
  bool PostMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
  intptr_t SendMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
  bool SetTimer(uintptr_t id, uint32_t periodMs);
  bool KillTimer(uintptr_t id);
  // A layered window shown at one constant opacity.
  bool SetLayeredAlpha(uint8_t alpha);
  // Places, sizes and paints a layered window from the size-sized part of a
  // premultiplied bitmap whose top-left corner is at from (rows counted from the top).
  bool UpdateLayeredWindow(Point topLeft, Size size, const FrameBitmap& source, Point from);

  // Routes one message to its handler. Returns true when the handler took it
  // and default processing must not run; result is then the reply. No
  // exception leaves it: a throwing handler fails its message (a creation is
  // refused) and the program goes on.
  bool Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) noexcept;

  // Backends only: the window came into being or is gone for good.
  void Attach(WindowHandle handle) { hwnd = handle; }
  void Detach() { hwnd = nullptr; }
  virtual void PostNcDestroy() {}

 protected:
  virtual bool PreCreateWindow(CreateStruct& cs);
  virtual int OnCreate(const CreateStruct& cs);
  virtual void OnDestroy() {}
  virtual void OnClose();
  virtual void OnPaint();
  // True when it painted and the default frame must not be drawn.
  virtual bool OnNcPaint() { return false; }
  virtual void OnTimer(uintptr_t) {}
  virtual void OnContextMenu(Point) {}
  // True when the command was handled.
  virtual bool OnCommand(uint32_t) { return false; }
  virtual void OnLButtonDown(Point) {}
  virtual void OnLButtonDblClk(Point) {}
  virtual void OnRButtonUp(Point) {}
  // True when default processing is to follow.
  virtual bool OnKeyDown(uint32_t) { return true; }
  virtual void OnMoving() {}
  virtual intptr_t OnAppMessage() { return 0; }
  virtual bool OnQueryEndSession() { return true; }
  virtual void OnEndSession(bool) {}
  virtual void OnDisplayChange() {}
  // The window was minimised, by the user or by the program.
  virtual void OnMinimize() {}
  // The tray icon this window owns was clicked, or its menu asked for.
  virtual void OnTrayIconClick() {}
  virtual void OnTrayIconMenu() {}
  // The window moved to a monitor of another scale; suggested is where the
  // system proposes to put it at that scale.
  virtual void OnDpiChanged(int32_t, const Rect&) {}

 private:
  bool Route(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);

  WindowHandle hwnd = nullptr;
};

// A top-level frame: closing it destroys it, and its object deletes itself
// once the window is gone, first telling the gone-hook (the application
// object's: its main frame going ends the message loop).
class CFrameWnd : public CWnd {
 public:
  using GoneHook = void (*)(CFrameWnd* frame);
  // One for the process; nullptr for none.
  static void SetGoneHook(GoneHook hook);

 protected:
  bool PreCreateWindow(CreateStruct& cs) override;
  void PostNcDestroy() override;
};
