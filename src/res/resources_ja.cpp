#include "resource_tables.h"

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
    {K::BeginPopup, 0, L"言語(&L)"},
    {K::RadioItem, IDM_LANGUAGE_SYSTEM, L"システムの設定に従う(&S)"},
    {K::RadioItem, IDM_LANGUAGE_JAPANESE, kJapaneseLanguageItem},
    {K::RadioItem, IDM_LANGUAGE_ENGLISH, kEnglishLanguageItem},
    {K::EndPopup, 0, nullptr},
    {K::Item, IDM_START_AT_LOGIN, L"ログイン時に起動(&S)"},
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

constexpr DialogTemplate kAboutBox = {
    IDD_ABOUTBOX, L"バージョン情報", L"MS UI Gothic", 9, 235, 55, kAboutControls,
};

constexpr StringEntry kStrings[] = {
    {IDS_OLE_INIT_FAILED, L"OLE の初期化に失敗しました。OLE ライブラリのバージョンが正しいことを確認してください。"},
    {IDS_SETTINGS_NOT_SAVED, L"設定を保存できませんでした。今回変更した設定は失われます。\n\n%1\n%2"},
    {IDS_SAVE_FOLDER_MISSING, L"フォルダーが見つかりません（移動または削除されています）。"},
    {IDS_SAVE_NO_TEMPORARY, L"一時ファイルを作成できません。"},
    {IDS_SAVE_LOCKED, L"ほかのプログラムが使用中です。"},
    {IDS_SAVE_DENIED, L"書き込みが許可されていません。"},
    {IDS_SAVE_NOT_A_FILE, L"同じ名前のフォルダーなどがあり、ファイルとして書き込めません。"},
    {IDS_SAVE_TOO_LARGE, L"設定ファイルが大きすぎます。"},
    {IDS_SAVE_FAILED, L"書き込みに失敗しました（ディスクの空きが足りないなど）。"},
    {IDS_LOAD_SKIN_MENU, L"空いてるところにスキン読み込み(&K)"},
    {IDS_WINDOW_MENU, L"ウィンドウ(&W)"},
    {IDS_EMPTY_SLOT, L"(なし)"},
    {IDS_SWITCH_SKIN_MENU, L"スキン切り替え(&S)"},
    {IDS_RANGE_EDITOR_HELP,
     L"※ 左ダブルクリックで決定、右クリックでキャンセル\n"
     L"\n"
     L"※ 方向キーで移動、Shift＋方向キーでサイズ変更\n"
     L"　　Ctrlで変動量増加、Home/End/PgUp/PgDnでさらに増加\n"
     L"\n"},
    {IDS_APP_NAME, L"kitemaru"},
    {IDS_TRAY_TIP, L"KITE-MARU（きてまる）"},
    {IDS_SHOW_CONTROL_WINDOW, L"コントロールウィンドウを表示(&C)"},

    {IDS_CHECK_USAGE,
     L"使い方: kitemaru-skincheck [--lang ja|en] [<フォルダー>]\n"
     L"  <フォルダー> はスキン 1 つ（skin.ini のあるフォルダー）、スキンの入った 'skin' フォルダー、\n"
     L"  または %1 の隣に 'skin' があるフォルダーです。\n"
     L"<フォルダー> を省くと、プログラムが読むスキンフォルダーをすべて、その順に調べます。\n"
     L"終了コード: 0 すべてのスキンが使える、1 使えないスキンがある、2 使い方の誤り。\n"},
    {IDS_CHECK_NOT_A_FOLDER, L"'%1' はフォルダーではありません"},
    {IDS_CHECK_NOT_A_SKIN, L"'%1' はスキン（skin.ini のあるフォルダー）でも、スキンの入った 'skin' フォルダーでもありません"},
    {IDS_CHECK_NO_SKINS, L"%1 にスキンがありません"},
    {IDS_CHECK_CANNOT_ENTER, L"%1 をカレントフォルダーにできません"},
    {IDS_CHECK_FOLDER, L"%1:"},
    {IDS_CHECK_NO_SUCH_FOLDER, L"%1: フォルダーがありません"},
    {IDS_CHECK_FOLDER_WITHOUT_SKINS, L"%1: スキンがありません"},
    {IDS_CHECK_HIDDEN, L"%1: %2 にある同じ名前のスキンが使われます"},
    {IDS_CHECK_NO_SKINS_ANYWHERE, L"どのフォルダーにもスキンがありません"},
    {IDS_CHECK_USABLE, L"%1: 使えます \u2014 一覧に出て、読み込めて、%3 の %2 を表示します（デコード後 %4）"},
    {IDS_CHECK_NOT_USABLE, L"%1: 使えません \u2014 %2"},
    {IDS_CHECK_REASON_UNKNOWN, L"理由不明"},
    {IDS_CHECK_WARNING, L"警告: %1"},
    {IDS_CHECK_ONE_FRAME, L"%1 フレーム"},
    {IDS_CHECK_FRAMES, L"%1 フレーム"},
    {IDS_CHECK_NOT_LISTED, L"skin.ini がないため（探した場所: %1）、一覧に出ません"},
    {IDS_CHECK_OUTSIDE_SKIN_FOLDER,
     L"一覧に出ません: 一覧に出るのは %1 の隣の 'skin' フォルダーの中のフォルダーだけで、これは %2 にあります"},
    {IDS_CHECK_NO_DEFAULT_STRIP, L"File がないため、スプライトには赤い警告タイルだけが表示されます"},
    {IDS_CHECK_FILE_NOT_FOUND, L"File %1 が見つかりません（探した場所: %2）"},
    {IDS_CHECK_FILE_OUTSIDE,
     L"File %1 は 'skin' フォルダーの外を指しています（絶対パス、ドライブ、共有、NUL などのデバイス名、"
     L"':' ストリーム、'skin' より上への '..'）。プログラムは見つからないファイルとして扱います"},
    {IDS_CHECK_STRIP_FATAL, L"%1。そのためスプライトには赤い警告タイルだけが表示されます"},
    {IDS_CHECK_STRIP_NOT_SHOWN, L"%1（この状態は表示されないので、スプライトは動きます）"},
    {IDS_CHECK_FAST_ANIMATION, L"AnimationWait %1 ms が %2 ms 未満のため、16 ms ごとにフレームが変わります"},
    {IDS_CHECK_NOT_IN_MENUS,
     L"メニューに出ません: 一覧の順で %1 番目のスキンで、メニューには最初の %2 個だけが出ます。"
     L"config.ini がすでにこのスキンを指しているときだけ表示されます"},
    {IDS_CHECK_UNREADABLE, L"%1 を読めません（探した場所: %2）: %3"},
    {IDS_CHECK_NOT_PNG, L"%1 は PNG ファイルではありません"},
    {IDS_CHECK_CORRUPT, L"%1 をデコードできません: libpng のメッセージ \"%2\""},
    {IDS_CHECK_FRAME_COUNT_NOT_A_NUMBER, L"AnimationFrame %1 は数ではありません。1 以上にしてください"},
    {IDS_CHECK_FRAME_COUNT_TOO_SMALL, L"AnimationFrame が %1 です。1 以上にしてください"},
    {IDS_CHECK_HEIGHT_NOT_MULTIPLE, L"%1 は %2 ピクセルです。高さ %3 が AnimationFrame %4 の倍数ではありません"},
    {IDS_CHECK_FRAME_TOO_LARGE,
     L"%1 は %2 ピクセルで %3 です。1 フレームが %4 で、1 辺 %5 ピクセルの上限を超えています"},
    {IDS_CHECK_STRIP_TOO_LARGE,
     L"%1 は %2 ピクセルです。デコードすると %3 になり、1 本あたり %4 MiB の上限を超えています"},
    {IDS_CHECK_OVER_BUDGET,
     L"%1 はデコードすると %2 になりますが、1 体のストリップは合わせて %3 MiB までで、"
     L"前の状態の残りは %4 のため、読み込まれません"},
    {IDS_CHECK_OUT_OF_MEMORY, L"%1（%2 ピクセル）をデコードするメモリが足りません"},
    {IDS_CHECK_DOES_NOT_DECODE, L"%1 をデコードできません"},
};

constexpr LanguageResources kJapanese{kControlMenu, kSpriteMenu, &kAboutBox, kStrings};

}  // namespace

const LanguageResources& JapaneseResources() { return kJapanese; }
