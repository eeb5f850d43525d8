#include "qt_world.h"

namespace qt {

QString ToQString(const std::wstring& text) { return QString::fromWCharArray(text.data(), qsizetype(text.size())); }

}  // namespace qt
