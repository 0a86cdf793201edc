// The simulation window opened from the main window: every view draws, the caption follows the
// view and the instant, the main window's menu items come and go, closing stores the settings.
#include "simulation_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <set>

#include "almacor/calendar.h"
#include "planet_form.h"
#include "program_settings.h"
#include "shapes.h"
#include "simulation_geometry.h"

namespace quillon {
namespace {

// 2024-06-21 03:00:00 UTC.
constexpr qint64 kStartMs = qint64{1718938800} * 1000;

int DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(ScenePainter, MapsViewCoordinatesAtAnyPixelRatio) {
  Scene scene;
  scene.view = {-100, 100, 100, -100};
  scene.shapes.push_back(
      CircleShape{{50, 50}, 10, Stroke{{255, 255, 255}}, FillStyle::Solid, {255, 255, 255}});
  scene.shapes.push_back(TextShape{"N", {-90, 90}, {255, 0, 0}, false, false});
  for (double ratio : {1.0, 2.0}) {
    QImage image(int(200 * ratio), int(200 * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    PaintScene(scene, image);
    EXPECT_EQ(image.pixel(int(150 * ratio), int(50 * ratio)), qRgb(255, 255, 255));  // (50, 50)
    EXPECT_EQ(image.pixel(int(50 * ratio), int(150 * ratio)), qRgb(0, 0, 0));
    bool red = false;
    for (int y = int(10 * ratio); y < int(30 * ratio) && !red; ++y) {
      for (int x = int(10 * ratio); x < int(25 * ratio); ++x) red |= qRed(image.pixel(x, y)) > 128;
    }
    EXPECT_TRUE(red) << "the label is drawn below and right of its anchor";
  }
}

// The main window, out of real time, showing `instant` in Tokyo.
class SimulationFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = std::make_unique<PlanetForm>([] { return kStartMs; });
    if (main->Mode().RealTime()) Item("mnuSettingRealTime")->trigger();
  }
  QAction* Item(const char* name) { return main->MenuItem(QString::fromLatin1(name)); }
  SimulationForm* Open(int view, almacor::CivilDateTime instant) {
    main->SetDisplayedDateTime(almacor::Date::FromCivil(instant));
    Item(QStringLiteral("mnuViewSimulation%1").arg(view).toLatin1())->trigger();
    return main->Simulation();
  }
  std::unique_ptr<PlanetForm> main;
};

TEST_F(SimulationFormTest, DrawsEveryViewAndTracksTheMainWindowsMenu) {
  {
    ProgramSettings start;  // what an earlier run may have left
    start.Write(keys::kSimulationWindowState, 0);
    start.Write(keys::kSkyViewAzimuth, 2);
  }
  SimulationForm* form = Open(12, {2024, 4, 8, 13, 42, 0});
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Item("mnuSimEnd")->isVisible());
  form->ResetSize();
  QApplication::processEvents();
  EXPECT_EQ(form->Picture().size(), QSize(432, 432) * form->devicePixelRatioF());

  for (int k = 0; k <= 12; ++k) {
    if (!IsSimulationView(k)) continue;
    form->SetDrawIndex(k);
    EXPECT_GT(DistinctColours(form->Picture()), 2) << "view " << k;
  }
  form->SetDrawIndex(7);  // a separator: no change
  EXPECT_EQ(form->DrawIndex(), 12);
  EXPECT_EQ(form->HelpContext(), 20);
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("日時計 - 2024/4/8 13:42:00"));

  form->SetDrawIndex(kSolarEclipse);
  EXPECT_EQ(form->HelpContext(), 17);
  EXPECT_TRUE(form->windowTitle().startsWith(QString::fromUtf8("日食 - 2024/4/8 13:42:00")));
  form->ShowContextItems(true);
  EXPECT_TRUE(Item("mnuSimPrevEclipse")->isVisible());
  EXPECT_TRUE(Item("mnuSimPrevEclipse")->isEnabled());
  EXPECT_FALSE(Item("mnuSimAzimuth")->isVisible());
  form->ShowContextItems(false);
  EXPECT_FALSE(Item("mnuSimCopy")->isVisible());
  form->ShowContextItems(true);
  Item("mnuSimNextEclipse")->trigger();  // the solar view searches solar eclipses
  EXPECT_EQ(main->HostCalendar().DateTime().ToCivil().day, 9);  // 03:21 JST the next day
  form->ShowContextItems(false);

  // The square views keep 360 pixels; the sky view may be 180 high.
  form->resize(200, 100);
  EXPECT_GE(form->height(), 360);
  form->SetDrawIndex(kSkyView);
  form->SetSkyAzimuth(1);
  form->resize(400, 100);
  EXPECT_EQ(form->height(), 180);
  form->ShowContextItems(true);
  EXPECT_TRUE(Item("mnuSimAzimuth")->isVisible());
  EXPECT_FALSE(Item("mnuSimNextEclipse")->isVisible());
  form->ShowContextItems(false);

  Item("mnuSimEnd")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(main->SimulationFlag());
  EXPECT_FALSE(Item("mnuSimEnd")->isVisible());
  const ProgramSettings settings;
  EXPECT_EQ(settings.Read(keys::kSkyViewAzimuth), 1);
  EXPECT_EQ(settings.Read(keys::kSimulationHeight), 180 * 15);

  // A new window opens with what was stored.
  SimulationForm* again = Open(kSkyView, {2024, 4, 8, 13, 42, 0});
  EXPECT_EQ(again->SkyAzimuth(), 1);
  EXPECT_EQ(again->height(), 180);
}

TEST_F(SimulationFormTest, EclipseCommandsEndAtTheSupportedSpan) {
  SimulationForm* form = Open(kSolarEclipse, {9999, 10, 3, 10, 56, 15});
  form->ShowContextItems(true);
  EXPECT_FALSE(Item("mnuSimNextEclipse")->isEnabled());
  EXPECT_TRUE(Item("mnuSimPrevEclipse")->isEnabled());
  form->SetDrawIndex(kLunarEclipse);
  form->ShowContextItems(true);
  EXPECT_TRUE(Item("mnuSimNextEclipse")->isEnabled());
}

TEST_F(SimulationFormTest, MinimisedWhenClosedStoresTheNormalState) {
  SimulationForm* form = Open(kSkyView, {2024, 1, 1, 12, 0, 0});
  form->setWindowState(Qt::WindowMinimized);
  form->close();
  EXPECT_EQ(ProgramSettings().Read(keys::kSimulationWindowState), 0);
}

// Away from an eclipse the eclipse views may show only their background.
TEST_F(SimulationFormTest, PolarAndEquatorialObserversDrawEveryView) {
  for (double latitude : {89.9, 0.0}) {
    main->HostCalendar().SetObsLatitude(latitude);
    SimulationForm* form = Open(kSkyView, {2024, 6, 21, 12, 0, 0});
    for (int k : {0, 1, 2, 4, 5, 6, 11, 12}) {
      form->SetDrawIndex(k);
      EXPECT_GT(DistinctColours(form->Picture()), 1) << "latitude " << latitude << " view " << k;
    }
    form->close();
  }
  main->HostCalendar().SetObsLatitude(35.6544);
}

}  // namespace
}  // namespace quillon
