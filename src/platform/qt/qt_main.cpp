#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cstdlib>

#include "platform/app.h"
#include "platform/soft/soft_world.h"
#include "platform/win_constants.h"
#include "qt_world.h"
#include "qt_x11.h"

// The program's entry point on the Linux desktop: the application object is
// a global of the program, as with the desktop framework's own WinMain.
namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(signalPipe[1], &byte, 1);
}

// A request to end (SIGTERM, SIGINT, SIGHUP) closes the main window from the
// pump, so settings are saved exactly as when the user exits.
void CloseMainWindow() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->mainWindow != nullptr) {
    app->mainWindow->PostMessage(wm::kClose);
  } else {
    platform::PostQuitMessage(0);
  }
}

void CatchEndSignals(QApplication& application) {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char drained[16];
    while (read(signalPipe[0], drained, sizeof drained) > 0) {
    }
    CloseMainWindow();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

// The session manager's request to save comes as the end of a session does
// on the desktop.
void FollowSession(QApplication& application) {
  QObject::connect(&application, &QGuiApplication::commitDataRequest, [](QSessionManager&) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->mainWindow == nullptr) return;
    if (app->mainWindow->SendMessage(wm::kQueryEndSession) != 0) app->mainWindow->SendMessage(wm::kEndSession, 1);
  });
}

// NOTE: when the connection to the X server breaks (the server ended, a
// logout without a session manager), Qt ends the program with exit() from
// inside its event loop; the settings are saved on the way out, as at the
// end of a session.
void SaveWhenTheDisplayGoes() {
  // The window core is made first, so that it is still there when this runs.
  soft::TheWorld();
  std::atexit([] {
    CWinApp* app = AfxGetApp();
    if (!qt::x11::DisplayLost() || app == nullptr || app->mainWindow == nullptr) return;
    if (app->mainWindow->SendMessage(wm::kQueryEndSession) != 0) app->mainWindow->SendMessage(wm::kEndSession, 1);
  });
}

void FollowScreens(QApplication& application) {
  auto changed = [] {
    qt::RefreshMonitors();
    std::vector<soft::Window*> windows;
    {
      std::lock_guard lock(soft::TheWorld().mutex);
      windows = soft::TheWorld().windows;
    }
    for (soft::Window* window : windows) soft::Post(window->Handle(), wm::kDisplayChange);
  };
  auto watch = [changed](QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, changed);
    QObject::connect(screen, &QScreen::availableGeometryChanged, changed);
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  QObject::connect(&application, &QGuiApplication::screenAdded, [watch, changed](QScreen* screen) {
    watch(screen);
    changed();
  });
  QObject::connect(&application, &QGuiApplication::screenRemoved, changed);
  QObject::connect(&application, &QGuiApplication::primaryScreenChanged, changed);
}

}  // namespace

int main(int argc, char** argv) {
  // Windows place themselves, which only X11 allows (Wayland desktops run
  // this through XWayland); positions are device pixels, as on Windows.
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  application.setWindowIcon(QIcon(QStringLiteral(":/kitemaru.ico")));
  qt::RefreshMonitors();
  CatchEndSignals(application);
  FollowSession(application);
  SaveWhenTheDisplayGoes();
  FollowScreens(application);

  CWinApp* app = AfxGetApp();
  if (app == nullptr || !app->InitInstance()) return 1;
  return app->Run();
}
