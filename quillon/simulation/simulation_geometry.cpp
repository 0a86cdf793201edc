#include "simulation_geometry.h"

#include <cmath>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/eclipses.h"
#include "almacor/format.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "program_strings.h"

namespace quillon {

using almacor::DegAcos;
using almacor::DegAsin;
using almacor::DegAtan2;
using almacor::kRad;

const std::array<Rgb, 11> kBodyColours = {{
    {0, 255, 255},    // Earth
    {255, 255, 255},  // Sun
    {255, 255, 0},    // Moon
    {192, 192, 0},    // Mercury
    {255, 255, 128},  // Venus
    {255, 0, 0},      // Mars
    {255, 192, 128},  // Jupiter
    {255, 128, 0},    // Saturn
    {0, 192, 128},    // Uranus
    {0, 192, 255},    // Neptune
    {128, 128, 128},  // Pluto
}};

namespace {

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kFrameBackground{102, 102, 102};
constexpr Rgb kDiagramBackground{0, 0, 128};
constexpr Rgb kDaytimeSky{128, 255, 255};
constexpr Rgb kShadowColour{153, 31, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr int kEarthId = 1100;
constexpr int kFirstCompassId = 1070;
constexpr int kVernalEquinoxId = 1074;

constexpr Stroke kDotted{kGrey, LineStyle::Dotted, 1};
constexpr Stroke kSolidGrey{kGrey, LineStyle::Solid, 1};

std::string Compass(int direction) {
  return std::string(ProgramString(kFirstCompassId + ((direction % 4) + 4) % 4));
}

ViewPoint Polar(double radius, double degrees) {
  return {radius * std::cos(degrees * kRad), radius * std::sin(degrees * kRad)};
}

class SceneBuilder {
 public:
  explicit SceneBuilder(Scene& scene) : scene_(scene) {}

  void Line(ViewPoint a, ViewPoint b, Stroke s = kDotted) {
    scene_.shapes.push_back(LineShape{a, b, s});
  }
  void Circle(ViewPoint c, double r, Stroke s = kDotted) {
    scene_.shapes.push_back(CircleShape{c, r, s, FillStyle::None, {}});
  }
  void Disc(ViewPoint c, double r, Rgb fill, Stroke s) {
    scene_.shapes.push_back(CircleShape{c, r, s, FillStyle::Solid, fill});
  }
  void Text(std::string text, ViewPoint at, bool right = false, bool bottom = false,
            Rgb colour = kGrey) {
    scene_.shapes.push_back(TextShape{std::move(text), at, colour, right, bottom});
  }
  /// A body symbol: a filled circle in the body's colour, with its name right of it when asked.
  void BodyMark(ViewPoint at, double radius, int colourIndex, bool label) {
    const Rgb colour = kBodyColours[colourIndex];
    Disc(at, radius, colour, Stroke{colour, LineStyle::Solid, 1});
    if (label) {
      Text(std::string(ProgramString(kEarthId + colourIndex)), {at.x + radius + 2, at.y}, false,
           false, colour);
    }
  }
  /// Horizontal and vertical lines through the centre across the whole area, and "γ" right-aligned
  /// at x = `gammaRight` with its top on the horizontal line.
  void Axes(double gammaRight) {
    const ViewRect& v = scene_.view;
    Line({v.left, 0}, {v.right, 0});
    Line({0, v.top}, {0, v.bottom});
    Text(std::string(ProgramString(kVernalEquinoxId)), {gammaRight, 0}, true);
  }

 private:
  Scene& scene_;
};

/// Scene with the view's coordinate system and background.
Scene StartScene(int drawIndex, double width, double height, Rgb background) {
  Scene scene;
  scene.view = SimulationViewRect(drawIndex, width, height);
  scene.background = background;
  return scene;
}

void AddSkyBodies(SceneBuilder& b, int drawIndex, const SimulationInputs& in) {
  const bool panorama = drawIndex == kPanorama;
  for (int body = 0; body < 10; ++body) {
    const SkyPosition& pos = in.skyPositions[body];
    ViewPoint at;
    switch (drawIndex) {
      case kSkyView:
        at = SkyViewPosition(pos, in.skyAzimuth);
        break;
      case kZenithChart:
        at = ZenithChartPosition(pos);
        break;
      default:
        at = PanoramaPosition(pos);
    }
    const double radius = body < 2 ? (panorama ? 4 : 2) : (panorama ? 2.5 : 1.25);
    b.BodyMark(at, radius, body + 1, true);
  }
}

Scene SkyViewScene(const SimulationInputs& in, double width, double height) {
  Scene scene = StartScene(kSkyView, width, height, kFrameBackground);
  SceneBuilder b(scene);
  scene.shapes.push_back(PieShape{{0, 0}, 90, 0, 180, kSolidGrey, in.sky});
  b.Line({0, 0}, {0, 90});
  for (auto& line : CoordinateSkyView(InitSkyView())) {
    PolylineShape grid;
    grid.points = std::move(line);
    grid.stroke = kDotted;
    scene.shapes.emplace_back(std::move(grid));
  }
  b.Text(Compass(in.skyAzimuth - 1), {-89, 0}, false, true);
  b.Text(Compass(in.skyAzimuth), {1, 0}, false, true);
  b.Text(Compass(in.skyAzimuth + 1), {89, 0}, true, true);
  b.Text(" 30", {0, 29.5});
  b.Text(" 60", {0, 59.5});
  AddSkyBodies(b, kSkyView, in);
  return scene;
}

Scene ZenithChartScene(const SimulationInputs& in, double width, double height) {
  Scene scene = StartScene(kZenithChart, width, height, kFrameBackground);
  SceneBuilder b(scene);
  b.Disc({0, 0}, 90, in.sky, kSolidGrey);
  for (int r = 10; r <= 80; r += 10) b.Circle({0, 0}, r);
  b.Text(" 60", {0, 29});
  b.Text(" 30", {0, 59});
  for (int k = 0; k < 8; ++k) b.Line(Polar(-90, 22.5 * k), Polar(90, 22.5 * k));
  b.Text(Compass(0), {1, 89});
  b.Text(Compass(1), {-89, 0}, false, true);
  b.Text(Compass(2), {-1, -89}, true, true);
  b.Text(Compass(3), {89, -1}, true);
  AddSkyBodies(b, kZenithChart, in);
  return scene;
}

Scene PanoramaScene(const SimulationInputs& in, double width, double height) {
  Scene scene = StartScene(kPanorama, width, height, in.sky);
  SceneBuilder b(scene);
  b.Text(Compass(0), {2, 90});
  for (int a = 45; a <= 315; a += 45) b.Line({double(a), 0}, {double(a), 90});
  for (int k = 1; k <= 3; ++k) b.Text(Compass(k), {2.0 + 90 * k, 90});
  for (int h = 10; h <= 80; h += 10) b.Line({0, double(h)}, {360, double(h)});
  b.Text(" 30", {scene.view.left, 29.5});
  b.Text(" 60", {scene.view.left, 59.5});
  AddSkyBodies(b, kPanorama, in);
  return scene;
}

Scene HeliocentricScene(const SimulationInputs& in, double width, double height) {
  Scene scene = StartScene(kHeliocentric, width, height, kDiagramBackground);
  SceneBuilder b(scene);
  const double scale = SimulationViewScale(kHeliocentric);
  for (int r = 10; r <= 90; r += 10) b.Circle({0, 0}, r);
  b.Axes(scene.view.right);
  b.BodyMark({0, 0}, 4, 1, true);
  b.BodyMark(Polar(3 * scale, in.sunLongitude - 180), 2, 0, true);
  for (int k = 1; k <= 8; ++k) {
    const double ring = scale * (k + (k >= 3 ? 1 : 0));
    b.BodyMark(Polar(ring, in.planetLongitudeS[k - 1]), 2, k + 2, true);
  }
  return scene;
}

Scene GeocentricScene(const SimulationInputs& in, double width, double height) {
  Scene scene = StartScene(kGeocentric, width, height, kDiagramBackground);
  SceneBuilder b(scene);
  const double scale = SimulationViewScale(kGeocentric);
  for (int k = 0; k < 6; ++k) b.Line(Polar(-100, 30 * k), Polar(100, 30 * k));
  for (double r : {25.0, 50.0, 100.0}) b.Circle({0, 0}, r);
  b.Axes(100);
  b.BodyMark(Polar(50, in.sunLongitude), 2, 1, true);
  b.BodyMark({0, 0}, 2, 0, true);
  b.Line({0, 0}, Polar(100, in.localApparentSidereal),
         Stroke{kBodyColours[0], LineStyle::Dotted, 1});
  b.BodyMark(Polar(100 * (in.moonDistanceKm / 384400) - 75, in.moonLongitude), 2, 2, true);
  for (int k = 1; k <= 8; ++k) {
    const double r = 50 + scale * std::log(in.planetDistance[k - 1]);
    b.BodyMark(Polar(r, in.planetLongitude[k - 1]), 2, k + 2, true);
  }
  return scene;
}

Scene EarthMoonScene(const SimulationInputs& in, double width, double height) {
  Scene scene = StartScene(kEarthMoon, width, height, kDiagramBackground);
  SceneBuilder b(scene);
  const double scale = SimulationViewScale(kEarthMoon);
  b.Circle({0, 0}, 60);
  b.Axes(scene.view.right);
  b.BodyMark({0, 0}, 5, 1, false);
  const ViewPoint earth = Polar(3 * scale, in.sunLongitude - 180);
  b.BodyMark(earth, 5, 0, false);
  const ViewPoint place = Polar(4, in.localApparentSidereal);
  b.Disc({earth.x + place.x, earth.y + place.y}, 1, {255, 0, 0}, Stroke{{255, 0, 0}});
  const double orbit = 1.2 * scale;
  b.Circle(earth, orbit);
  const ViewPoint moon = Polar(orbit, in.moonLongitude);
  b.BodyMark({earth.x + moon.x, earth.y + moon.y}, 5, 2, false);
  return scene;
}

Scene SolarEclipseScene(const SimulationInputs& in, double width, double height, float* magnitude) {
  const SolarEclipseGeometry g = SolarEclipseOf(
      almacor::SunDiscOf(in.skyPositions[0].azimuth, in.sunAltitudeG, in.sunDistanceAu),
      almacor::MoonDiscOf(in.skyPositions[1].azimuth, in.moonAltitudeG, in.moonDistanceKm));
  if (magnitude) *magnitude = g.magnitude;
  Scene scene = StartScene(kSolarEclipse, width, height, EclipseSkyColour(in.sky, g.magnitude));
  SceneBuilder b(scene);
  const double k = SimulationViewScale(kSolarEclipse);
  b.Disc({0, 0}, g.sun.radius * k, kBodyColours[1], Stroke{kBodyColours[1]});
  const ViewPoint moon{g.separation * k * std::sin(g.direction * kRad),
                       -g.separation * k * std::cos(g.direction * kRad)};
  b.Disc(moon, g.moon.radius * k, kBlack, Stroke{kBlack});
  return scene;
}

Scene LunarEclipseScene(const SimulationInputs& in, double width, double height, float* magnitude) {
  const LunarEclipseGeometry g =
      LunarEclipseOf(in.sunAscension, in.sunDeclination, in.sunDistanceAu, in.moonAscension,
                     in.moonDeclination, in.moonDistanceKm, in.moonRadius);
  if (magnitude) *magnitude = g.magnitude;
  Scene scene = StartScene(kLunarEclipse, width, height, in.sky);
  SceneBuilder b(scene);
  const double k = SimulationViewScale(kLunarEclipse);
  const ViewPoint moon{-g.separation * k * std::sin(g.direction * kRad),
                       -g.separation * k * std::cos(g.direction * kRad)};
  const Rgb yellow = kBodyColours[2];
  b.Disc(moon, g.moonRadius * k, yellow, Stroke{yellow});
  scene.shapes.push_back(CircleShape{
      {0, 0}, g.penumbra * k, Stroke{kShadowColour}, FillStyle::CrossHatch, kShadowColour});
  b.Disc({0, 0}, g.umbra * k, kShadowColour, Stroke{kShadowColour});
  b.Circle(moon, g.moonRadius * k, Stroke{yellow});
  return scene;
}

Scene SundialScene(int drawIndex, const SimulationInputs& in, double width, double height) {
  const bool sundial = drawIndex == kSundial;
  Scene scene = StartScene(drawIndex, width, height, in.sky);
  SceneBuilder b(scene);
  for (int e = 15; e <= 165; e += 15) {
    const double theta = sundial ? SundialHourLineAngle(e, in.latitude) : e;
    b.Line(Polar(-80, theta), Polar(80, theta));
  }
  for (double r : {40.0, 80.0, 120.0}) b.Circle({0, 0}, r);
  const ViewRect& v = scene.view;
  b.Line({v.left, 0}, {v.right, 0});
  b.Line({0, v.top}, {0, v.bottom});
  b.Text(Compass(0), {2, v.top - 1});
  if (!(in.sky == kDaytimeSky)) return scene;

  const double phi = in.latitude;
  const double s = sundial ? 40 * std::sin(std::abs(phi) * kRad) : 40;
  const double c = sundial ? 40 * std::cos(phi * kRad) * (phi > 0 ? 1 : phi < 0 ? -1 : 0) : 0;
  const ViewPoint tip = ShadowTip(s, c, in.skyPositions[0].azimuth, in.skyPositions[0].altitude);
  if (sundial) {
    PolygonShape shadow;
    shadow.points = {{0, 0}, {0, c}, tip};
    shadow.stroke = Stroke{kBlack};
    shadow.fillColour = kBlack;
    scene.shapes.emplace_back(std::move(shadow));
  } else {
    b.Line({0, 0}, tip, Stroke{kBlack, LineStyle::Solid, 6});
  }
  return scene;
}

}  // namespace

bool IsSimulationView(int drawIndex) {
  return drawIndex >= 0 && drawIndex <= 12 && drawIndex != 3 && drawIndex != 7 && drawIndex != 10;
}

ViewRect SimulationViewRect(int drawIndex, double width, double height) {
  switch (drawIndex) {
    case kSkyView: {
      const double r = 2 * height / width;
      if (r >= 1) return {-90.5, 90.5 * r, 90.5, 0};
      return {-90.5 / r, 90.5, 90.5 / r, 0};
    }
    case kPanorama:
      return {0, 90, 360, 0};
    case kSolarEclipse:
    case kLunarEclipse: {
      const double w = width * 15 / 2;
      const double h = height * 15 / 2;
      return {-w, -h, w, h};
    }
    default: {
      const double f = drawIndex == kZenithChart ? 90.5 : 100.5;
      const double r = height / width;
      if (r >= 1) return {-f, f * r, f, -f * r};
      return {-f / r, f, f / r, -f};
    }
  }
}

double SimulationViewScale(int drawIndex) {
  switch (drawIndex) {
    case kHeliocentric:
    case kGeocentric:
      return 10;
    case kEarthMoon:
      return 20;
    case kSolarEclipse:
      return 1000 / 0.25905;
    case kLunarEclipse:
      return 500 / 0.25905;
    default:
      return 0;
  }
}

SkyGridPoints InitSkyView() {
  SkyGridPoints grid{};
  for (int i = 0; i <= 8; ++i) {
    for (int j = 0; j <= 8; ++j) {
      const double a = 11.25 * i;
      const double h = 10.0 * j;
      if (i == 0 || j == 0) {
        grid[i][j] = {a, h};
        continue;
      }
      const double theta = DegAtan2(std::sin(h * kRad), std::sin(a * kRad) * std::cos(h * kRad));
      const double rho = DegAcos(std::cos(a * kRad) * std::cos(h * kRad));
      grid[i][j] = Polar(rho, theta);
    }
  }
  return grid;
}

std::array<std::vector<ViewPoint>, 14> CoordinateSkyView(const SkyGridPoints& grid) {
  std::array<std::vector<ViewPoint>, 14> lines;
  for (int j = 1; j <= 8; ++j) {
    std::vector<ViewPoint>& ring = lines[j - 1];
    for (int i = 8; i >= 1; --i) ring.push_back({-grid[i][j].x, grid[i][j].y});
    for (int i = 0; i <= 8; ++i) ring.push_back(grid[i][j]);
  }
  int next = 8;
  for (int i = 2; i <= 6; i += 2) {
    std::vector<ViewPoint>& right = lines[next++];
    std::vector<ViewPoint>& mirror = lines[next++];
    for (int j = 0; j <= 8; ++j) {
      right.push_back(grid[i][j]);
      mirror.push_back({-grid[i][j].x, grid[i][j].y});
    }
  }
  return lines;
}

ViewPoint SkyViewPosition(SkyPosition body, int skyAzimuth) {
  const double a = (body.azimuth - 90.0 * skyAzimuth) * kRad;
  const double h = body.altitude * kRad;
  const double theta = DegAtan2(std::sin(h), std::sin(a) * std::cos(h));
  double rho = DegAcos(std::cos(a) * std::cos(h));
  if (rho > 90 + 1e-9) rho *= 100;  // not for the rounding of a body on the 90° circle
  return Polar(rho, theta);
}

ViewPoint ZenithChartPosition(SkyPosition body) {
  double r = 90 - body.altitude;
  if (r > 90) r *= 100;
  return {-r * std::sin(body.azimuth * kRad), r * std::cos(body.azimuth * kRad)};
}

ViewPoint PanoramaPosition(SkyPosition body) { return {body.azimuth, body.altitude}; }

SolarEclipseGeometry SolarEclipseOf(const TopocentricDisc& sun, const TopocentricDisc& moon) {
  const almacor::Separation s = almacor::DiscSeparation(sun, moon);
  return {sun, moon, s.distance, s.direction,
          static_cast<float>(almacor::SolarEclipseMagnitude(sun.radius, moon.radius, s.distance))};
}

Rgb EclipseSkyColour(Rgb sky, float magnitude) {
  const double m = magnitude;
  const auto packed = [](Rgb c) { return c.red + 256 * c.green + 65536 * c.blue; };
  const auto component = [](double v) { return std::min(255, static_cast<int>(std::lround(v))); };
  Rgb candidate = sky;
  if (m >= 0.7 && m <= 0.8) {
    candidate = {128, component((11 - 10 * m) * 64), 255};
  } else if (m > 0.8 && m <= 1) {
    candidate = {component((1 - m) * 640), component((11 - 10 * m) * 64),
                 component((6 - 5 * m) * 128)};
  } else if (m > 1) {
    candidate = {0, 64, 128};
  }
  return packed(candidate) < packed(sky) ? candidate : sky;
}

LunarEclipseGeometry LunarEclipseOf(double sunAscension, double sunDeclination,
                                    double sunDistanceAu, double moonAscension,
                                    double moonDeclination, double moonDistanceKm,
                                    double moonRadius) {
  const almacor::ShadowRadii shadow = almacor::EarthShadowRadii(moonDistanceKm, sunDistanceAu);
  const almacor::Separation s =
      almacor::ShadowSeparation(sunAscension, sunDeclination, moonAscension, moonDeclination);
  return {shadow.penumbra,
          shadow.umbra,
          moonRadius,
          s.distance,
          s.direction,
          static_cast<float>(almacor::LunarEclipseMagnitude(moonRadius, shadow.umbra, s.distance))};
}

std::string MagnitudeCaption(float magnitude) {
  if (!(magnitude >= 0)) return {};
  return almacor::FormatNumber(magnitude, "（食分：0.000）");
}

double SundialHourLineAngle(double hourDegrees, double latitude) {
  if (hourDegrees == 90) return 180;
  return 90 + std::atan(std::tan(hourDegrees * kRad) * std::sin(latitude * kRad)) / kRad;
}

ViewPoint ShadowTip(double height, double baseY, double sunAzimuth, double sunAltitude) {
  double length;
  if (sunAltitude == 90) {
    length = 0;
  } else if (sunAltitude * kRad < 0.01) {
    length = -100 * height;
  } else {
    length = -height / std::tan(sunAltitude * kRad);
  }
  return {length * std::sin(sunAzimuth * kRad), baseY + length * std::cos(sunAzimuth * kRad)};
}

SimulationInputs ReadSimulationInputs(almacor::Calendar& calendar, int drawIndex, int skyAzimuth) {
  SimulationInputs in;
  const almacor::SunObject& sun = calendar.Sun();
  const almacor::MoonObject& moon = calendar.Moon();
  in.sky = SkyColour(sun.Altitude(), sun.Radius(), HorizonDipCorrection(calendar.ObsHeight()));
  in.skyAzimuth = skyAzimuth;
  in.latitude = calendar.ObsLatitude();
  in.skyPositions[0] = {sun.Azimuth(), sun.Altitude()};
  in.skyPositions[1] = {moon.Azimuth(), moon.Altitude()};
  in.sunLongitude = sun.Longitude();
  in.moonLongitude = moon.Longitude();
  in.moonDistanceKm = moon.Distance();
  in.sunDistanceAu = sun.Distance();
  in.localApparentSidereal = calendar.SiderealTime(almacor::LocalApparent);
  if (drawIndex == kSolarEclipse) {
    in.sunAltitudeG = sun.AltitudeG();
    in.moonAltitudeG = moon.AltitudeG();
  }
  if (drawIndex == kLunarEclipse) {
    in.sunAscension = sun.Ascension();
    in.sunDeclination = sun.Declination();
    in.moonAscension = moon.Ascension();
    in.moonDeclination = moon.Declination();
    in.moonRadius = moon.Radius();
  }
  const bool planets = drawIndex == kSkyView || drawIndex == kZenithChart ||
                       drawIndex == kPanorama || drawIndex == kHeliocentric ||
                       drawIndex == kGeocentric;
  if (planets) {
    almacor::PlanetObject& planet = calendar.Planet();
    for (int k = 1; k <= 8; ++k) {
      planet.SetName(k);
      in.skyPositions[k + 1] = {planet.Azimuth(), planet.Altitude()};
      in.planetLongitudeS[k - 1] = planet.LongitudeS();
      in.planetLongitude[k - 1] = planet.Longitude();
      in.planetDistance[k - 1] = planet.Distance();
    }
  }
  return in;
}

Scene BuildSimulationScene(int drawIndex, const SimulationInputs& in, double width, double height,
                           float* magnitude) {
  switch (drawIndex) {
    case kSkyView:
      return SkyViewScene(in, width, height);
    case kZenithChart:
      return ZenithChartScene(in, width, height);
    case kPanorama:
      return PanoramaScene(in, width, height);
    case kHeliocentric:
      return HeliocentricScene(in, width, height);
    case kGeocentric:
      return GeocentricScene(in, width, height);
    case kEarthMoon:
      return EarthMoonScene(in, width, height);
    case kSolarEclipse:
      return SolarEclipseScene(in, width, height, magnitude);
    case kLunarEclipse:
      return LunarEclipseScene(in, width, height, magnitude);
    case kStickShadow:
    case kSundial:
      return SundialScene(drawIndex, in, width, height);
    default:
      return StartScene(drawIndex, width, height, kBlack);
  }
}

}  // namespace quillon
