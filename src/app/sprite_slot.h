#pragma once
// A sprite window's index in the control window's table and in
// AppSettings::windows.

using SpriteSlot = int;

inline constexpr int kSlotCount = 10;
// Asks for the lowest free slot.
inline constexpr SpriteSlot AnySlot = -1;
