#include "single_instance.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
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

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), name_(QStringLiteral("%1-%2").arg(key).arg(getuid())) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryBecomePrimary() {
  QLockFile lock(QDir(QDir::tempPath()).filePath(name_ + QStringLiteral(".lock")));
  lock.setStaleLockTime(0);
  lock.tryLock(kLockTimeoutMs);
  {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
      socket.write("raise\n");
      socket.waitForBytesWritten(kConnectTimeoutMs);
      socket.disconnectFromServer();
      return false;
    }
  }
  // Nobody answers: a socket file that is still there belongs to a crashed instance.
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  server_->listen(name_);
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
