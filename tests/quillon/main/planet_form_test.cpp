// The main window's wiring: its controls reach the time entry, the modes, the searches, the columns
// and the copy, the export, the settings and the help (the logic itself is tested without the
// window); refusals beep, each change redraws once.
#include "planet_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QWheelEvent>
#include <memory>

#include "almacor/calendar.h"
#include "access_keys.h"
#include "almacor/dialogs/input.h"
#include "export_dialog.h"
#include "help_window.h"
#include "koyomi_form.h"
#include "main_table_view.h"
#include "simulation_form.h"

namespace {

using almacor::CivilDateTime;
using almacor::Date;
using quillon::PlanetForm;

// 2024-06-21 03:00:00 UTC.
constexpr qint64 kStartMs = qint64{1718938800} * 1000;

class PlanetFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    almacor::dialogs::SetBeepHandler([this] { ++beeps; });
    form = std::make_unique<PlanetForm>([this] { return nowMs; });
    form->show();
    if (form->Mode().RealTime()) Item("mnuSettingRealTime")->trigger();
  }
  void TearDown() override {
    form.reset();
    almacor::dialogs::SetBeepHandler({});
  }

  QAction* Item(const char* name) { return form->MenuItem(QString::fromUtf8(name)); }
  void Show(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    form->SetDisplayedDateTime(Date::FromCivil(y, mo, d, h, mi, s));
  }
  CivilDateTime Shown() const { return form->HostCalendar().DateTime().ToCivil(); }
  CivilDateTime Fields() const {
    const auto f = [this](int i) { return form->Field(i)->text().toInt(); };
    return {f(0), f(1), f(2), f(3), f(4), f(5)};
  }
  void Type(int component, const char* text) {
    QLineEdit* field = form->Field(component);
    field->selectAll();
    QTest::keyClicks(field, QString::fromUtf8(text));
    QTest::keyClick(field, Qt::Key_Return);
  }

  qint64 nowMs = kStartMs;
  int beeps = 0;
  std::unique_ptr<PlanetForm> form;
};

// The arrows and fields reach the time entry (its carries are tested without the window): one
// press, one new instant, shown in every field and the day's range in its tooltip.
TEST_F(PlanetFormTest, SpinArrowsStepTheInstantOnce) {
  Show(2024, 3, 31, 10);
  const int before = form->DisplayCount();
  QTest::mouseClick(form->SpinDown(1), Qt::LeftButton);
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 2, 29, 10, 0, 0}));
  EXPECT_EQ(Fields(), Shown());
  EXPECT_EQ(form->DisplayCount() - before, 1);
  EXPECT_EQ(form->Field(2)->toolTip(), QStringLiteral("1日～29日"));
}

// Typed date fields and the ΔT box: a refused value beeps and the old value stays.
TEST_F(PlanetFormTest, TypedValuesOutsideTheRangeBeepAndRestore) {
  Show(2024, 4, 10);
  Type(2, "31");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(Fields(), (CivilDateTime{2024, 4, 10, 0, 0, 0}));
  QTest::keyClick(form->Field(2), Qt::Key_A);  // letters never get in
  EXPECT_EQ(beeps, 2);
  Type(2, "30");
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 4, 30, 0, 0, 0}));

  QTest::mouseClick(form->DeltaTCaption(), Qt::LeftButton);
  EXPECT_FALSE(form->HostCalendar().DtEstimated());
  QLineEdit* box = form->DeltaTBox();
  for (const auto& [text, accepted] : {std::pair{"259201", false}, std::pair{"-10.5", false},
                                       std::pair{"259200", true}, std::pair{"-10", true}}) {
    const double before = form->HostCalendar().DeltaT();
    const int beepsBefore = beeps;
    box->setText(QString::fromLatin1(text));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(form->HostCalendar().DeltaT(), accepted ? std::stod(text) : before) << text;
    EXPECT_EQ(beeps - beepsBefore, accepted ? 0 : 1) << text;
  }
  QTest::mouseClick(form->DeltaTCaption(), Qt::LeftButton);
  EXPECT_TRUE(form->HostCalendar().DtEstimated());
  EXPECT_TRUE(box->isReadOnly());
}

// Sweep and real time run from the timer and lock what the mode forbids (ModeState) until they
// stop.
TEST_F(PlanetFormTest, SweepStepsOnEachTickAndStopsWithABeepAtTheEnd) {
  Show(9999, 11, 30, 12);
  Item("mnuSettingSweepTime1")->trigger();
  EXPECT_EQ(form->Timer()->interval(), 500);
  EXPECT_TRUE(form->Timer()->isActive());
  EXPECT_TRUE(form->UnitLabel(1)->Sunk());
  EXPECT_TRUE(Item("mnuSettingSweepTime7")->isVisible());
  EXPECT_FALSE(Item("mnuSettingRealTime")->isEnabled() || Item("mnuViewSyzygy")->isEnabled() ||
               form->SpinUp(0)->isEnabled());
  form->OnTimer();
  EXPECT_EQ(Shown(), (CivilDateTime{9999, 12, 30, 12, 0, 0}));
  form->OnTimer();
  EXPECT_EQ(beeps, 1);
  EXPECT_TRUE(form->Mode().Manual());
  EXPECT_FALSE(form->Timer()->isActive());
  EXPECT_EQ(Shown(), (CivilDateTime{9999, 12, 30, 12, 0, 0}));
  EXPECT_TRUE(Item("mnuSettingRealTime")->isEnabled() && Item("mnuViewSyzygy")->isEnabled());
  EXPECT_FALSE(Item("mnuSettingSweepTime7")->isVisible() || form->Field(0)->isReadOnly());
}

TEST_F(PlanetFormTest, RealTimeRedisplaysOnceASecond) {
  Item("mnuSettingRealTime")->trigger();
  EXPECT_EQ(form->Timer()->interval(), 100);
  EXPECT_TRUE(form->UnitLabel(6)->Sunk());
  EXPECT_TRUE(form->Field(0)->isReadOnly());
  EXPECT_FALSE(Item("mnuSettingSweep")->isEnabled() || Item("mnuSettingTime0")->isEnabled());
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 12, 0, 0}));
  const int before = form->DisplayCount();
  for (int tick = 1; tick <= 20; ++tick) {
    nowMs = kStartMs + tick * 100;
    form->OnTimer();
  }
  EXPECT_EQ(form->DisplayCount() - before, 2);
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 12, 0, 2}));
}

TEST_F(PlanetFormTest, SearchMenusFollowTheRangeAndMoveToTheEvent) {
  Show(100, 1, 20);
  form->findChild<QMenu*>(QStringLiteral("mnuViewSyzygy"))->aboutToShow();
  EXPECT_FALSE(Item("mnuViewSyzygyDay0")->isEnabled());
  EXPECT_TRUE(Item("mnuViewSyzygyDay1")->isEnabled());
  Show(2024, 1, 1);
  Item("mnuViewEclipseTime1")->trigger();
  EXPECT_EQ(Shown().month, 4);
  EXPECT_EQ(Shown().day, 9);  // the new moon of 2024-04-08/09 in Tokyo time
}

// Hidden columns keep their cells and width; the copy holds the shown columns only.
TEST_F(PlanetFormTest, ColumnsHideAndTheCopyFollows) {
  Show(2024, 6, 21, 12, 0, 5);
  QTableView* grid = form->Table();
  EXPECT_TRUE(grid->isColumnHidden(2));  // 黄経 hidden by default
  Item("mnuViewColumn6")->trigger();
  EXPECT_TRUE(grid->isColumnHidden(5));
  EXPECT_FALSE(grid->model()->index(1, 5).data().toString().isEmpty());
  EXPECT_EQ(form->ColumnMask(), 483 & ~(1 << 5));
  Item("mnuEditCopy")->trigger();
  const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 21);  // 9 lines, 11 table lines and the empty end
  EXPECT_EQ(lines[0], QStringLiteral("2024年6月21日12時0分5秒"));
  EXPECT_EQ(lines[10].split('\t').size(), 9);
  Item("mnuViewColumn6")->trigger();
  EXPECT_EQ(grid->columnWidth(5), 80);
}

// The corner of the Moon picture is the sky (by the Sun's altitude), its centre the Moon's face.
TEST_F(PlanetFormTest, SkyColourAndMoonPictureFollowTheSun) {
  Show(2024, 6, 22, 10);  // full moon
  EXPECT_EQ(form->SkyColor(), QColor(128, 255, 255));
  QImage picture = form->MoonPictureLabel()->pixmap().toImage();
  EXPECT_EQ(QColor(picture.pixel(1, 1)), form->SkyColor());
  EXPECT_NE(QColor(picture.pixel(50, 50)), form->SkyColor());
  Show(2024, 6, 21, 23, 30);
  EXPECT_EQ(form->SkyColor(), QColor(0, 0, 128));
  picture = form->MoonPictureLabel()->pixmap().toImage();
  EXPECT_EQ(QColor(picture.pixel(1, 1)), form->SkyColor());
}

TEST_F(PlanetFormTest, TheMonthCalendarMovesWithTheMainWindowAndSetsItsDate) {
  Show(2024, 3, 20, 18, 45, 10);
  Item("mnuViewKoyomi")->trigger();
  QPointer<quillon::KoyomiForm> koyomi;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* k = qobject_cast<quillon::KoyomiForm*>(w)) koyomi = k;
  }
  ASSERT_TRUE(koyomi);
  EXPECT_EQ(koyomi->Page().title, "2024年3月");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(koyomi));
  const quillon::MonthView& view = koyomi->View();
  const quillon::Box last =
      quillon::LayoutMonthPage(view.width(), view.height(), koyomi->Page().Weeks()).cells[35];
  QTest::mouseClick(&koyomi->View(), Qt::LeftButton, {},
                    QPoint(static_cast<int>(last.x + 10), static_cast<int>(last.y + 10)));
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 3, 31, 18, 45, 10}));  // the last row's Sunday
  EXPECT_EQ(Fields(), Shown());
  form->SpinUp(1)->click();  // a month on in the main window
  EXPECT_EQ(koyomi->Page().title, "2024年4月");
  form->close();  // closes the calendar with it
  EXPECT_TRUE(!koyomi || !koyomi->isVisible());
}

void Wheel(QWidget* widget, int delta) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

// In each field Up, Down and the wheel act as its arrows, PageUp and PageDown as the next larger
// unit's (with their carries); none of them does anything while the arrows are disabled.
TEST_F(PlanetFormTest, KeysAndWheelStepTheFieldsAsTheirArrows) {
  Show(2024, 1, 31, 23, 59, 30);
  QTest::keyClick(form->Field(1), Qt::Key_Up);  // February clamps the day
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 2, 29, 23, 59, 30}));
  QTest::keyClick(form->Field(5), Qt::Key_PageUp);  // a minute on, carried into March
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 3, 1, 0, 0, 30}));
  QTest::keyClick(form->Field(3), Qt::Key_Down);
  QTest::keyClick(form->Field(0), Qt::Key_PageUp);  // no unit above the year
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 2, 29, 23, 0, 30}));
  QTest::keyClick(form->Field(2), Qt::Key_PageDown);
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 1, 29, 23, 0, 30}));
  Wheel(form->Field(4), 240);
  Wheel(form->SpinDown(4), -120);  // over the arrows as well
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 1, 29, 23, 1, 30}));

  Item("mnuSettingRealTime")->trigger();
  const CivilDateTime now = Shown();
  QTest::keyClick(form->Field(3), Qt::Key_Up);
  Wheel(form->Field(3), 120);
  EXPECT_EQ(Shown(), now);
}

// The simulation window opens wholly on the main window's screen, beside the main window when
// there is room; Left, Right and the wheel step the instant by the sweep unit chosen last.
TEST_F(PlanetFormTest, SimulationWindowOpensOnScreenAndStepsTheInstant) {
  QSettings("Ferrant Laboratory", "Quillon").remove("SimulationLeft");
  QSettings("Ferrant Laboratory", "Quillon").remove("SimulationTop");
  const QRect area = form->screen()->availableGeometry();
  form->move(area.topLeft());
  Show(2024, 6, 21, 12);
  Item("mnuViewSimulation0")->trigger();
  auto* simulation = form->Simulation();
  ASSERT_NE(simulation, nullptr);
  EXPECT_TRUE(area.contains(simulation->frameGeometry())) << simulation->x() << "," << simulation->y();
  EXPECT_NE(simulation->frameGeometry().topLeft(), area.topLeft());
  if (area.width() >= form->frameGeometry().width() + simulation->frameGeometry().width() + 8) {
    EXPECT_GE(simulation->frameGeometry().left(), form->frameGeometry().right());
  }

  QTest::keyClick(simulation, Qt::Key_Right);  // a minute before any unit is chosen
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 12, 1, 0}));
  Item("mnuSettingSweepTime3")->trigger();  // hours, then stopped again
  Item("mnuSettingSweepTime3")->trigger();
  QTest::keyClick(simulation, Qt::Key_Left);
  QTest::keyClick(simulation, Qt::Key_Left);
  Wheel(simulation, 120);
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 11, 1, 0}));
  Item("mnuSettingRealTime")->trigger();  // the arrows are disabled: nothing moves
  const CivilDateTime now = Shown();
  QTest::keyClick(simulation, Qt::Key_Right);
  EXPECT_EQ(Shown(), now);
  simulation->close();
  QApplication::processEvents();

  // A place saved with a monitor that is gone comes back onto the screen.
  QSettings("Ferrant Laboratory", "Quillon").setValue("SimulationLeft", 15 * 100000);
  Item("mnuViewSimulation1")->trigger();
  ASSERT_NE(form->Simulation(), nullptr);
  EXPECT_TRUE(area.contains(form->Simulation()->frameGeometry()));
  form->Simulation()->close();
  QApplication::processEvents();
  QSettings("Ferrant Laboratory", "Quillon").remove("SimulationLeft");
}

// Every access key a menu shows, marked with "&" or only in parentheses, chooses its own item and
// no other item of the same menu; pressing the unmarked ones does what the item does.
TEST_F(PlanetFormTest, EveryShownAccessKeyChoosesItsItem) {
  std::vector<QMenu*> menus;
  for (QAction* top : form->menuBar()->actions()) menus.push_back(top->menu());
  for (std::size_t k = 0; k < menus.size(); ++k) {
    for (QAction* item : menus[k]->actions()) {
      if (item->menu()) menus.push_back(item->menu());
      const QChar key = quillon::ShownAccessKey(item->text());
      if (key.isNull() || !item->isVisible() || !item->isEnabled()) continue;
      EXPECT_EQ(quillon::ItemForAccessKey(*menus[k], key), item) << item->text().toStdString();
    }
  }

  const auto press = [this](const char* title, Qt::Key key) {
    QMenu* items = nullptr;
    for (QAction* top : form->menuBar()->actions()) {
      if (top->text() == QString::fromUtf8(title)) items = top->menu();
    }
    ASSERT_NE(items, nullptr) << title;
    items->popup(form->mapToGlobal(QPoint(0, 0)));
    QTest::keyClick(items, key);
    EXPECT_FALSE(items->isVisible());
  };
  Show(2024, 6, 21, 10, 25, 40);
  press("設定(&S)", Qt::Key_Z);  // 0秒(Z)
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 10, 25, 0}));
  press("設定(&S)", Qt::Key_J);  // UTC12:00(J) at UT+9
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 21, 0, 0}));
  press("設定(&S)", Qt::Key_U);  // UTC00:00(U)
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 9, 0, 0}));
  form->HostCalendar().SetTimeZone(-10);  // UTC noon follows the zone
  press("設定(&S)", Qt::Key_J);
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 2, 0, 0}));
  form->HostCalendar().SetTimeZone(9);
  Show(2024, 6, 21, 10, 25, 40);
  Item("mnuSettingZero0")->trigger();  // 正時
  EXPECT_EQ(Shown(), (CivilDateTime{2024, 6, 21, 10, 0, 0}));
  press("編集(&E)", Qt::Key_A);  // 角度換算(A)
  EXPECT_TRUE(form->ConvertFlag());
}

// The typed name's suffix chooses the format when it names one; the filter otherwise.
TEST(ExportDialog, TheTypedSuffixWinsOverTheFilter) {
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year.ics"), 0), 2);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year.ICS"), 1), 2);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year.json"), 2), 1);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year.jsonl"), 0), 1);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year.csv"), 2), 0);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year.txt"), 2), 2);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/year"), 1), 1);
  EXPECT_EQ(quillon::ExportFormatFor(QStringLiteral("/tmp/ics"), 0), 0);
}

TEST_F(PlanetFormTest, ExportsTheDisplayedYearAndReportsAnUnwritablePath) {
  Show(2024, 6, 21, 12);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("koyomi.csv"));
  EXPECT_TRUE(form->ExportYearTo(path, 0).isEmpty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().count("\r\n"), 367);  // the header and 366 days
  EXPECT_FALSE(form->ExportYearTo(dir.filePath(QStringLiteral("none/koyomi.csv")), 0).isEmpty());
}

TEST(PlanetFormSettings, FirstRunDefaultsAndWhatTheNextRunReadsBack) {
  QSettings("Ferrant Laboratory", "Quillon").clear();
  {
    PlanetForm first([] { return kStartMs; });
    EXPECT_TRUE(first.Mode().RealTime());
    EXPECT_EQ(first.ColumnMask(), 483);
    EXPECT_EQ(first.HostCalendar().ObsLongitude(), 139.7447);
    EXPECT_EQ(first.HostCalendar().TimeZone(), 9.0f);
    EXPECT_EQ(first.Box(2)->toolTip(), QStringLiteral("地方視恒星時"));
    first.show();
    first.MenuItem(QStringLiteral("mnuSettingRealTime"))->trigger();
    first.MenuItem(QStringLiteral("mnuViewSiderealTime0"))->trigger();
    first.MenuItem(QStringLiteral("mnuViewColumn3"))->trigger();
    first.HostCalendar().SetObsLatitude(-33.5);
    first.close();
  }
  PlanetForm second([] { return kStartMs; });
  EXPECT_FALSE(second.Mode().RealTime());
  EXPECT_EQ(second.ColumnMask(), 483 | 4);
  EXPECT_EQ(second.HostCalendar().ObsLatitude(), -33.5);
  EXPECT_EQ(second.Box(2)->toolTip(), QStringLiteral("グリニッジ平均恒星時"));
  QSettings("Ferrant Laboratory", "Quillon").clear();
  second.HostCalendar().SetObsLatitude(35.6544);
}

TEST_F(PlanetFormTest, HelpHasAPagePerContextAndClosesWithTheWindow) {
  Item("mnuHelpHelp")->trigger();
  ASSERT_NE(quillon::HelpWindow(), nullptr);
  EXPECT_TRUE(quillon::HelpWindow()->windowTitle().endsWith(QStringLiteral("Quillonヘルプ")));
  quillon::ShowHelp(17);
  EXPECT_TRUE(quillon::HelpWindow()->windowTitle().endsWith(QStringLiteral("日食")));
  form->close();
  QApplication::processEvents();
  EXPECT_EQ(quillon::HelpWindow(), nullptr);
}

TEST(PlanetFormSettings, ADamagedFileFallsBackValueByValue) {
  {
    QSettings store("Ferrant Laboratory", "Quillon");
    store.clear();
    store.setValue("ObsLatitude", 95);
    store.setValue("TimeZone", "abc");
    store.setValue("ObsHeight", -3);
    store.setValue("ObsLongitude", -120.5);  // a good value among the bad ones stays
    store.setValue("ViewColumn", -1);
    store.setValue("Left", 15 * 100000);
    store.setValue("Top", -15 * 100000);
  }
  PlanetForm form([] { return kStartMs; });
  EXPECT_EQ(form.HostCalendar().ObsLatitude(), 35.6544);
  EXPECT_EQ(form.HostCalendar().TimeZone(), 9.0f);
  EXPECT_EQ(form.HostCalendar().ObsHeight(), 0);
  EXPECT_EQ(form.HostCalendar().ObsLongitude(), -120.5);
  EXPECT_EQ(form.ColumnMask(), 511);
  EXPECT_LT(form.x(), 5000);
  EXPECT_GT(form.y(), -5000);
  QSettings("Ferrant Laboratory", "Quillon").clear();
  form.HostCalendar().SetObsLongitude(139.7447);
}

}  // namespace
