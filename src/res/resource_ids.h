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
// Menu items the program builds at run time, and the range editor's help.
inline constexpr uint32_t IDS_LOAD_SKIN_MENU = 110;
inline constexpr uint32_t IDS_WINDOW_MENU = 111;
inline constexpr uint32_t IDS_EMPTY_SLOT = 112;
inline constexpr uint32_t IDS_SWITCH_SKIN_MENU = 113;
inline constexpr uint32_t IDS_RANGE_EDITOR_HELP = 114;
// The tray icon's tooltip and its own menu item.
inline constexpr uint32_t IDS_TRAY_TIP = 115;
inline constexpr uint32_t IDS_SHOW_CONTROL_WINDOW = 116;
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
// The language of menus and texts: the system's, or one chosen
inline constexpr uint32_t IDM_LANGUAGE_SYSTEM = 32800;
inline constexpr uint32_t IDM_LANGUAGE_JAPANESE = 32801;
inline constexpr uint32_t IDM_LANGUAGE_ENGLISH = 32802;
// Settings: an entry that starts the program when the user logs in
inline constexpr uint32_t IDM_START_AT_LOGIN = 32803;
// Tray menu: bring the control window back
inline constexpr uint32_t IDM_SHOW_CONTROL_WINDOW = 32804;
// Load a catalogue skin (control menu) or switch to it (sprite menu)
inline constexpr uint32_t IDM_SKIN_FIRST = 33000;
inline constexpr uint32_t IDM_SKIN_LAST = 33999;
// Open the menu of the sprite in a slot
inline constexpr uint32_t IDM_WINDOW_FIRST = 34000;
inline constexpr uint32_t IDM_WINDOW_LAST = 34999;

inline constexpr uint32_t IDC_ABOUT_ICON = 1000;
inline constexpr uint32_t IDC_ABOUT_TEXT = 1001;

// kitemaru-skincheck: its reports, usage and refusals.
inline constexpr uint32_t IDS_CHECK_USAGE = 200;
inline constexpr uint32_t IDS_CHECK_NOT_A_FOLDER = 201;
inline constexpr uint32_t IDS_CHECK_NOT_A_SKIN = 202;
inline constexpr uint32_t IDS_CHECK_NO_SKINS = 203;
inline constexpr uint32_t IDS_CHECK_CANNOT_ENTER = 204;
inline constexpr uint32_t IDS_CHECK_FOLDER = 205;
inline constexpr uint32_t IDS_CHECK_NO_SUCH_FOLDER = 206;
inline constexpr uint32_t IDS_CHECK_FOLDER_WITHOUT_SKINS = 207;
inline constexpr uint32_t IDS_CHECK_HIDDEN = 208;
inline constexpr uint32_t IDS_CHECK_NO_SKINS_ANYWHERE = 209;
inline constexpr uint32_t IDS_CHECK_USABLE = 210;
inline constexpr uint32_t IDS_CHECK_NOT_USABLE = 211;
inline constexpr uint32_t IDS_CHECK_REASON_UNKNOWN = 212;
inline constexpr uint32_t IDS_CHECK_WARNING = 213;
inline constexpr uint32_t IDS_CHECK_ONE_FRAME = 214;
inline constexpr uint32_t IDS_CHECK_FRAMES = 215;
inline constexpr uint32_t IDS_CHECK_NOT_LISTED = 220;
inline constexpr uint32_t IDS_CHECK_OUTSIDE_SKIN_FOLDER = 221;
inline constexpr uint32_t IDS_CHECK_NO_DEFAULT_STRIP = 222;
inline constexpr uint32_t IDS_CHECK_FILE_NOT_FOUND = 223;
inline constexpr uint32_t IDS_CHECK_FILE_OUTSIDE = 224;
inline constexpr uint32_t IDS_CHECK_STRIP_FATAL = 225;
inline constexpr uint32_t IDS_CHECK_STRIP_NOT_SHOWN = 226;
inline constexpr uint32_t IDS_CHECK_FAST_ANIMATION = 227;
inline constexpr uint32_t IDS_CHECK_NOT_IN_MENUS = 228;
inline constexpr uint32_t IDS_CHECK_UNREADABLE = 230;
inline constexpr uint32_t IDS_CHECK_NOT_PNG = 231;
inline constexpr uint32_t IDS_CHECK_CORRUPT = 232;
inline constexpr uint32_t IDS_CHECK_FRAME_COUNT_NOT_A_NUMBER = 233;
inline constexpr uint32_t IDS_CHECK_FRAME_COUNT_TOO_SMALL = 234;
inline constexpr uint32_t IDS_CHECK_HEIGHT_NOT_MULTIPLE = 235;
inline constexpr uint32_t IDS_CHECK_FRAME_TOO_LARGE = 236;
inline constexpr uint32_t IDS_CHECK_STRIP_TOO_LARGE = 237;
inline constexpr uint32_t IDS_CHECK_OVER_BUDGET = 238;
inline constexpr uint32_t IDS_CHECK_OUT_OF_MEMORY = 239;
inline constexpr uint32_t IDS_CHECK_DOES_NOT_DECODE = 240;
