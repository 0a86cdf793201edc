// Where windows open: beside the main window or cascaded from it, never across a screen's edge;
// saved places that no screen holds any more are brought back.
#include "window_placement.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

const QRect kScreen(0, 0, 1920, 1050);       // 1920 × 1080 less a 30-pixel panel
const QRect kLeftScreen(-1280, 0, 1280, 1024);  // a second monitor left of the first

TEST(WindowPlacement, FitInsideMovesAndShrinksOnlyWhatCrossesTheEdge) {
  EXPECT_EQ(FitInside(QRect(100, 100, 400, 300), kScreen), QRect(100, 100, 400, 300));
  EXPECT_EQ(FitInside(QRect(1800, 900, 400, 300), kScreen), QRect(1520, 750, 400, 300));
  EXPECT_EQ(FitInside(QRect(-50, -20, 400, 300), kScreen), QRect(0, 0, 400, 300));
  EXPECT_EQ(FitInside(QRect(10, 10, 2500, 1200), kScreen), kScreen);
  EXPECT_EQ(FitInside(QRect(-100, 900, 400, 300), kLeftScreen), QRect(-400, 724, 400, 300));
}

TEST(WindowPlacement, BesideTheMainWindowThenLeftThenBelowThenCascaded) {
  const QSize size(460, 490);
  // Room on the right: beside it, top edges aligned.
  EXPECT_EQ(BesideMainWindow(size, QRect(100, 200, 660, 420), kScreen),
            QRect(768, 200, 460, 490));
  // A main window low on the screen: beside it but lifted so the bottom stays on screen.
  EXPECT_EQ(BesideMainWindow(size, QRect(100, 800, 660, 200), kScreen),
            QRect(768, 560, 460, 490));
  // At the right edge: on its left.
  EXPECT_EQ(BesideMainWindow(size, QRect(1200, 100, 700, 420), kScreen),
            QRect(732, 100, 460, 490));
  // As wide as the screen: below it.
  EXPECT_EQ(BesideMainWindow(size, QRect(0, 0, 1920, 420), kScreen), QRect(0, 428, 460, 490));
  // Filling the screen: cascaded from its corner.
  EXPECT_EQ(BesideMainWindow(size, kScreen, kScreen), QRect(32, 32, 460, 490));
  // On the left monitor the same rules hold in its own coordinates.
  EXPECT_EQ(BesideMainWindow(size, QRect(-1280, 0, 660, 420), kLeftScreen),
            QRect(-612, 0, 460, 490));
  for (const QRect& main : {QRect(1500, 900, 660, 420), QRect(-300, -100, 3000, 2000)}) {
    EXPECT_TRUE(kScreen.contains(BesideMainWindow(size, main, kScreen))) << main.x();
  }
}

TEST(WindowPlacement, SavedPlacesStayOrComeBackOnScreen) {
  const std::vector<QRect> screens = {kScreen, kLeftScreen};
  // Wholly on one screen, even the second: kept.
  EXPECT_EQ(BackOnScreen(QRect(-1000, 100, 400, 300), screens, kScreen),
            QRect(-1000, 100, 400, 300));
  // Across the edge between the screens: into the one it mostly covers.
  EXPECT_EQ(BackOnScreen(QRect(-100, 100, 400, 300), screens, kScreen),
            QRect(0, 100, 400, 300));
  // Saved with a monitor that is gone: onto the main window's screen.
  EXPECT_EQ(BackOnScreen(QRect(3000, 100, 400, 300), screens, kScreen),
            QRect(1520, 100, 400, 300));
  EXPECT_EQ(BackOnScreen(QRect(100, 1040, 400, 300), {kScreen}, kScreen),
            QRect(100, 750, 400, 300));
}

}  // namespace
}  // namespace quillon
