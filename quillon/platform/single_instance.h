#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace quillon {

/// The folder of the per-user lock and socket: $XDG_RUNTIME_DIR when it names a folder (one per
/// login of the user), else "quillon-<user id>" in the temporary folder, created with mode 0700.
/// Empty when that folder cannot be made safe (it belongs to another user, or others may enter
/// it).
QString RuntimeFolder();

/// One running program per login session and display. The first start listens on a local socket
/// in RuntimeFolder(); a later start finds it, asks it to come to the front and ends. The check
/// and the listening happen under a lock file beside the socket, so two starts at the same moment
/// leave exactly one instance, and a socket left behind by a crashed instance is removed. Starts
/// with another runtime folder or on another display are independent of each other.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  /// `name` names the socket and the lock in `folder`; by default "quillon" followed by the
  /// display, in RuntimeFolder().
  explicit SingleInstance(QString folder = RuntimeFolder(), const QString& name = DefaultName(),
                          QObject* parent = nullptr);
  ~SingleInstance() override;

  /// True when this is the first instance (it now listens, or no safe folder exists to look for
  /// another); false when another one runs and has been asked to come to the front.
  bool TryBecomePrimary();

  /// The socket's path.
  QString SocketPath() const;

  /// "quillon" and the display the window goes to ("quillon-wayland-0", "quillon-:1").
  static QString DefaultName();

 signals:
  /// A later start asked this instance to come to the front.
  void raiseRequested();

 private:
  QString folder_;
  QString name_;
  QLocalServer* server_ = nullptr;
};

/// Brings the program's most recently active window (the main window when none) to the front,
/// restored from minimised or maximised.
void RaiseWindow(QWidget* mainWindow);

}  // namespace quillon
