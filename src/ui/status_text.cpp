#include <filesystem>

#include "app/exe_path.h"
#include "main_frame.h"
#include "platform/dc.h"
#include "platform/win_constants.h"

namespace {
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kGrey = 0xC4C4C4;
constexpr int32_t kMargin = 8;
const wchar_t kHeader[] = L"KITE-MARU v0.1.0\n";
}  // namespace

std::wstring FormatStatusBody(int spriteCount, int32_t fps, size_t skinCount, const std::wstring& currentDir) {
  return L"- Sprite: " + std::to_wstring(spriteCount) + L"\n- FPS: " + std::to_wstring(fps) + L"\n- Skin: " +
         std::to_wstring(skinCount) + L"\n- CurrentDir: " + currentDir;
}

void CMainFrame::OnPaint() {
  CPaintDC dc(this);
  dc.SelectStockFont(StockFont::SystemFixed, dpi);
  const int32_t margin = ScaleForDpi(kMargin, dpi);
  dc.SetTransparentBackground();
  int count = 0;
  for (const CSpriteWindow* sprite : sprites) count += sprite != nullptr ? 1 : 0;

  const Rect client = GetClientRect();
  dc.FillSolidRect(Rect{0, 0, client.Width(), client.Height()}, kBlack);

  dc.SetTextColor(kWhite);
  Rect header{margin, margin, client.Width(), client.Height()};
  Rect measured = header;
  dc.DrawText(kHeader, measured, dt::kCalcRect);
  dc.DrawText(kHeader, header, 0);

  std::error_code error;
  const std::wstring currentDir = FromFsPath(std::filesystem::current_path(error));
  dc.SetTextColor(kGrey);
  Rect body{margin, measured.Height() + margin, client.Width(), client.Height()};
  dc.DrawText(FormatStatusBody(count, settings.fps, catalogue.size(), currentDir), body, dt::kWordBreak);
}
