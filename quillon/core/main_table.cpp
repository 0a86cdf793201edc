#include "main_table.h"

#include <cmath>

#include "almacor/angles.h"
#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/format.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "program_strings.h"

namespace quillon {
namespace {

using almacor::Calendar;
using almacor::Date;
using almacor::FormatNumber;

constexpr const char* kSunLatitudeText = "0ﾟ 00' 00\"";
constexpr const char* kSunElongationText = "0.000000ﾟ";

std::string RightAscensionText(const almacor::MathObject& math, double alpha) {
  return math.FormatHourAngle(alpha, "00\\h", "00\\m", "00\\s");
}

// The apparent radius of the Sun or the Moon (degrees) read as hours: whole arcminutes and
// arcseconds, "16' 01"".
std::string RadiusAsTimeText(double radius) {
  return almacor::FormatDateTime(Date::FromValue(radius / 24.0), "nn' ss") + "\"";
}

// Writes one body's row: its title, the nine quantity cells and the three event cells (the TAB
// separated text of FormatEventTimes).
void SetRow(std::array<std::string, kTableColumns>& row, std::string_view title,
            std::array<std::string, 9> quantities, const std::string& events) {
  row[0] = std::string(title);
  for (int i = 0; i < 9; ++i) row[i + 1] = std::move(quantities[i]);
  const std::size_t tab1 = events.find('\t');
  const std::size_t tab2 = events.find('\t', tab1 + 1);
  row[10] = events.substr(0, tab1);
  row[11] = events.substr(tab1 + 1, tab2 - tab1 - 1);
  row[12] = events.substr(tab2 + 1);
}

// The day of month that the event's hh:mm text belongs to.
int DayOfMonth(Date t) { return almacor::DaysToCivilDate(t.Days()).day; }

// Time-of-day fraction of a date value: |t − Fix(t)|.
double TimeOfDay(Date t) { return std::fabs(t.Value() - std::trunc(t.Value())); }

}  // namespace

std::string FormatEventTimes(const almacor::MathObject& math, Date rise, Date culmination, Date set,
                             int displayedDay) {
  const double fRise = TimeOfDay(rise);
  const double fCulmination = TimeOfDay(culmination);
  const double fSet = TimeOfDay(set);
  const std::string noEvent(ProgramString(ids::kNoEvent));
  const auto text = [&](Date t, double f, bool shown) {
    return shown && DayOfMonth(t) == displayedDay ? math.FormatTime(f, "00\\:", "00", "") : noEvent;
  };
  return text(rise, fRise, fRise != fSet) + '\t' +
         text(culmination, fCulmination, fRise != fCulmination || fSet != fCulmination) + '\t' +
         text(set, fSet, fRise != fSet);
}

double PlanetElongation(double planetLongitude, double sunLongitude, int planet) {
  double e = planetLongitude - sunLongitude;
  if (e < 0) e += 360;
  if (planet <= 2 && e > 180) e -= 360;
  return e;
}

std::string LocalMeanTimeText(double days, double longitude, double timeZone) {
  const double offsetSeconds = std::nearbyint((longitude - 15.0 * timeZone) * 240.0);
  const double t = days + offsetSeconds / 86400.0;
  // Only the time of day is shown, so the date part is dropped before formatting: the text stays
  // defined at both ends of the date range.
  return almacor::FormatDateTime(Date::FromValue(t - std::floor(t)), "hh:nn:ss");
}

double HorizonDipCorrection(double heightMetres) {
  return almacor::HorizonDip(heightMetres) - almacor::kSolarParallaxDeg;
}

Rgb SkyColour(double sunAltitude, double sunRadius, double horizonDipCorrection) {
  const double x = sunAltitude + horizonDipCorrection;
  if (x >= -sunRadius) return {128, 255, 255};
  if (x >= almacor::kDawnDuskAltitude) return {128, 192, 255};
  if (x >= -18) return {0, 64, 128};
  return {0, 0, 128};
}

MainTableTexts BuildMainTable(Calendar& calendar, int displayedDay,
                              almacor::SiderealTimeConstant siderealKind) {
  MainTableTexts texts;
  const almacor::MathObject& math = calendar.Math();
  const std::string altAzPattern(ProgramString(ids::kAltAzPattern));
  const std::string elongationPattern(ProgramString(ids::kElongationPattern));

  for (int column = 1; column < kTableColumns; ++column) {
    texts.cells[0][column] = std::string(ProgramString(ids::kFirstColumnTitle + column - 1));
  }

  texts.boxes[0] = LocalMeanTimeText(calendar.Instant(), calendar.ObsLongitude(),
                                     static_cast<double>(calendar.TimeZone()));
  almacor::SunObject& sun = calendar.Sun();
  texts.boxes[1] =
      math.FormatHourAngle(calendar.SiderealTime(almacor::LocalApparent) - sun.Ascension() + 180,
                           "00\\:", "00\\:", "00");
  texts.boxes[2] =
      math.FormatHourAngle(calendar.SiderealTime(siderealKind), "00\\:", "00\\:", "00.000");
  texts.boxes[3] = FormatNumber(calendar.JulianDay(), "#.00000000");
  texts.deltaT = almacor::FormatGeneral(calendar.DeltaT());

  // Sun.
  const double sunLongitude = sun.Longitude();
  {
    const double alpha = sun.Ascension();
    const double delta = sun.Declination();
    const double distance = sun.Distance();
    const double radius = sun.Radius();
    const double azimuth = sun.Azimuth();
    const double altitude = sun.Altitude();
    const std::string events =
        FormatEventTimes(math, sun.RiseTime(), sun.CulminationTime(), sun.SetTime(), displayedDay);
    SetRow(texts.cells[1], ProgramString(ids::kFirstBody),
           {RightAscensionText(math, alpha), math.FormatDMS(delta), math.FormatDMS(sunLongitude),
            kSunLatitudeText, kSunElongationText, FormatNumber(distance, "0.00000au"),
            RadiusAsTimeText(radius), FormatNumber(azimuth, altAzPattern),
            FormatNumber(altitude, altAzPattern)},
           events);
  }

  // Moon.
  {
    almacor::MoonObject& moon = calendar.Moon();
    const double alpha = moon.Ascension();
    const double delta = moon.Declination();
    const double longitude = moon.Longitude();
    const double latitude = moon.Latitude();
    const double elongation = moon.Elongation();
    const double distance = moon.Distance();
    const double radius = moon.Radius();
    const double azimuth = moon.Azimuth();
    const double altitude = moon.Altitude();
    const std::string events = FormatEventTimes(math, moon.RiseTime(), moon.CulminationTime(),
                                                moon.SetTime(), displayedDay);
    SetRow(texts.cells[2], ProgramString(ids::kFirstBody + 1),
           {RightAscensionText(math, alpha), math.FormatDMS(delta), math.FormatDMS(longitude),
            math.FormatDMS(latitude), FormatNumber(elongation, elongationPattern),
            FormatNumber(distance, "###,###km"), RadiusAsTimeText(radius),
            FormatNumber(azimuth, altAzPattern), FormatNumber(altitude, altAzPattern)},
           events);
  }

  // Planets, Mercury … Pluto.
  almacor::PlanetObject& planet = calendar.Planet();
  for (int n = 1; n <= 8; ++n) {
    planet.SetName(static_cast<almacor::PlanetNameConstant>(n));
    const double longitude = planet.Longitude();
    const double alpha = planet.Ascension();
    const double delta = planet.Declination();
    const double latitude = planet.Latitude();
    const double distance = planet.Distance();
    const double radius = planet.Radius();
    const double azimuth = planet.Azimuth();
    const double altitude = planet.Altitude();
    const std::string events = FormatEventTimes(math, planet.RiseTime(), planet.CulminationTime(),
                                                planet.SetTime(), displayedDay);
    SetRow(texts.cells[n + 2], ProgramString(ids::kFirstBody + n + 1),
           {RightAscensionText(math, alpha), math.FormatDMS(delta), math.FormatDMS(longitude),
            math.FormatDMS(latitude),
            FormatNumber(PlanetElongation(longitude, sunLongitude, n), elongationPattern),
            FormatNumber(distance, "#0.00000au"), FormatNumber(radius * 3600, "#0.00") + "\"",
            FormatNumber(azimuth, altAzPattern), FormatNumber(altitude, altAzPattern)},
           events);
  }

  texts.boxes[4] = FormatNumber(calendar.Moon().Age(), "#0.0000");
  texts.boxes[5] = FormatNumber(calendar.Moon().Illuminated(), "##0.0000%");
  texts.boxes[6] = (calendar.QLeap() ? std::string("閏") : std::string()) +
                   std::to_string(calendar.QMonth()) + "月" + std::to_string(calendar.QDay()) +
                   "日";
  return texts;
}

}  // namespace quillon
