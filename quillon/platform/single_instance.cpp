#include "single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QWidget>

namespace quillon {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kLockTimeoutMs = 5000;

// The top-level window the user last worked in.
QPointer<QWidget>& LastActiveWindow() {
  static QPointer<QWidget> window;
  return window;
}

}  // namespace

QString RuntimeFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir()) return runtime;
  const QString folder = QDir(QDir::tempPath()).filePath(QStringLiteral("quillon-%1").arg(getuid()));
  const QByteArray path = QFile::encodeName(folder);
  ::mkdir(path.constData(), 0700);
  // The folder may have been there before: it must be ours and closed to everyone else.
  struct stat status {};
  if (::lstat(path.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
      status.st_uid != getuid() || (status.st_mode & 077) != 0) {
    return {};
  }
  return folder;
}

QString SingleInstance::DefaultName() {
  QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
  if (display.isEmpty()) return QStringLiteral("quillon");
  return QStringLiteral("quillon-") + display.replace(QLatin1Char('/'), QLatin1Char('_'));
}

SingleInstance::SingleInstance(QString folder, const QString& name, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), name_(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::SocketPath() const { return QDir(folder_).filePath(name_); }

bool SingleInstance::TryBecomePrimary() {
  if (folder_.isEmpty()) return true;
  const QString socketPath = SocketPath();
  QLockFile lock(socketPath + QStringLiteral(".lock"));
  lock.setStaleLockTime(0);
  lock.tryLock(kLockTimeoutMs);
  {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
      socket.write("raise\n");
      socket.waitForBytesWritten(kConnectTimeoutMs);
      socket.disconnectFromServer();
      return false;
    }
  }
  // Nobody answers: a socket file that is still there belongs to a crashed instance.
  QLocalServer::removeServer(socketPath);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  server_->listen(socketPath);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      emit raiseRequested();
    }
  });
  return true;
}

void RaiseWindow(QWidget* mainWindow) {
  static bool tracking = false;
  if (!tracking) {
    tracking = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
      if (now) LastActiveWindow() = now->window();
    });
  }
  QWidget* window = QApplication::activeModalWidget();
  if (!window) window = LastActiveWindow() ? LastActiveWindow().data() : mainWindow;
  if (!window) return;
  if (window->isMinimized() || window->isMaximized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace quillon
