#include "win32_windows.h"

#include <vector>

#include "platform/dialog.h"
#include "platform/wnd.h"
#include "res/resources.h"

namespace {

// An in-memory DLGTEMPLATE: the same layout a resource compiler writes.
class TemplateWriter {
 public:
  void Word(WORD value) { words.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(const wchar_t* text) {
    for (const wchar_t* c = text != nullptr ? text : L""; *c != L'\0'; ++c) Word(static_cast<WORD>(*c));
    Word(0);
  }
  void Ordinal(WORD value) {
    Word(0xFFFF);
    Word(value);
  }
  // Every item starts on a DWORD boundary.
  void AlignDword() {
    if (words.size() % 2 != 0) Word(0);
  }
  const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

 private:
  std::vector<WORD> words;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

void WriteControl(TemplateWriter& out, const DialogControl& control) {
  DWORD style = WS_CHILD | WS_VISIBLE | control.extraStyle;
  WORD windowClass = kStaticClass;
  switch (control.kind) {
    case DialogControlKind::Icon:
      style |= SS_ICON;
      break;
    case DialogControlKind::Static:
      style |= SS_LEFT | WS_GROUP;
      break;
    case DialogControlKind::DefPushButton:
      style |= BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP;
      windowClass = kButtonClass;
      break;
  }
  out.AlignDword();
  out.Dword(style);
  out.Dword(0);
  out.Word(static_cast<WORD>(control.x));
  out.Word(static_cast<WORD>(control.y));
  out.Word(static_cast<WORD>(control.cx));
  out.Word(static_cast<WORD>(control.cy));
  out.Word(static_cast<WORD>(control.id));
  out.Ordinal(windowClass);
  if (control.kind == DialogControlKind::Icon) {
    out.Ordinal(static_cast<WORD>(control.iconId));
  } else {
    out.Text(control.text);
  }
  out.Word(0);  // no creation data
}

void WriteTemplate(TemplateWriter& out, const DialogTemplate& dialog) {
  out.Dword(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  out.Dword(0);
  out.Word(static_cast<WORD>(dialog.controls.size()));
  out.Word(0);
  out.Word(0);
  out.Word(static_cast<WORD>(dialog.cx));
  out.Word(static_cast<WORD>(dialog.cy));
  out.Word(0);  // no menu
  out.Word(0);  // the standard dialog class
  out.Text(dialog.caption);
  out.Word(dialog.fontPoints);
  out.Text(dialog.fontFace);
  for (const DialogControl& control : dialog.controls) WriteControl(out, control);
}

// Centred over its owner (over the screen without one), kept inside the
// work area: an owner near the screen's edge would push it partly off screen.
void Centre(HWND dialog) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT work = monitor.rcWork;
  RECT area = work;
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr) GetWindowRect(owner, &area);
  RECT own{};
  GetWindowRect(dialog, &own);
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  LONG x = area.left + (area.right - area.left - width) / 2;
  LONG y = area.top + (area.bottom - area.top - height) / 2;
  if (x + width > work.right) x = work.right - width;
  if (y + height > work.bottom) y = work.bottom - height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    Centre(dialog);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

intptr_t CDialog::DoModal(CWnd* parent) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (dialog == nullptr) return -1;
  TemplateWriter writer;
  WriteTemplate(writer, *dialog);
  HWND owner = parent != nullptr ? static_cast<HWND>(parent->GetSafeHwnd()) : nullptr;
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), writer.Data(), owner, DialogProcedure, 0);
}
