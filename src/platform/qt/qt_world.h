#pragma once
// What the Qt backend's files share besides the windows: conversions
// between the program's types and Qt's.
#include <QColor>
#include <QRect>
#include <QString>

#include <string>

#include "platform/geometry.h"

namespace qt {

// Reads the screens again (start-up and whenever they change).
void RefreshMonitors();

inline QString ToQString(const std::wstring& text) {
  return QString::fromWCharArray(text.data(), qsizetype(text.size()));
}
inline QColor ToQColor(Color color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }
inline Rect FromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace qt
