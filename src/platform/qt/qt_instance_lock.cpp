#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/instance_lock.h"

// The lock is a file held with flock, which the kernel lets go of when the
// holder ends in any way; the holder listens on a local socket beside it.
// Both live in $XDG_RUNTIME_DIR, else in a private folder under /tmp: the
// program's and the settings' folders may take no files.
namespace {

constexpr int kConnectTimeoutMs = 1000;

bool IsPrivateFolder(const std::string& folder) {
  struct stat status {};
  return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == getuid() &&
         (status.st_mode & 077) == 0;
}

std::string RuntimeFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
    if (IsPrivateFolder(runtime)) return runtime;
  }
  const std::string own = "/tmp/kitemaru-" + std::to_string(getuid());
  mkdir(own.c_str(), 0700);
  // Made by someone else to catch our requests: no lock rather than theirs.
  return IsPrivateFolder(own) ? own : std::string();
}

}  // namespace

namespace platform {

struct InstanceLock::State {
  std::string name;
  std::string folder;
  int file = -1;
  QLocalServer* server = nullptr;

  QString SocketPath() const { return QString::fromStdString(folder + '/' + name + ".socket"); }
};

InstanceLock::InstanceLock(std::wstring name) : state(std::make_unique<State>()) {
  state->name.assign(name.begin(), name.end());  // letters, digits and '-' only
  state->folder = RuntimeFolder();
}

InstanceLock::~InstanceLock() {
  delete state->server;
  if (state->file >= 0) close(state->file);
}

bool InstanceLock::TryClaim() {
  if (state->file >= 0 || state->folder.empty()) return true;
  const std::string path = state->folder + '/' + state->name + ".lock";
  const int file = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (file < 0) return true;
  if (flock(file, LOCK_EX | LOCK_NB) == 0) {
    state->file = file;
    return true;
  }
  const bool held = errno == EWOULDBLOCK;
  close(file);
  return !held;
}

void InstanceLock::ServeShowRequests(std::function<void()> onShow) {
  if (state->file < 0 || state->server != nullptr) return;
  state->server = new QLocalServer;
  state->server->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by a holder that died; the lock says none listens now.
  QLocalServer::removeServer(state->SocketPath());
  QLocalServer* server = state->server;
  QObject::connect(server, &QLocalServer::newConnection, server, [server, onShow = std::move(onShow)] {
    while (QLocalSocket* request = server->nextPendingConnection()) {
      request->disconnectFromServer();
      request->deleteLater();
      onShow();
    }
  });
  server->listen(state->SocketPath());
}

bool InstanceLock::AskHolderToShow() {
  if (state->folder.empty()) return false;
  QLocalSocket socket;
  socket.connectToServer(state->SocketPath());
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.disconnectFromServer();
  return true;
}

}  // namespace platform
