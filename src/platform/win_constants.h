#pragma once
// The window system's own numbers. Every backend speaks them, so application
// code and tests name messages, styles and keys exactly as the desktop does.
#include <cstdint>

namespace wm {
inline constexpr uint32_t kCreate = 0x0001;
inline constexpr uint32_t kDestroy = 0x0002;
inline constexpr uint32_t kSize = 0x0005;
inline constexpr uint32_t kSetFocus = 0x0007;
inline constexpr uint32_t kPaint = 0x000F;
inline constexpr uint32_t kClose = 0x0010;
inline constexpr uint32_t kQueryEndSession = 0x0011;
inline constexpr uint32_t kQuit = 0x0012;
inline constexpr uint32_t kEndSession = 0x0016;
inline constexpr uint32_t kShowWindow = 0x0018;
inline constexpr uint32_t kDisplayChange = 0x007E;
inline constexpr uint32_t kContextMenu = 0x007B;
inline constexpr uint32_t kNcDestroy = 0x0082;
inline constexpr uint32_t kNcPaint = 0x0085;
inline constexpr uint32_t kNcLButtonDown = 0x00A1;
inline constexpr uint32_t kKeyDown = 0x0100;
inline constexpr uint32_t kCommand = 0x0111;
inline constexpr uint32_t kTimer = 0x0113;
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonDown = 0x0201;
inline constexpr uint32_t kLButtonUp = 0x0202;
inline constexpr uint32_t kLButtonDblClk = 0x0203;
inline constexpr uint32_t kRButtonDown = 0x0204;
inline constexpr uint32_t kRButtonUp = 0x0205;
inline constexpr uint32_t kMoving = 0x0216;
inline constexpr uint32_t kDpiChanged = 0x02E0;
inline constexpr uint32_t kApp = 0x8000;
// The tray icon's notifications (the program's own number, WM_APP + 0x40).
inline constexpr uint32_t kTrayNotify = 0x8040;
}  // namespace wm

inline constexpr uintptr_t kHitCaption = 2;  // HTCAPTION
inline constexpr uintptr_t kSizeMinimized = 1;  // SIZE_MINIMIZED, WM_SIZE's wParam

namespace ws {
inline constexpr uint32_t kPopup = 0x80000000;
inline constexpr uint32_t kVisible = 0x10000000;
inline constexpr uint32_t kOverlappedWindow = 0x00CF0000;
inline constexpr uint32_t kThickFrame = 0x00040000;
inline constexpr uint32_t kExClientEdge = 0x00000200;
inline constexpr uint32_t kExToolWindow = 0x00000080;
inline constexpr uint32_t kExLayered = 0x00080000;
}  // namespace ws

namespace cs {
inline constexpr uint32_t kVRedraw = 0x0001;
inline constexpr uint32_t kHRedraw = 0x0002;
inline constexpr uint32_t kDblClks = 0x0008;
}  // namespace cs

namespace swp {
inline constexpr uint32_t kNoSize = 0x0001;
inline constexpr uint32_t kNoMove = 0x0002;
inline constexpr uint32_t kNoZOrder = 0x0004;
inline constexpr uint32_t kNoActivate = 0x0010;
inline constexpr uint32_t kShowWindow = 0x0040;
}  // namespace swp

namespace sw {
inline constexpr int kHide = 0;
inline constexpr int kShow = 5;
inline constexpr int kMinimize = 6;
inline constexpr int kRestore = 9;
}  // namespace sw

namespace vk {
inline constexpr uint32_t kReturn = 13;
inline constexpr uint32_t kShift = 16;
inline constexpr uint32_t kControl = 17;
inline constexpr uint32_t kEscape = 27;
inline constexpr uint32_t kPrior = 33;
inline constexpr uint32_t kNext = 34;
inline constexpr uint32_t kEnd = 35;
inline constexpr uint32_t kHome = 36;
inline constexpr uint32_t kLeft = 37;
inline constexpr uint32_t kUp = 38;
inline constexpr uint32_t kRight = 39;
inline constexpr uint32_t kDown = 40;
}  // namespace vk

namespace dt {
inline constexpr uint32_t kWordBreak = 0x0010;
inline constexpr uint32_t kCalcRect = 0x0400;
inline constexpr uint32_t kNoPrefix = 0x0800;
}  // namespace dt

inline constexpr int kIdOk = 1;

// Packs a client point the way mouse messages carry it.
inline intptr_t PackPoint(int32_t x, int32_t y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(x) & 0xFFFF) | ((static_cast<uint32_t>(y) & 0xFFFF) << 16));
}
inline int32_t PointX(intptr_t packed) { return static_cast<int16_t>(packed & 0xFFFF); }
inline int32_t PointY(intptr_t packed) { return static_cast<int16_t>((packed >> 16) & 0xFFFF); }
