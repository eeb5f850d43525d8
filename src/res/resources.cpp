#include "resources.h"

#include <iterator>

#include "resource_ids.h"

namespace {

using K = MenuItemKind;

// The top-level popup's own caption is never shown.
constexpr MenuTemplateItem kControlMenu[] = {
    {K::BeginPopup, 0, L"メニュー"},
    {K::BeginPopup, 0, L"設定(&S)"},
    {K::BeginPopup, 0, L"FPS(&F)"},
    {K::RadioItem, IDM_FPS_10, L"10FPS"},
    {K::RadioItem, IDM_FPS_15, L"15FPS"},
    {K::RadioItem, IDM_FPS_20, L"20FPS"},
    {K::RadioItem, IDM_FPS_30, L"30FPS"},
    {K::RadioItem, IDM_FPS_60, L"60FPS"},
    {K::EndPopup, 0, nullptr},
    {K::EndPopup, 0, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, IDM_APP_ABOUT, L"バージョン情報(&A)..."},
    {K::Item, IDM_EXIT, L"終了(&X)"},
    {K::EndPopup, 0, nullptr},
};

constexpr MenuTemplateItem kSpriteMenu[] = {
    {K::BeginPopup, 0, L"1"},
    {K::BeginPopup, 0, L"設定(&E)"},
    {K::Item, IDM_EDIT_MOVE_RANGE, L"移動範囲(&M)..."},
    {K::Item, IDM_TOPMOST, L"常に手前に表示(&T)"},
    {K::EndPopup, 0, nullptr},
    {K::BeginPopup, 0, L"移動(&M)"},
    {K::RadioItem, IDM_MOVE_STOP, L"停止(&S)"},
    {K::RadioItem, IDM_MOVE_DRIFT, L"きてまる1(&F)"},
    {K::EndPopup, 0, nullptr},
    {K::Item, IDM_CLOSE_SPRITE, L"閉じる(&C)"},
    {K::EndPopup, 0, nullptr},
};

constexpr uint32_t kNoPrefix = 0x80;  // SS_NOPREFIX

constexpr DialogControl kAboutControls[] = {
    {DialogControlKind::Icon, IDC_ABOUT_ICON, nullptr, IDI_KITEMARU, 11, 17, 20, 20, 0},
    {DialogControlKind::Static, IDC_ABOUT_TEXT, L"KITE-MARU Version 0.1.0", 0, 40, 10, 119, 8, kNoPrefix},
    {DialogControlKind::DefPushButton, 1, L"OK", 0, 178, 7, 50, 16, 0},
};

constexpr DialogTemplate kAboutBox = {
    IDD_ABOUTBOX, L"バージョン情報", L"MS UI Gothic", 9, 235, 55, kAboutControls,
};

}  // namespace

std::span<const MenuTemplateItem> FindMenuTemplate(uint32_t id) {
  if (id == IDR_CONTROL_MENU) return kControlMenu;
  if (id == IDR_SPRITE_MENU) return kSpriteMenu;
  return {};
}

const DialogTemplate* FindDialogTemplate(uint32_t id) { return id == IDD_ABOUTBOX ? &kAboutBox : nullptr; }

const wchar_t* FindString(uint32_t id) {
  switch (id) {
    case IDS_OLE_INIT_FAILED:
      return L"OLE の初期化に失敗しました。OLE ライブラリのバージョンが正しいことを確認してください。";
    case IDS_SETTINGS_NOT_SAVED:
      return L"設定を保存できませんでした。今回変更した設定は失われます。\n\n%1\n%2";
    case IDS_SAVE_FOLDER_MISSING:
      return L"フォルダーが見つかりません（移動または削除されています）。";
    case IDS_SAVE_NO_TEMPORARY:
      return L"一時ファイルを作成できません。";
    case IDS_SAVE_LOCKED:
      return L"ほかのプログラムが使用中です。";
    case IDS_SAVE_DENIED:
      return L"書き込みが許可されていません。";
    case IDS_SAVE_NOT_A_FILE:
      return L"同じ名前のフォルダーなどがあり、ファイルとして書き込めません。";
    case IDS_SAVE_TOO_LARGE:
      return L"設定ファイルが大きすぎます。";
    case IDS_SAVE_FAILED:
      return L"書き込みに失敗しました（ディスクの空きが足りないなど）。";
    case IDS_APP_NAME:
      return L"kitemaru";
    default:
      return nullptr;
  }
}

std::wstring FormatString(uint32_t id, const std::vector<std::wstring>& fills) {
  const wchar_t* text = FindString(id);
  if (text == nullptr) return {};
  std::wstring out;
  for (const wchar_t* at = text; *at != L'\0'; ++at) {
    const bool fill = at[0] == L'%' && at[1] >= L'1' && at[1] <= L'9';
    const size_t index = fill ? static_cast<size_t>(at[1] - L'1') : fills.size();
    if (index < fills.size()) {
      out += fills[index];
      ++at;
    } else {
      out += *at;
    }
  }
  return out;
}
