#pragma once
// A sprite window's index in the control window's table and in
// AppSettings::windows.

inline constexpr int kSlotCount = 10;
// Asks for the lowest free slot.
inline constexpr int AnySlot = -1;
