#include <QLocale>
#include <QStringList>

#include "platform/system.h"

namespace platform {

// NOTE: Qt reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG itself; the first of
// its list is the one the user reads best.
std::wstring UserInterfaceLanguage() {
  const QStringList languages = QLocale::system().uiLanguages();
  return languages.isEmpty() ? std::wstring() : languages.front().toStdWString();
}

}  // namespace platform
