#pragma once

#include <array>
#include <string>

#include "almacor/eclipses.h"
#include "shapes.h"

namespace almacor {
class Calendar;
}  // namespace almacor

namespace quillon {

/// The views of the simulation window, numbered as the items of the view list; 3, 7 and 10 are
/// separators of that list and draw nothing.
enum SimulationView : int {
  kSkyView = 0,
  kZenithChart = 1,
  kPanorama = 2,
  kHeliocentric = 4,
  kGeocentric = 5,
  kEarthMoon = 6,
  kSolarEclipse = 8,
  kLunarEclipse = 9,
  kStickShadow = 11,
  kSundial = 12,
};
/// Whether `drawIndex` (0–12) names a view rather than a separator.
bool IsSimulationView(int drawIndex);

/// Body colours of every drawing: index 0 the Earth, 1 the Sun, 2 the Moon, 3–10 Mercury … Pluto
/// (the same order as the string table ids 1100–1110).
extern const std::array<Rgb, 11> kBodyColours;

/// The coordinate system of a view for a drawing area of `width` × `height` pixels (eclipse
/// views in twips, 15 to a pixel; see each view).
ViewRect SimulationViewRect(int drawIndex, double width, double height);
/// View units per degree (eclipse views) or per ring (diagrams): 10 for views 4 and 5, 20 for 6,
/// 1000 / 0.25905 for 8, 500 / 0.25905 for 9, 0 otherwise.
double SimulationViewScale(int drawIndex);

/// A body's place in the observer's sky: azimuth from north through east and topocentric apparent
/// altitude, degrees.
struct SkyPosition {
  double azimuth = 0;
  double altitude = 0;
};

/// The sky-view grid: point [i][j] for azimuth step i (11.25° each) and altitude step j (10°), in
/// the azimuthal equidistant projection about the horizon point of the view's centre direction.
using SkyGridPoints = std::array<std::array<ViewPoint, 9>, 9>;
SkyGridPoints InitSkyView();
/// The 14 grid polylines: the altitude rings j = 1…8 (17 points each, from the left mirror of
/// i = 8 across to the right i = 8), then the azimuth lines i = 2, 4, 6 (9 points, j = 0…8), each
/// right-hand line followed by its mirror.
std::array<std::vector<ViewPoint>, 14> CoordinateSkyView(const SkyGridPoints& grid);

/// Where a body stands in the sky view about centre direction 90° × skyAzimuth (0 north … 3 west),
/// in the zenith chart (north up, east left) and in the panorama (azimuth, altitude). Bodies more
/// than 90° from the centre direction, or below the horizon in the zenith chart, are moved a
/// hundredfold outwards, off the picture.
ViewPoint SkyViewPosition(SkyPosition body, int skyAzimuth);
ViewPoint ZenithChartPosition(SkyPosition body);
ViewPoint PanoramaPosition(SkyPosition body);

using almacor::TopocentricDisc;

/// The Moon seen against the Sun: separation and direction of the Moon's centre from the Sun's
/// (degrees, from the zenith towards increasing azimuth) and the magnitude (sS + sM − d) / 2sS.
struct SolarEclipseGeometry {
  TopocentricDisc sun;
  TopocentricDisc moon;
  double separation = 0;
  double direction = 0;
  float magnitude = 0;
};
SolarEclipseGeometry SolarEclipseOf(const TopocentricDisc& sun, const TopocentricDisc& moon);
/// The background of the solar-eclipse view: the sky colour darkened from magnitude 0.7 on.
Rgb EclipseSkyColour(Rgb sky, float magnitude);

/// The Moon against the Earth's shadow: shadow radii at the Moon's distance (degrees, 2 % larger
/// for the atmosphere), separation and direction of the Moon from the shadow's centre (degrees,
/// from north through increasing right ascension) and the magnitude (sM + U − d) / 2sM.
struct LunarEclipseGeometry {
  double penumbra = 0;
  double umbra = 0;
  double moonRadius = 0;
  double separation = 0;
  double direction = 0;
  float magnitude = 0;
};
/// Sun's right ascension, declination (degrees) and distance (au); the Moon's right ascension,
/// declination, distance (km) and apparent radius (degrees).
LunarEclipseGeometry LunarEclipseOf(double sunAscension, double sunDeclination,
                                    double sunDistanceAu, double moonAscension,
                                    double moonDeclination, double moonDistanceKm,
                                    double moonRadius);

/// The caption suffix of the eclipse views, "（食分：0.512）"; empty for a negative magnitude.
std::string MagnitudeCaption(float magnitude);

/// The hour line of hour e (degrees, 15° an hour from noon) on a horizontal sundial at latitude φ:
/// its angle from the +x axis (east), noon along +y.
double SundialHourLineAngle(double hourDegrees, double latitude);
/// The tip of the gnomon's shadow on the ground plan (x east, y north) for a gnomon of height s
/// standing over (0, c), with the Sun at azimuth A and apparent altitude h (degrees).
ViewPoint ShadowTip(double height, double baseY, double sunAzimuth, double sunAltitude);

/// Everything the views read from the Calendar, for one instant.
struct SimulationInputs {
  Rgb sky{128, 255, 255};
  int skyAzimuth = 2;
  double latitude = 0;
  /// 0 the Sun, 1 the Moon, 2–9 Mercury … Pluto.
  std::array<SkyPosition, 10> skyPositions{};
  double sunLongitude = 0;
  double sunAscension = 0;
  double sunDeclination = 0;
  double sunDistanceAu = 1;
  double sunAltitudeG = 0;
  double moonLongitude = 0;
  double moonAscension = 0;
  double moonDeclination = 0;
  double moonDistanceKm = 384400;
  double moonRadius = 0.25905;
  double moonAltitudeG = 0;
  double localApparentSidereal = 0;
  /// Mercury … Pluto: heliocentric longitude, geocentric longitude and distance (au).
  std::array<double, 8> planetLongitudeS{};
  std::array<double, 8> planetLongitude{};
  std::array<double, 8> planetDistance{};
};
/// Reads the Calendar's current instant; the planets only when the view shows them (Planet().Name
/// is then left at Pluto).
SimulationInputs ReadSimulationInputs(almacor::Calendar& calendar, int drawIndex, int skyAzimuth);

/// The scene of view `drawIndex` on a drawing area of width × height pixels; `magnitude` receives
/// the eclipse magnitude of views 8 and 9. A separator index gives an empty black scene.
Scene BuildSimulationScene(int drawIndex, const SimulationInputs& in, double width, double height,
                           float* magnitude = nullptr);

}  // namespace quillon
