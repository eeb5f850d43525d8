#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QThread>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/monitors.h"
#include "platform/soft/soft_world.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "qt_world.h"
#include "qt_x11.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace platform {

uint32_t TimeGetTime() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void Sleep(uint32_t milliseconds) {
  // The frame's window moves reach the screen before the frame's wait, not after it.
  if (QThread::currentThread() == qApp->thread()) qt::x11::FlushRequests();
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

Size ScreenSize() {
  for (const MonitorInfo& monitor : Monitors()) {
    if (monitor.primary) return {monitor.area.Width(), monitor.area.Height()};
  }
  return {};
}

Point CursorPos() {
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

bool IsKeyDown(uint32_t virtualKey) {
  const auto held = Qt::KeyboardModifiers::fromInt(soft::HeldKeys());
  if (virtualKey == vk::kShift) return held.testFlag(Qt::ShiftModifier);
  if (virtualKey == vk::kControl) return held.testFlag(Qt::ControlModifier);
  return false;
}

std::wstring ExecutablePath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::u8string utf8 = path.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), qsizetype(utf8.size())).toStdWString();
}

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> arguments;
  const QStringList given = QCoreApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i) arguments.push_back(given[i].toStdWString());
  return arguments;
}

bool InitSystemServices() { return QApplication::instance() != nullptr; }

void MessageBoxFromResource(uint32_t stringId, const std::vector<std::wstring>& fills) {
  const wchar_t* caption = FindString(IDS_APP_NAME);
  QMessageBox::information(nullptr, QString::fromWCharArray(caption != nullptr ? caption : L""),
                           QString::fromStdWString(FormatString(stringId, fills)));
}

}  // namespace platform
