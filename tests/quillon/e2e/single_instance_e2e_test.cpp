// Two real starts of the program, offscreen: the second finds the first, asks it to the front
// and exits at once with status 0; two starts at the same moment leave one running.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

namespace {

std::unique_ptr<QProcess> Start(const QTemporaryDir& config, const QStringList& args = {}) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (args.isEmpty()) {
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  } else {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  }
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
  // Each test run gets its own instance name through its own temporary directory.
  env.insert(QStringLiteral("TMPDIR"), config.path());
  process->setProcessEnvironment(env);
  process->start(QStringLiteral(QUILLON_BINARY), args);
  process->waitForStarted();
  return process;
}

TEST(QuillonWindow, ASecondStartExitsAndLeavesTheFirstRunning) {
  QTemporaryDir config;
  auto first = Start(config);
  // Wait until the first instance listens (its socket appears in its temporary directory).
  const QString socket = config.filePath(QStringLiteral("quillon-%1").arg(getuid()));
  for (QDeadlineTimer deadline(30000); !QFile::exists(socket) && !deadline.hasExpired();) {
    QThread::msleep(50);
  }
  ASSERT_EQ(first->state(), QProcess::Running);
  auto second = Start(config);
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(first->state(), QProcess::Running);
  first->kill();
  first->waitForFinished();
}

// The toolkit's options, and "--" after them, open the window even without a display variable.
TEST(QuillonWindow, WindowOptionsOpenTheWindow) {
  QTemporaryDir config;
  auto window = Start(config, {"-platform", "offscreen", "-style", "fusion", "--"});
  const QString socket = config.filePath(QStringLiteral("quillon-%1").arg(getuid()));
  for (QDeadlineTimer deadline(30000); !QFile::exists(socket) && !deadline.hasExpired();) {
    QThread::msleep(50);
  }
  EXPECT_EQ(window->state(), QProcess::Running) << window->readAllStandardError().toStdString();
  window->kill();
  window->waitForFinished();
}

TEST(QuillonWindow, TwoStartsAtOnceLeaveOneInstance) {
  QTemporaryDir config;
  auto a = Start(config);
  auto b = Start(config);
  // One of them gives way within seconds; the other keeps running.
  bool aEnded = false, bEnded = false;
  for (QDeadlineTimer deadline(15000); !aEnded && !bEnded && !deadline.hasExpired();) {
    aEnded = a->waitForFinished(50);
    bEnded = b->waitForFinished(50);
  }
  ASSERT_NE(aEnded, bEnded);
  EXPECT_EQ((aEnded ? a : b)->exitCode(), 0);
  EXPECT_FALSE((aEnded ? b : a)->waitForFinished(1000)) << "both gave way";
  for (QProcess* p : {a.get(), b.get()}) {
    if (p->state() == QProcess::Running) p->kill();
    p->waitForFinished();
  }
}

}  // namespace
