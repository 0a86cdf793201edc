// Geometry of the simulation views: projections, coordinate systems, eclipse magnitudes against
// published eclipses, shadows and sundial hour lines.
#include "simulation_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace quillon {
namespace {

constexpr double kRad = 3.14159265358979 / 180;

void ExpectPoint(ViewPoint p, double x, double y, double tolerance = 1e-9) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}

bool Inside(const ViewRect& v, ViewPoint p) {
  return p.x >= std::min(v.left, v.right) && p.x <= std::max(v.left, v.right) &&
         p.y >= std::min(v.top, v.bottom) && p.y <= std::max(v.top, v.bottom);
}

// Facing south (skyAzimuth 2) east is the left end of the horizon and west the right end; facing
// north west is on the left; the zenith is at the top of the half-disc whatever the direction. The
// zenith chart has the zenith at the centre, north up and east left.
TEST(SkyProjection, HorizonPointsAndTheZenith) {
  using Case = std::tuple<SkyPosition, int, double, double>;  // body, facing, x, y
  for (const auto& [body, facing, x, y] :
       {Case{{90, 0}, 2, -90, 0}, Case{{270, 0}, 2, 90, 0}, Case{{180, 0}, 2, 0, 0},
        Case{{90, 0}, 1, 0, 0}, Case{{270, 0}, 0, -90, 0}, Case{{180, 45}, 2, 0, 45},
        Case{{123, 90}, 0, 0, 90}, Case{{123, 90}, 3, 0, 90}}) {
    SCOPED_TRACE(::testing::Message() << body.azimuth << " " << body.altitude << " " << facing);
    ExpectPoint(SkyViewPosition(body, facing), x, y, 1e-6);
  }
  ExpectPoint(ZenithChartPosition({77, 90}), 0, 0);
  ExpectPoint(ZenithChartPosition({0, 0}), 0, 90);
  ExpectPoint(ZenithChartPosition({90, 0}), -90, 0);
  ExpectPoint(PanoramaPosition({200, 30}), 200, 30);
}

// A 2:1 sky area shows exactly C ± 90.5° and altitudes 0 … 90.5°; below the horizon is off the
// zenith chart; the diagrams keep their scale along the longer side.
TEST(ViewCoordinates, TheAreaEachViewShows) {
  const ViewRect sky = SimulationViewRect(kSkyView, 720, 360);
  EXPECT_EQ((std::array{sky.left, sky.right, sky.top, sky.bottom}),
            (std::array{-90.5, 90.5, 90.5, 0.0}));
  EXPECT_TRUE(Inside(sky, SkyViewPosition({180 + 89, 0.5}, 2)));
  EXPECT_FALSE(Inside(sky, SkyViewPosition({180 + 91, 0.5}, 2)));
  EXPECT_FALSE(Inside(SimulationViewRect(kZenithChart, 400, 400), ZenithChartPosition({0, -1})));
  const ViewRect tall = SimulationViewRect(kHeliocentric, 400, 800);
  const ViewRect wide = SimulationViewRect(kSundial, 800, 400);
  EXPECT_EQ((std::array{tall.left, tall.top, wide.left, wide.top}),
            (std::array{-100.5, 201.0, -201.0, 100.5}));
}

/// The first filled disc drawn in a colour.
const CircleShape* DiscOf(const Scene& scene, Rgb colour) {
  for (const Shape& shape : scene.shapes) {
    const auto* c = std::get_if<CircleShape>(&shape);
    if (c && c->fill == FillStyle::Solid && c->fillColour == colour) return c;
  }
  return nullptr;
}

class CalendarTest : public almacor::LibrarySettingsTest {
 protected:
  void Observe(double longitude, double latitude, float zone, almacor::Date instant) {
    almacor::LibrarySettings() = almacor::Place(latitude, longitude, zone);
    calendar_.SetDateTime(instant);
  }
  almacor::Calendar calendar_;
};

TEST_F(CalendarTest, DiagramsPlaceBodiesByLongitudeAndLogDistance) {
  Observe(139.7447, 35.6544, 9, almacor::Date::FromCivil(2024, 3, 20, 12, 6, 0));
  SimulationInputs in = ReadSimulationInputs(calendar_, kGeocentric, 2);
  ASSERT_NEAR(std::remainder(in.sunLongitude, 360), 0, 0.05);  // the March equinox
  const Scene helio = BuildSimulationScene(kHeliocentric, in, 400, 400);
  const CircleShape* earth = DiscOf(helio, kBodyColours[0]);
  ASSERT_TRUE(earth);
  EXPECT_NEAR(earth->centre.x, -30, 1e-3);
  EXPECT_NEAR(earth->centre.y, 0, 0.05);

  in.planetDistance[3] = 1;  // Jupiter put 1 au away
  in.planetLongitude[3] = 90;
  in.moonDistanceKm = 356400;
  in.moonLongitude = 180;
  const Scene geo = BuildSimulationScene(kGeocentric, in, 400, 400);
  ExpectPoint(DiscOf(geo, kBodyColours[6])->centre, 0, 50, 1e-9);
  EXPECT_NEAR(DiscOf(geo, kBodyColours[2])->centre.x, -17.71, 0.01);
  EXPECT_NEAR(DiscOf(geo, kBodyColours[1])->centre.x, 50, 1e-3);
}

TEST_F(CalendarTest, TotalSolarEclipseFromDallas) {
  // 2024-04-08: totality at Dallas 13:40:43–13:44:35 CDT; first contact 12:23 CDT.
  Observe(-96.797, 32.7767, -5, almacor::Date::FromCivil(2024, 4, 8, 13, 42, 40));
  float m = -1;
  const SimulationInputs in = ReadSimulationInputs(calendar_, kSolarEclipse, 2);
  BuildSimulationScene(kSolarEclipse, in, 432, 432, &m);
  EXPECT_GT(m, 1.0f);
  EXPECT_LT(m, 1.06f);

  calendar_.SetDateTime(almacor::Date::FromCivil(2024, 4, 8, 12, 23, 0));
  BuildSimulationScene(kSolarEclipse, ReadSimulationInputs(calendar_, kSolarEclipse, 2), 432, 432,
                       &m);
  EXPECT_NEAR(m, 0, 0.05);
}

TEST_F(CalendarTest, UmbraContainsTheMoonAtTotalityFromTokyo) {
  // 2022-11-08: greatest eclipse 19:59 JST, umbral magnitude 1.359.
  Observe(139.7447, 35.6544, 9, almacor::Date::FromCivil(2022, 11, 8, 19, 59, 0));
  const SimulationInputs in = ReadSimulationInputs(calendar_, kLunarEclipse, 2);
  const LunarEclipseGeometry g =
      LunarEclipseOf(in.sunAscension, in.sunDeclination, in.sunDistanceAu, in.moonAscension,
                     in.moonDeclination, in.moonDistanceKm, in.moonRadius);
  EXPECT_LT(g.separation + g.moonRadius, g.umbra);
  EXPECT_NEAR(g.magnitude, 1.359, 0.03);
  EXPECT_NEAR(g.umbra, 0.685, 0.03);  // the Moon near apogee, 390 600 km
  EXPECT_NEAR(g.penumbra, 1.23, 0.03);

  // The drawn Moon lies inside the drawn umbra.
  const Scene scene = BuildSimulationScene(kLunarEclipse, in, 432, 432);
  const CircleShape* moon = DiscOf(scene, kBodyColours[2]);
  const CircleShape* umbra = DiscOf(scene, {153, 31, 0});
  ASSERT_TRUE(moon && umbra);
  EXPECT_LT(std::hypot(moon->centre.x, moon->centre.y) + moon->radius, umbra->radius);
}

TEST_F(CalendarTest, MagnitudesOfConstructedContacts) {
  // Moon centred on the Sun with the same radius: magnitude 1.
  const TopocentricDisc sun{180, 40, 0.26};
  EXPECT_FLOAT_EQ(SolarEclipseOf(sun, sun).magnitude, 1.0f);
  const TopocentricDisc touching{180, 40.52, 0.26};
  EXPECT_NEAR(SolarEclipseOf(sun, touching).magnitude, 0, 1e-5);
  EXPECT_NEAR(SolarEclipseOf(sun, touching).direction, 0, 1e-6);  // towards the zenith

  // The Moon's centre on the umbra's edge: half the Moon inside.
  const LunarEclipseGeometry centred = LunarEclipseOf(10, 4, 1, 190, -4, 384400, 0.26);
  EXPECT_NEAR(centred.separation, 0, 1e-5);
  const LunarEclipseGeometry edge = LunarEclipseOf(10, 4, 1, 190, -4 + centred.umbra, 384400, 0.26);
  EXPECT_NEAR(edge.magnitude, 0.5, 1e-4);
}

TEST(EclipseColours, DarkeningRulesAndCaption) {
  const Rgb day{128, 255, 255};
  for (const auto& [magnitude, sky] :
       {std::pair{0.5f, day}, std::pair{0.7f, day} /* g = 256 counts as 255 */,
        std::pair{0.8f, Rgb{128, 192, 255}}, std::pair{0.9f, Rgb{64, 128, 192}},
        std::pair{1.0f, Rgb{0, 64, 128}}, std::pair{1.02f, Rgb{0, 64, 128}}}) {
    EXPECT_EQ(EclipseSkyColour(day, magnitude), sky) << magnitude;
  }
  EXPECT_EQ(EclipseSkyColour({0, 0, 128}, 1.0f), (Rgb{0, 0, 128})) << "a darker sky stays";
  EXPECT_EQ(MagnitudeCaption(0.5124f), "（食分：0.512）");
  EXPECT_EQ(MagnitudeCaption(1.0f), "（食分：1.000）");
  EXPECT_EQ(MagnitudeCaption(-0.01f), "");
}

// The shadow points away from the Sun (x east, y north), cot(altitude) times the gnomon long.
TEST(Sundial, ShadowsAndHourLines) {
  ExpectPoint(ShadowTip(40, 0, 90, 45), -40, 0);  // Sun in the east: shadow west
  ExpectPoint(ShadowTip(40, 0, 180, 45), 0, 40);  // Sun in the south: shadow north
  ExpectPoint(ShadowTip(40, 0, 315, 60), 40 / std::tan(60 * kRad) * std::sqrt(0.5),
              -40 / std::tan(60 * kRad) * std::sqrt(0.5));
  ExpectPoint(ShadowTip(30, 12, 180, 90), 0, 12);
  ExpectPoint(ShadowTip(30, 0, 180, 0.5), 0, 3000);  // a low Sun throws the shadow off the plan
  // A horizontal dial at 35°: the 3 pm line 29.8° from noon; at the pole the lines are 15° apart,
  // on the equator they all run along noon.
  EXPECT_NEAR(SundialHourLineAngle(45, 35), 90 + 29.8, 0.05);
  EXPECT_NEAR(SundialHourLineAngle(-45, 35), 90 - 29.8, 0.05);
  EXPECT_DOUBLE_EQ(SundialHourLineAngle(90, 35), 180);
  EXPECT_NEAR(SundialHourLineAngle(30, 89.999999), 120, 1e-4);
  EXPECT_NEAR(SundialHourLineAngle(30, 0), 90, 1e-12);
}

}  // namespace
}  // namespace quillon
