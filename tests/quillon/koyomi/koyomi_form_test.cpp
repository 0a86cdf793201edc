// The month calendar window on the offscreen platform, driven as a user would.
#include "koyomi_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "fake_host.h"
#include "help_window.h"
#include "program_settings.h"

namespace quillon {
namespace {

// The centre of a day's cell in the view as it is laid out now.
QPoint CellCentre(KoyomiForm& form, int dayOfMonth) {
  MonthView& view = form.View();
  const PageLayout layout = LayoutMonthPage(view.width(), view.height(), form.Page().Weeks());
  const Box& b = layout.cells[static_cast<std::size_t>(form.Page().leadingBlanks + dayOfMonth - 1)];
  return {static_cast<int>(b.x + b.width / 2), static_cast<int>(b.y + b.height / 2)};
}

QAction* Action(KoyomiForm& form, const QString& text) {
  for (QAction* a : form.findChild<QMenuBar*>()->findChildren<QAction*>()) {
    if (a->text() == text) return a;
  }
  return nullptr;
}

TEST(KoyomiForm, FollowsTheMainWindowAndSetsItsDate) {
  testing::FakeHost host({2024, 3, 20, 12, 34, 56});
  auto* form = new KoyomiForm(host);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  EXPECT_EQ(form->Page().title, "2024年3月");
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  QTest::keyClick(form, Qt::Key_F1);
  ASSERT_NE(HelpWindow(), nullptr);
  EXPECT_TRUE(HelpWindow()->windowTitle().endsWith("暦"));
  CloseHelpWindows();

  // A click on the 15th sets the main window's date and keeps its time of day.
  QTest::mouseClick(&form->View(), Qt::LeftButton, {}, CellCentre(*form, 15));
  EXPECT_EQ(host.calendar.DateTime().ToCivil(), (almacor::CivilDateTime{2024, 3, 15, 12, 34, 56}));
  // Leafing forward a month and a year, then back to the main window's month.
  for (QPushButton* b : form->findChildren<QPushButton*>()) {
    if (b->text().startsWith(QStringLiteral("次月")) || b->text().startsWith("翌年")) b->click();
  }
  EXPECT_EQ(form->Page().title, "2025年4月");
  QTest::keyClick(form, Qt::Key_Home);
  EXPECT_EQ(form->Page().title, "2024年3月");
  // Stepping in the main window moves the calendar with it.
  host.SetInstant(almacor::Date::FromCivil(2033, 12, 22, 9));
  form->HostDisplayed();
  EXPECT_EQ(form->Page().title, "2033年12月");
  EXPECT_EQ(form->Page().cells[21].lunisolar, "旧閏11月1日");

  form->close();
}

TEST(KoyomiForm, HiddenItemsAndPlaceAreRemembered) {
  testing::FakeHost host({2024, 3, 20, 12, 0, 0});
  {
    ProgramSettings fresh;  // the test-mode store outlives a run
    fresh.Write(keys::kKoyomiHidden, 0);
    fresh.Write(keys::kKoyomiWidth, 0);
    fresh.Sync();
  }
  {
    auto* form = new KoyomiForm(host);
    form->show();
    Action(*form, QStringLiteral("十二直(&J)"))->trigger();
    Action(*form, QStringLiteral("選日(&S)"))->trigger();
    EXPECT_TRUE(form->Page().cells[14].junichoku.empty());
    EXPECT_TRUE(form->Page().cells[14].marks.empty());
    EXPECT_FALSE(form->Page().cells[14].rokuyou.empty());
    form->resize(820, 700);
    form->close();
  }
  EXPECT_EQ(ProgramSettings().Read(keys::kKoyomiHidden), 2 | 8);
  auto* again = new KoyomiForm(host);
  again->show();
  EXPECT_FALSE(again->Items().junichoku);
  EXPECT_TRUE(again->Items().nijuhasshuku);
  EXPECT_FALSE(Action(*again, QStringLiteral("十二直(&J)"))->isChecked());
  EXPECT_EQ(again->size(), QSize(820, 700));
  again->close();
}

TEST(KoyomiForm, FollowsTheObserversZone) {
  testing::FakeHost host({2019, 1, 10, 12, 0, 0});
  auto* form = new KoyomiForm(host);
  EXPECT_EQ(form->Page().cells[5].season, "小寒");  // 00:37 on the 6th in Japan
  host.calendar.SetTimeZone(8);
  form->FollowHost();
  EXPECT_EQ(form->Page().cells[4].season, "小寒");
  host.calendar.SetTimeZone(9);
  form->close();
}

}  // namespace
}  // namespace quillon
