// One instance per login session: a second start with the same runtime folder finds the first and
// asks it to the front; another folder is another session; a socket left by a crashed instance
// does not stop the next start; without XDG_RUNTIME_DIR the folder is private to the user.
#include "single_instance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

TEST(SingleInstance, ASecondStartInTheSameSessionRaisesTheFirst) {
  QTemporaryDir session, other;
  quillon::SingleInstance first(session.path(), QStringLiteral("quillon"));
  ASSERT_TRUE(first.TryBecomePrimary());
  QSignalSpy raised(&first, &quillon::SingleInstance::raiseRequested);
  quillon::SingleInstance second(session.path(), QStringLiteral("quillon"));
  EXPECT_FALSE(second.TryBecomePrimary());
  EXPECT_TRUE(raised.count() == 1 || raised.wait(2000));

  quillon::SingleInstance elsewhere(other.path(), QStringLiteral("quillon"));
  EXPECT_TRUE(elsewhere.TryBecomePrimary());
  quillon::SingleInstance otherDisplay(session.path(), QStringLiteral("quillon-:1"));
  EXPECT_TRUE(otherDisplay.TryBecomePrimary());
}

TEST(SingleInstance, AStaleSocketDoesNotStopTheNextStart) {
  QTemporaryDir session;
  quillon::SingleInstance next(session.path(), QStringLiteral("quillon"));
  QFile stale(next.SocketPath());
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  EXPECT_TRUE(next.TryBecomePrimary());
}

TEST(SingleInstance, RuntimeFolderWithoutXdgRuntimeDirIsPrivate) {
  QTemporaryDir temp;
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temp.path().toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", temp.path().toLocal8Bit());
  EXPECT_EQ(quillon::RuntimeFolder(), temp.path());
  qunsetenv("XDG_RUNTIME_DIR");
  const QString folder = quillon::RuntimeFolder();
  ASSERT_TRUE(folder.startsWith(temp.path() + QStringLiteral("/quillon-"))) << folder.toStdString();
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  // A folder others may enter is not used.
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_EQ(quillon::RuntimeFolder(), QString());
  qputenv("TMPDIR", tmp);
  if (runtime.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", runtime);
  }
}

}  // namespace
