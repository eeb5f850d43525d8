#include <algorithm>

#include "headless_world.h"
#include "platform/dc.h"
#include "platform/win_constants.h"

// A drawing context of the fake records what is drawn in the window's state.
struct CDC::Native {
  std::vector<headless::DrawOp>* ops = nullptr;
  const wchar_t* font = nullptr;
  int32_t fontDpi = kDefaultDpi;
  Color textColor = 0;
};

// Text metrics of the fake: every character 8 x 16 pixels at 96 dpi.
namespace {

constexpr int32_t kCharWidth = 8;
constexpr int32_t kLineHeight = 16;

const wchar_t kSystemFixed[] = L"SystemFixed";
const wchar_t kDefaultGui[] = L"DefaultGui";

CDC::Native* Begin(CWnd* window, bool wholeWindow) {
  auto* found = headless::detail::Find(window->GetSafeHwnd());
  auto* record = new CDC::Native;
  if (found != nullptr) {
    auto& ops = wholeWindow ? found->state.lastNcPaint : found->state.lastPaint;
    ops.clear();
    record->ops = &ops;
    if (!wholeWindow) found->needsPaint = false;
  }
  return record;
}

}  // namespace

CPaintDC::CPaintDC(CWnd* target) {
  window = target;
  native = Begin(target, false);
}

CPaintDC::~CPaintDC() { delete native; }

CWindowDC::CWindowDC(CWnd* target) {
  window = target;
  native = Begin(target, true);
}

CWindowDC::~CWindowDC() { delete native; }

void* CDC::SelectStockFont(StockFont font, int32_t dpi) {
  auto& record = *native;
  const wchar_t* previous = record.font;
  record.font = font == StockFont::SystemFixed ? kSystemFixed : kDefaultGui;
  record.fontDpi = dpi;
  return const_cast<wchar_t*>(previous);
}

void CDC::RestoreFont(void* previous) {
  native->font = static_cast<const wchar_t*>(previous);
  native->fontDpi = kDefaultDpi;
}

void CDC::SetTransparentBackground() {}

void CDC::SetBkColor(Color) {}

void CDC::SetTextColor(Color color) { native->textColor = color; }

void CDC::FillSolidRect(const Rect& rect, Color color) {
  auto& record = *native;
  if (record.ops != nullptr) record.ops->push_back({headless::DrawOp::Kind::Fill, rect, color, {}, 0, {}, kDefaultDpi});
}

int32_t CDC::DrawText(const std::wstring& text, Rect& rect, uint32_t format) {
  auto& record = *native;
  const int32_t charWidth = ScaleForDpi(kCharWidth, record.fontDpi);
  int32_t lines = 0;
  int32_t widest = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    widest = std::max<int32_t>(widest, static_cast<int32_t>(end - start) * charWidth);
    ++lines;
    start = end + 1;
  }
  const int32_t height = lines * ScaleForDpi(kLineHeight, record.fontDpi);
  if ((format & dt::kCalcRect) != 0) {
    rect.right = rect.left + widest;
    rect.bottom = rect.top + height;
    return height;
  }
  if (record.ops != nullptr) {
    record.ops->push_back({headless::DrawOp::Kind::Text, rect, record.textColor, text, format,
                           record.font != nullptr ? record.font : L"", record.fontDpi});
  }
  return height;
}
