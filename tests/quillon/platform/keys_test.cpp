// Keys of the windows: letters shown in parentheses choose menu items, and the arrow, page keys and
// the wheel over a date or time field click its spin arrows.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "access_keys.h"
#include "spin_keys.h"

namespace quillon {
namespace {

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

}  // namespace
}  // namespace quillon
