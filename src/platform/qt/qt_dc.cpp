#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "platform/dc.h"
#include "platform/win_constants.h"
#include "qt_native_window.h"
#include "qt_world.h"

// A drawing context is a QPainter on the window while it paints, or on the
// window's own canvas for whole-window drawing outside painting.
struct CDC::Native {
  QPainter painter;
  QFont font;
  QColor background{Qt::white};
  QColor text{Qt::black};
  bool transparent = false;
};

namespace {

// Pixel heights of the desktop's stock fonts at 96 dpi.
constexpr int32_t kSystemFixedHeight = 15;
constexpr int32_t kDefaultGuiHeight = 12;

QFont StockQFont(StockFont font, int32_t dpi) {
  QFont made = QFontDatabase::systemFont(font == StockFont::SystemFixed ? QFontDatabase::FixedFont
                                                                        : QFontDatabase::GeneralFont);
  made.setPixelSize(ScaleForDpi(font == StockFont::SystemFixed ? kSystemFixedHeight : kDefaultGuiHeight, dpi));
  return made;
}

// The font a context starts with; RestoreFont's token for it.
int initialFont;

}  // namespace

CPaintDC::CPaintDC(CWnd* target) {
  window = target;
  auto* found = qt::Find(target != nullptr ? target->GetSafeHwnd() : nullptr);
  // Outside the window's own paint handler there is nothing to paint on.
  if (found == nullptr || !found->painting) return;
  auto* context = new Native;
  context->font = StockQFont(StockFont::SystemFixed, kDefaultDpi);
  if (!context->painter.begin(found)) {
    delete context;
    return;
  }
  native = context;
}

CPaintDC::~CPaintDC() { delete native; }

CWindowDC::CWindowDC(CWnd* target) {
  window = target;
  auto* found = qt::Find(target != nullptr ? target->GetSafeHwnd() : nullptr);
  if (found == nullptr) return;
  const QSize size = found->size();
  if (found->canvas.size() != size) found->canvas = QImage(size, QImage::Format_ARGB32_Premultiplied);
  if (found->canvas.isNull()) return;
  auto* context = new Native;
  context->font = StockQFont(StockFont::SystemFixed, kDefaultDpi);
  if (!context->painter.begin(&found->canvas)) {
    delete context;
    return;
  }
  native = context;
}

CWindowDC::~CWindowDC() {
  delete native;
  auto* found = qt::Find(window != nullptr ? window->GetSafeHwnd() : nullptr);
  if (found != nullptr && !found->painting) found->update();
}

void* CDC::SelectStockFont(StockFont font, int32_t dpi) {
  if (native == nullptr) return nullptr;
  native->font = StockQFont(font, dpi);
  return &initialFont;
}

void CDC::RestoreFont(void* previous) {
  if (native != nullptr && previous == &initialFont) native->font = StockQFont(StockFont::SystemFixed, kDefaultDpi);
}

void CDC::SetTransparentBackground() {
  if (native != nullptr) native->transparent = true;
}

void CDC::SetBkColor(Color color) {
  if (native != nullptr) native->background = qt::ToQColor(color);
}

void CDC::SetTextColor(Color color) {
  if (native != nullptr) native->text = qt::ToQColor(color);
}

void CDC::FillSolidRect(const Rect& rect, Color color) {
  if (native != nullptr) native->painter.fillRect(qt::ToQRect(rect), qt::ToQColor(color));
}

int32_t CDC::DrawText(const std::wstring& text, Rect& rect, uint32_t format) {
  if (native == nullptr) return 0;
  Native& context = *native;
  const int flags = Qt::AlignLeft | Qt::AlignTop | ((format & dt::kWordBreak) != 0 ? Qt::TextWordWrap : 0);
  QString string = qt::ToQString(text);
  // As on the desktop, a line break at the very end starts no line of its own.
  if (string.endsWith(u'\n')) string.chop(1);
  const QRect area = qt::ToQRect(rect);
  if ((format & dt::kCalcRect) != 0) {
    const QRect bound = QFontMetrics(context.font).boundingRect(area, flags, string);
    rect.right = rect.left + bound.width();
    rect.bottom = rect.top + bound.height();
    return bound.height();
  }
  context.painter.setFont(context.font);
  const QRect bound = context.painter.boundingRect(area, flags, string);
  if (!context.transparent) context.painter.fillRect(bound, context.background);
  context.painter.setPen(context.text);
  context.painter.drawText(area, flags, string);
  return bound.height();
}
