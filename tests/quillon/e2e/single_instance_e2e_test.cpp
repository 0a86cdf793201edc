// Real starts of the program, offscreen: a second start in the same session (runtime folder)
// finds the first, asks it to the front and exits at once with status 0, while a start in another
// session runs; two starts at the same moment leave one running.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

namespace {

// A start with its own settings in `config` and the session's runtime folder `session`; with
// `args` the platform comes from them instead of QT_QPA_PLATFORM.
std::unique_ptr<QProcess> Start(const QTemporaryDir& config, const QTemporaryDir& session,
                                const QStringList& args = {}) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  if (args.isEmpty()) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), session.path());
  process->setProcessEnvironment(env);
  process->start(QStringLiteral(QUILLON_BINARY), args);
  process->waitForStarted();
  return process;
}

// Waits until an instance listens in the session (its socket appears).
bool Listening(const QTemporaryDir& session) {
  const QString socket = session.filePath(QStringLiteral("quillon"));
  for (QDeadlineTimer deadline(30000); !QFile::exists(socket) && !deadline.hasExpired();) {
    QThread::msleep(50);
  }
  return QFile::exists(socket);
}

void Stop(QProcess& process) {
  process.kill();
  process.waitForFinished();
}

TEST(QuillonWindow, ASecondStartInTheSessionExitsAStartInAnotherRuns) {
  QTemporaryDir config, session, otherSession;
  auto first = Start(config, session);
  ASSERT_TRUE(Listening(session));
  auto second = Start(config, session);
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(first->state(), QProcess::Running);
  auto elsewhere = Start(config, otherSession);
  EXPECT_TRUE(Listening(otherSession));
  EXPECT_FALSE(elsewhere->waitForFinished(1000)) << "the other session's start gave way";
  Stop(*first);
  Stop(*elsewhere);
}

// The toolkit's options, and "--" after them, open the window even without a display variable.
TEST(QuillonWindow, WindowOptionsOpenTheWindow) {
  QTemporaryDir config, session;
  auto window = Start(config, session, {"-platform", "offscreen", "-style", "fusion", "--"});
  EXPECT_TRUE(Listening(session));
  EXPECT_EQ(window->state(), QProcess::Running) << window->readAllStandardError().toStdString();
  Stop(*window);
}

TEST(QuillonWindow, TwoStartsAtOnceLeaveOneInstance) {
  QTemporaryDir config, session;
  auto a = Start(config, session);
  auto b = Start(config, session);
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
