// One instance per user: a second start finds the first and asks it to the front; a socket left
// by a crashed instance does not stop the next start.
#include "single_instance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QUuid>

namespace {

QString UniqueKey() {
  return QStringLiteral("quillon-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

TEST(SingleInstance, ASecondStartRaisesTheFirst) {
  const QString key = UniqueKey();
  quillon::SingleInstance first(key);
  ASSERT_TRUE(first.TryBecomePrimary());
  QSignalSpy raised(&first, &quillon::SingleInstance::raiseRequested);
  quillon::SingleInstance second(key);
  EXPECT_FALSE(second.TryBecomePrimary());
  EXPECT_TRUE(raised.count() == 1 || raised.wait(2000));
}

TEST(SingleInstance, AStaleSocketDoesNotStopTheNextStart) {
  const QString key = UniqueKey();
  quillon::SingleInstance probe(key);  // only for the socket's name
  const QString name = QStringLiteral("%1-%2").arg(key).arg(getuid());
  QFile stale(QDir(QDir::tempPath()).filePath(name));
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  quillon::SingleInstance next(key);
  EXPECT_TRUE(next.TryBecomePrimary());
}

}  // namespace
