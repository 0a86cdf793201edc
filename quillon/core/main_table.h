#pragma once

#include <array>
#include <string>

#include "almacor/date.h"
#include "almacor/timescales.h"

namespace almacor {
class Calendar;
class MathObject;
}  // namespace almacor

namespace quillon {

/// Rows and columns of the main window's table: row 0 the column titles, row 1 the Sun, row 2 the
/// Moon, rows 3–10 Mercury … Pluto (row = planet number + 2); column 0 the row titles, columns
/// 1–12 right ascension, declination, ecliptic longitude and latitude, elongation, distance,
/// apparent radius, azimuth, altitude, rise, culmination, set.
inline constexpr int kTableRows = 11;
inline constexpr int kTableColumns = 13;
/// The column mask of the first run: columns 1, 2, 6, 7, 8 and 9 shown (bit k − 1 = column k).
inline constexpr int kDefaultColumnMask = 483;
/// Every one of the nine optional columns shown.
inline constexpr int kAllColumnsMask = 511;

/// Everything the main window's Display writes: the seven information boxes (local mean time, true
/// solar time, sidereal time, Julian day, Moon's age, illuminated fraction, lunisolar date), the ΔT
/// box and the table cells, titles included.
struct MainTableTexts {
  std::array<std::string, 7> boxes;
  std::string deltaT;
  std::array<std::array<std::string, kTableColumns>, kTableRows> cells;
};

/// Reads the Calendar as Display does and builds every text of the window. `displayedDay` is the
/// day of month of the displayed date (event cells of other days show "--:--"); `siderealKind` the
/// sidereal time of box 2. Sets Planet().Name to each planet in turn and leaves it at Pluto;
/// changes nothing else.
MainTableTexts BuildMainTable(almacor::Calendar& calendar, int displayedDay,
                              almacor::SiderealTimeConstant siderealKind);

/// The rise, culmination and set cells of one row, joined by TAB. An event shows as hh:mm when its
/// day of month is `displayedDay`, otherwise as "--:--"; rise and set also show "--:--" when their
/// times of day are equal (always above or below the horizon), the culmination when all three are.
std::string FormatEventTimes(const almacor::MathObject& math, almacor::Date rise,
                             almacor::Date culmination, almacor::Date set, int displayedDay);

/// Elongation of a planet from its and the Sun's ecliptic longitudes (degrees): 0 <= e < 360, but
/// for Mercury and Venus (planet 1 and 2) −180 < e <= 180, negative west of the Sun.
double PlanetElongation(double planetLongitude, double sunLongitude, int planet);

/// The local mean time of a local day count at longitude `longitude` (degrees east) for zone
/// `timeZone` (hours) as "hh:nn:ss"; the offset from zone time is taken to whole seconds.
std::string LocalMeanTimeText(double days, double longitude, double timeZone);

/// Dip of the horizon less 8.794148″ for a height above sea level in metres, degrees.
double HorizonDipCorrection(double heightMetres);

struct Rgb {
  int red;
  int green;
  int blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
/// Background colour of the table and the Moon picture by the Sun's apparent altitude (degrees),
/// its radius (degrees) and the horizon dip correction: day, civil twilight, deeper twilight,
/// night.
Rgb SkyColour(double sunAltitude, double sunRadius, double horizonDipCorrection);

}  // namespace quillon
