#pragma once
#include <cstdint>

inline constexpr uint32_t IDD_ABOUTBOX = 100;
inline constexpr uint32_t IDS_OLE_INIT_FAILED = 100;
// A save that reached no place: %1 the file, %2 one of the reasons below.
inline constexpr uint32_t IDS_SETTINGS_NOT_SAVED = 101;
inline constexpr uint32_t IDS_SAVE_FOLDER_MISSING = 102;
inline constexpr uint32_t IDS_SAVE_NO_TEMPORARY = 103;
inline constexpr uint32_t IDS_SAVE_LOCKED = 104;
inline constexpr uint32_t IDS_SAVE_DENIED = 105;
inline constexpr uint32_t IDS_SAVE_NOT_A_FILE = 106;
inline constexpr uint32_t IDS_SAVE_TOO_LARGE = 107;
inline constexpr uint32_t IDS_SAVE_FAILED = 108;
inline constexpr uint32_t IDI_KITEMARU = 128;
inline constexpr uint32_t IDR_CONTROL_MENU = 130;
inline constexpr uint32_t IDR_SPRITE_MENU = 131;
inline constexpr uint32_t IDS_APP_NAME = 57344;

// Sprite menu
inline constexpr uint32_t IDM_EDIT_MOVE_RANGE = 32778;
inline constexpr uint32_t IDM_CLOSE_SPRITE = 32780;
inline constexpr uint32_t IDM_TOPMOST = 32782;
inline constexpr uint32_t IDM_MOVE_STOP = 32786;
inline constexpr uint32_t IDM_MOVE_DRIFT = 32787;
// Control menu
inline constexpr uint32_t IDM_EXIT = 32783;
inline constexpr uint32_t IDM_FPS_10 = 32795;
inline constexpr uint32_t IDM_FPS_15 = 32796;
inline constexpr uint32_t IDM_FPS_20 = 32797;
inline constexpr uint32_t IDM_FPS_30 = 32798;
inline constexpr uint32_t IDM_FPS_60 = 32799;
inline constexpr uint32_t IDM_APP_ABOUT = 57664;
// Load a catalogue skin (control menu) or switch to it (sprite menu)
inline constexpr uint32_t IDM_SKIN_FIRST = 33000;
inline constexpr uint32_t IDM_SKIN_LAST = 33999;
// Open the menu of the sprite in a slot
inline constexpr uint32_t IDM_WINDOW_FIRST = 34000;
inline constexpr uint32_t IDM_WINDOW_LAST = 34999;

inline constexpr uint32_t IDC_ABOUT_ICON = 1000;
inline constexpr uint32_t IDC_ABOUT_TEXT = 1001;
