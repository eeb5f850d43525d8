#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

#include "platform/dialog.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "qt_native_window.h"
#include "res/resources.h"

namespace {

constexpr int kIdCancel = 2;

// Dialog units: a quarter of the font's average character width across and
// an eighth of its height down, as the desktop lays out a template.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) : metrics(font) {}
  QRect ToPixels(int x, int y, int cx, int cy) const {
    const int across = metrics.averageCharWidth();
    const int down = metrics.height();
    return QRect(x * across / 4, y * down / 8, cx * across / 4, cy * down / 8);
  }

 private:
  QFontMetrics metrics;
};

void AddControl(QDialog& dialog, const DialogControl& control, const DialogUnits& units) {
  const QRect place = units.ToPixels(control.x, control.y, control.cx, control.cy);
  switch (control.kind) {
    case DialogControlKind::Icon: {
      auto* icon = new QLabel(&dialog);
      QIcon shown = QApplication::windowIcon();
      if (shown.isNull()) shown = dialog.style()->standardIcon(QStyle::SP_MessageBoxInformation);
      icon->setPixmap(shown.pixmap(place.size()));
      icon->setGeometry(place);
      break;
    }
    case DialogControlKind::Static: {
      auto* text = new QLabel(QString::fromWCharArray(control.text != nullptr ? control.text : L""), &dialog);
      text->setTextFormat(Qt::PlainText);
      text->setGeometry(place);
      break;
    }
    case DialogControlKind::DefPushButton: {
      auto* button = new QPushButton(QString::fromWCharArray(control.text != nullptr ? control.text : L""), &dialog);
      button->setDefault(true);
      button->setGeometry(place);
      const int id = static_cast<int>(control.id);
      QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, id] { dialog.done(id); });
      break;
    }
  }
}

// Centred over its owner (over the screen without one), kept inside the
// work area, as the desktop places a dialog.
void Centre(QDialog& dialog, const QWidget* owner) {
  const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect work = screen->availableGeometry();
  const QRect area = owner != nullptr ? owner->frameGeometry() : work;
  const QSize size = dialog.size();
  QPoint at = area.center() - QPoint(size.width() / 2, size.height() / 2);
  at.setX(std::max(work.left(), std::min(at.x(), work.right() + 1 - size.width())));
  at.setY(std::max(work.top(), std::min(at.y(), work.bottom() + 1 - size.height())));
  dialog.move(at);
}

}  // namespace

intptr_t CDialog::DoModal(CWnd* parent) {
  const DialogTemplate* layout = FindDialogTemplate(templateId);
  if (layout == nullptr) return -1;
  auto* owner = parent != nullptr ? qt::Find(parent->GetSafeHwnd()) : nullptr;
  QDialog dialog(owner);
  dialog.setWindowTitle(QString::fromWCharArray(layout->caption));
  QFont font = dialog.font();
  font.setPointSize(layout->fontPoints);
  dialog.setFont(font);
  const DialogUnits units(font);
  for (const DialogControl& control : layout->controls) AddControl(dialog, control, units);
  dialog.setFixedSize(units.ToPixels(0, 0, layout->cx, layout->cy).size());
  Centre(dialog, owner);
  const int result = dialog.exec();
  return result == QDialog::Rejected ? kIdCancel : result;
}
