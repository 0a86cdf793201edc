#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace quillon {

/// One running program per user. The first start listens on a per-user local socket; a later
/// start finds it, asks it to come to the front and ends. The check and the listening happen
/// under a per-user lock file, so two starts at the same moment leave exactly one instance, and a
/// socket left behind by a crashed instance is removed.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  /// `key` names the instance ("quillon"); the user id is added to it.
  explicit SingleInstance(const QString& key = QStringLiteral("quillon"),
                          QObject* parent = nullptr);
  ~SingleInstance() override;

  /// True when this is the first instance (it now listens); false when another one runs and
  /// has been asked to come to the front.
  bool TryBecomePrimary();

 signals:
  /// A later start asked this instance to come to the front.
  void raiseRequested();

 private:
  QString name_;
  QLocalServer* server_ = nullptr;
};

/// Brings the program's most recently active window (the main window when none) to the front,
/// restored from minimised or maximised.
void RaiseWindow(QWidget* mainWindow);

}  // namespace quillon
