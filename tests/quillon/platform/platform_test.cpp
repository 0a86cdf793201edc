// The platform layer, offscreen.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QWheelEvent>
#include <sstream>
#include <string>
#include <vector>

#include "access_keys.h"
#include "help_window.h"
#include "single_instance.h"
#include "spin_keys.h"
#include "test_support.h"
#include "window_placement.h"

namespace quillon {
namespace {

// Where windows open: beside the main window or cascaded from it, never across a screen's edge;
// saved places that no screen holds any more are brought back.

const QRect kScreen(0, 0, 1920, 1050);          // 1920 × 1080 less a 30-pixel panel
const QRect kLeftScreen(-1280, 0, 1280, 1024);  // a second monitor left of the first

// The rules' cases of tests/data/window_placement.tsv.
TEST(WindowPlacement, FitBesideTheMainWindowAndBackOnScreen) {
  const auto rect = [](const std::string& text) {
    int x, y, w, h;
    std::istringstream(text) >> x >> y >> w >> h;
    return QRect(x, y, w, h);
  };
  const auto rows = almacor::ReadReferenceTable("window_placement.tsv", '\t');
  ASSERT_GT(rows.size(), 12u);
  for (const auto& r : rows) {
    const QRect given = rect(r[1]), screen = r[2] == "left" ? kLeftScreen : kScreen;
    const std::vector<QRect> screens =
        r[2] == "main only" ? std::vector{kScreen} : std::vector{kScreen, kLeftScreen};
    const QRect placed = r[0] == "fit"      ? FitInside(given, screen)
                         : r[0] == "beside" ? BesideMainWindow(QSize(460, 490), given, screen)
                                            : BackOnScreen(given, screens, kScreen);
    EXPECT_EQ(placed, rect(r[3])) << r[0] << " " << r[1] << ": " << r[4];
  }
  for (const QRect& main : {QRect(1500, 900, 660, 420), QRect(-300, -100, 3000, 2000)}) {
    EXPECT_TRUE(kScreen.contains(BesideMainWindow(QSize(460, 490), main, kScreen))) << main.x();
  }
}

// Keys of the windows: letters shown in parentheses choose menu items, and the arrow, page keys and
// the wheel over a date or time field click its spin arrows.

TEST(AccessKeys, TheLetterInParenthesesMarkedOrNot) {
  EXPECT_EQ(ShownAccessKey(QStringLiteral("角度換算(A)")), QChar('A'));
  EXPECT_EQ(ShownAccessKey(QStringLiteral("コピー(&C)")), QChar('C'));
  EXPECT_EQ(ShownAccessKey(QStringLiteral("UTC12:00(J)")), QChar('J'));
  EXPECT_EQ(ShownAccessKey(QStringLiteral("観測地点(&L)...")), QChar('L'));
  EXPECT_EQ(ShownAccessKey(QStringLiteral("北(n)")), QChar('N'));
  EXPECT_TRUE(ShownAccessKey(QStringLiteral("ΔT推算")).isNull());
  EXPECT_TRUE(ShownAccessKey(QStringLiteral("(月)")).isNull());
}

TEST(AccessKeys, AnUnmarkedLetterChoosesItsVisibleItem) {
  QMenu menu;
  QAction* zero = menu.addAction(QStringLiteral("0秒(Z)"));
  QAction* hidden = menu.addAction(QStringLiteral("北(N)"));
  hidden->setVisible(false);
  EnableShownAccessKeys(menu);
  QSignalSpy zeroed(zero, &QAction::triggered), north(hidden, &QAction::triggered);
  menu.popup(QPoint(0, 0));
  QTest::keyClick(&menu, Qt::Key_N);
  QTest::keyClick(&menu, Qt::Key_Z);
  EXPECT_EQ(zeroed.count(), 1);
  EXPECT_EQ(north.count(), 0);
  EXPECT_FALSE(menu.isVisible());
}

TEST(SpinKeys, KeysAndWheelClickTheEnabledArrows) {
  QLineEdit field;
  QToolButton up, down, largerUp, largerDown;
  AttachSpinKeys(field, {&up, &down, &largerUp, &largerDown});
  QSignalSpy ups(&up, &QToolButton::clicked), downs(&down, &QToolButton::clicked),
      largerUps(&largerUp, &QToolButton::clicked), largerDowns(&largerDown, &QToolButton::clicked);
  const auto wheel = [&field](int delta) {
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&field, &event);
  };
  QTest::keyClick(&field, Qt::Key_Up);
  QTest::keyClick(&field, Qt::Key_Down);
  QTest::keyClick(&field, Qt::Key_Down);
  QTest::keyClick(&field, Qt::Key_PageUp);
  QTest::keyClick(&field, Qt::Key_PageDown);
  wheel(240);  // two notches up
  wheel(-60);  // half a notch: nothing yet
  wheel(-60);  // the other half: one down
  EXPECT_EQ(ups.count(), 3);
  EXPECT_EQ(downs.count(), 3);
  EXPECT_EQ(largerUps.count(), 1);
  EXPECT_EQ(largerDowns.count(), 1);

  // Disabled arrows (real time, sweep) do nothing, whatever the key.
  up.setEnabled(false);
  largerUp.setEnabled(false);
  QTest::keyClick(&field, Qt::Key_Up);
  QTest::keyClick(&field, Qt::Key_PageUp);
  wheel(120);
  EXPECT_EQ(ups.count(), 3);
  EXPECT_EQ(largerUps.count(), 1);
}

// One instance per login session: a second start with the same runtime folder finds the first and
// asks it to the front; another folder is another session; a socket left by a crashed instance
// does not stop the next start; without XDG_RUNTIME_DIR the folder is private to the user.

TEST(SingleInstance, ASecondStartInTheSameSessionRaisesTheFirst) {
  QTemporaryDir session, other;
  SingleInstance first(session.path(), QStringLiteral("quillon"));
  ASSERT_TRUE(first.TryBecomePrimary());
  QSignalSpy raised(&first, &SingleInstance::raiseRequested);
  SingleInstance second(session.path(), QStringLiteral("quillon"));
  EXPECT_FALSE(second.TryBecomePrimary());
  EXPECT_TRUE(raised.count() == 1 || raised.wait(2000));

  SingleInstance elsewhere(other.path(), QStringLiteral("quillon"));
  EXPECT_TRUE(elsewhere.TryBecomePrimary());
  SingleInstance otherDisplay(session.path(), QStringLiteral("quillon-:1"));
  EXPECT_TRUE(otherDisplay.TryBecomePrimary());
}

TEST(SingleInstance, AStaleSocketDoesNotStopTheNextStart) {
  QTemporaryDir session;
  SingleInstance next(session.path(), QStringLiteral("quillon"));
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
  EXPECT_EQ(RuntimeFolder(), temp.path());
  qunsetenv("XDG_RUNTIME_DIR");
  const QString folder = RuntimeFolder();
  ASSERT_TRUE(folder.startsWith(temp.path() + QStringLiteral("/quillon-"))) << folder.toStdString();
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  // A folder others may enter is not used.
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_EQ(RuntimeFolder(), QString());
  qputenv("TMPDIR", tmp);
  if (runtime.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", runtime);
  }
}

// The help pages as a reader meets them: every page reached from the contents and the keyword
// index, every link in them (anchors included) and every picture and style sheet they load.

QStringList warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg) warnings << message;
}

// What a page shown in the browser offers: its links resolved against the page's address, the
// anchor names it defines, and the files its source loads (pictures, the style sheet).
struct Page {
  QList<QUrl> links;
  QSet<QString> anchors;
  QList<QUrl> loads;
};

Page Read(const QTextBrowser& browser) {
  Page page;
  const QUrl base = browser.source();
  for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      for (const QString& name : format.anchorNames()) page.anchors.insert(name);
      if (format.isAnchor() && !format.anchorHref().isEmpty())
        page.links << base.resolved(QUrl(format.anchorHref()));
    }
  }
  QFile source(QLatin1Char(':') + base.path());
  if (source.open(QIODevice::ReadOnly)) {
    static const QRegularExpression kLoaded(
        QStringLiteral(R"re((?:src|<link[^>]*href)="([^"]+)")re"));
    for (const auto& match : kLoaded.globalMatch(QString::fromUtf8(source.readAll())))
      page.loads << base.resolved(QUrl(match.captured(1)));
  }
  return page;
}

bool IsShipped(const QUrl& url) {
  return url.scheme() == QStringLiteral("qrc") && QFile::exists(QLatin1Char(':') + url.path());
}

TEST(HelpPages, EveryPageIsReachedAndEveryLinkAnchorAndPictureResolves) {
  ShowHelp(0);
  auto* browser = qobject_cast<QTextBrowser*>(HelpWindow());
  ASSERT_NE(browser, nullptr);
  const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);

  QMap<QString, Page> pages;  // by path
  QList<QUrl> queue = {QUrl(QStringLiteral("qrc:/help/topic0.html")),
                       QUrl(QStringLiteral("qrc:/help/keywords.html"))};
  QList<std::pair<QString, QUrl>> links;  // the page a link is on, its target
  while (!queue.isEmpty()) {
    const QUrl url = queue.takeFirst().adjusted(QUrl::RemoveFragment);
    if (pages.contains(url.path())) continue;
    browser->setSource(url);
    EXPECT_EQ(browser->source(), url);
    EXPECT_FALSE(browser->documentTitle().isEmpty()) << url.path().toStdString();
    const Page page = Read(*browser);
    for (const QUrl& file : page.loads)
      EXPECT_TRUE(IsShipped(file))
          << url.path().toStdString() << " loads " << file.toString().toStdString();
    for (const QUrl& link : page.links) {
      links.append({url.path(), link});
      if (IsShipped(link)) queue << link;
    }
    pages.insert(url.path(), page);
  }
  qInstallMessageHandler(previous);

  for (const auto& [from, link] : links) {
    const std::string where = from.toStdString() + " → " + link.toString().toStdString();
    ASSERT_TRUE(IsShipped(link)) << where;
    if (link.hasFragment()) {
      EXPECT_TRUE(pages[link.path()].anchors.contains(link.fragment())) << where;
    }
  }
  for (const QString& name : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}))
    EXPECT_TRUE(pages.contains(QStringLiteral("/help/") + name))
        << name.toStdString() << " is not reached";
  EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
  EXPECT_FALSE(HelpWindow()->windowIcon().isNull());
  CloseHelpWindows();
}

}  // namespace
}  // namespace quillon
