#include "qt_world.h"

namespace qt {

Screens& TheScreens() {
  static Screens screens;
  return screens;
}

QString ToQString(const std::wstring& text) { return QString::fromWCharArray(text.data(), qsizetype(text.size())); }

}  // namespace qt
