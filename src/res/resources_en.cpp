#include "resource_tables.h"

namespace {

using K = MenuItemKind;

constexpr MenuTemplateItem kControlMenu[] = {
    {K::BeginPopup, 0, L"Menu"},
    {K::BeginPopup, 0, L"&Settings"},
    {K::BeginPopup, 0, L"&Frame rate"},
    {K::RadioItem, IDM_FPS_10, L"10 fps"},
    {K::RadioItem, IDM_FPS_15, L"15 fps"},
    {K::RadioItem, IDM_FPS_20, L"20 fps"},
    {K::RadioItem, IDM_FPS_30, L"30 fps"},
    {K::RadioItem, IDM_FPS_60, L"60 fps"},
    {K::EndPopup, 0, nullptr},
    {K::BeginPopup, 0, L"&Language"},
    {K::RadioItem, IDM_LANGUAGE_SYSTEM, L"&System default"},
    {K::RadioItem, IDM_LANGUAGE_JAPANESE, kJapaneseLanguageItem},
    {K::RadioItem, IDM_LANGUAGE_ENGLISH, kEnglishLanguageItem},
    {K::EndPopup, 0, nullptr},
    {K::Item, IDM_START_AT_LOGIN, L"&Start at login"},
    {K::EndPopup, 0, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, IDM_APP_ABOUT, L"&About KITE-MARU..."},
    {K::Item, IDM_EXIT, L"E&xit"},
    {K::EndPopup, 0, nullptr},
};

constexpr MenuTemplateItem kSpriteMenu[] = {
    {K::BeginPopup, 0, L"1"},
    {K::BeginPopup, 0, L"S&ettings"},
    {K::Item, IDM_EDIT_MOVE_RANGE, L"Move &range..."},
    {K::Item, IDM_TOPMOST, L"Always on &top"},
    {K::EndPopup, 0, nullptr},
    {K::BeginPopup, 0, L"&Motion"},
    {K::RadioItem, IDM_MOVE_STOP, L"&Stand still"},
    {K::RadioItem, IDM_MOVE_DRIFT, L"&Drift"},
    {K::EndPopup, 0, nullptr},
    {K::Item, IDM_CLOSE_SPRITE, L"&Close"},
    {K::EndPopup, 0, nullptr},
};

// NOTE: "MS Shell Dlg" is the face every Windows maps to its own dialog font
// (Microsoft Sans Serif, Tahoma); English Windows has no MS UI Gothic.
constexpr DialogTemplate kAboutBox = {
    IDD_ABOUTBOX, L"About KITE-MARU", L"MS Shell Dlg", 8, 235, 55, kAboutControls,
};

constexpr StringEntry kStrings[] = {
    {IDS_OLE_INIT_FAILED, L"OLE initialization failed. Make sure that the OLE libraries are the correct version."},
    {IDS_SETTINGS_NOT_SAVED, L"The settings could not be saved. The changes made in this session are lost.\n\n%1\n%2"},
    {IDS_SAVE_FOLDER_MISSING, L"The folder was not found (it was moved or deleted)."},
    {IDS_SAVE_NO_TEMPORARY, L"A temporary file could not be created."},
    {IDS_SAVE_LOCKED, L"Another program is using the file."},
    {IDS_SAVE_DENIED, L"Writing is not permitted."},
    {IDS_SAVE_NOT_A_FILE, L"Something of the same name, such as a folder, is in the way; it cannot be written as a file."},
    {IDS_SAVE_TOO_LARGE, L"The settings file is too large."},
    {IDS_SAVE_FAILED, L"Writing failed (the disk may be full)."},
    {IDS_LOAD_SKIN_MENU, L"&Load a skin into a free place"},
    {IDS_WINDOW_MENU, L"&Windows"},
    {IDS_EMPTY_SLOT, L"(none)"},
    {IDS_SWITCH_SKIN_MENU, L"&Switch skin"},
    {IDS_RANGE_EDITOR_HELP,
     L"* Double-click to accept, right-click to cancel\n"
     L"\n"
     L"* Arrow keys move it, Shift + arrow keys resize it;\n"
     L"   Ctrl for bigger steps, Home/End/PgUp/PgDn for bigger still\n"
     L"\n"},
    {IDS_APP_NAME, L"kitemaru"},
    {IDS_TRAY_TIP, L"KITE-MARU"},
    {IDS_SHOW_CONTROL_WINDOW, L"Show &control window"},

    {IDS_CHECK_USAGE,
     L"usage: kitemaru-skincheck [--lang ja|en] [<folder>]\n"
     L"  <folder> is one skin (a folder holding skin.ini), a 'skin' folder of skins,\n"
     L"  or the folder holding 'skin' next to %1.\n"
     L"Without <folder>, every skin folder the program reads, in its order.\n"
     L"Exit code: 0 every skin usable, 1 some skin not usable, 2 usage error.\n"},
    {IDS_CHECK_NOT_A_FOLDER, L"'%1' is not a folder"},
    {IDS_CHECK_NOT_A_SKIN, L"'%1' is neither a skin (a folder holding skin.ini) nor a 'skin' folder of skins"},
    {IDS_CHECK_NO_SKINS, L"no skins in %1"},
    {IDS_CHECK_CANNOT_ENTER, L"cannot make %1 the current folder"},
    {IDS_CHECK_FOLDER, L"%1:"},
    {IDS_CHECK_NO_SUCH_FOLDER, L"%1: no such folder"},
    {IDS_CHECK_FOLDER_WITHOUT_SKINS, L"%1: no skins"},
    {IDS_CHECK_HIDDEN, L"%1: hidden by the skin of this name in %2"},
    {IDS_CHECK_NO_SKINS_ANYWHERE, L"no skins in any of these folders"},
    {IDS_CHECK_USABLE, L"%1: usable \u2014 listed, loads, shows %2 of %3, %4 decoded"},
    {IDS_CHECK_NOT_USABLE, L"%1: NOT usable \u2014 %2"},
    {IDS_CHECK_REASON_UNKNOWN, L"reason unknown"},
    {IDS_CHECK_WARNING, L"warning: %1"},
    {IDS_CHECK_ONE_FRAME, L"%1 frame"},
    {IDS_CHECK_FRAMES, L"%1 frames"},
    {IDS_CHECK_NOT_LISTED, L"no skin.ini (tried %1), so it is not listed"},
    {IDS_CHECK_OUTSIDE_SKIN_FOLDER,
     L"not listed: the program lists only folders inside the folder named 'skin' next to %1, and this one is in %2"},
    {IDS_CHECK_NO_DEFAULT_STRIP, L"no File, so the sprite shows only a red warning tile"},
    {IDS_CHECK_FILE_NOT_FOUND, L"File %1 not found (tried %2)"},
    {IDS_CHECK_FILE_OUTSIDE,
     L"File %1 is outside the 'skin' folder (an absolute path, a drive, a share, a device name such as NUL, "
     L"a ':' stream or '..' above 'skin'), so the program treats it as missing"},
    {IDS_CHECK_STRIP_FATAL, L"%1, so the sprite shows only a red warning tile"},
    {IDS_CHECK_STRIP_NOT_SHOWN, L"%1 (this state is never shown; the sprite still works)"},
    {IDS_CHECK_FAST_ANIMATION, L"AnimationWait %1 ms is below %2 ms, so the frame changes at every 16 ms step"},
    {IDS_CHECK_NOT_IN_MENUS,
     L"not in the menus: it is skin %1 in listing order and the menus offer only the first %2; "
     L"it shows only when config.ini already names it"},
    {IDS_CHECK_UNREADABLE, L"cannot read %1 (tried %2): %3"},
    {IDS_CHECK_NOT_PNG, L"%1 is not a PNG file"},
    {IDS_CHECK_CORRUPT, L"%1 does not decode: libpng says \"%2\""},
    {IDS_CHECK_FRAME_COUNT_NOT_A_NUMBER, L"AnimationFrame %1 is not a number; it must be 1 or more"},
    {IDS_CHECK_FRAME_COUNT_TOO_SMALL, L"AnimationFrame is %1; it must be 1 or more"},
    {IDS_CHECK_HEIGHT_NOT_MULTIPLE, L"%1 is %2 pixels: its height %3 is not a multiple of AnimationFrame %4"},
    {IDS_CHECK_FRAME_TOO_LARGE, L"%1 is %2 pixels in %3: each frame is %4, over the limit of %5 pixels a side"},
    {IDS_CHECK_STRIP_TOO_LARGE, L"%1 is %2 pixels: decoded it would take %3, over the limit of %4 MiB a strip"},
    {IDS_CHECK_OVER_BUDGET,
     L"%1 would take %2 decoded, but a sprite's strips may take %3 MiB together and the states before it "
     L"leave %4, so it is not loaded"},
    {IDS_CHECK_OUT_OF_MEMORY, L"not enough memory to decode %1 (%2 pixels)"},
    {IDS_CHECK_DOES_NOT_DECODE, L"%1 does not decode"},
};

constexpr LanguageResources kEnglish{kControlMenu, kSpriteMenu, &kAboutBox, kStrings};

}  // namespace

const LanguageResources& EnglishResources() { return kEnglish; }
