#include "json_output.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "almacor/calendar.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"

namespace quillon {
namespace {

using almacor::Calendar;
using nlohmann::ordered_json;

constexpr std::array<std::string_view, 8> kPlanetKeys = {"Mercury", "Venus",  "Mars",    "Jupiter",
                                                         "Saturn",  "Uranus", "Neptune", "Pluto"};

// The time zone is a single-precision value: 5.3 is held as 5.30000019…. Scripts expect the
// number they passed, so it is written as the shortest decimal that reads back as that float.
double ShortestDecimal(float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
  *end = '\0';
  return std::strtod(text, nullptr);
}

ordered_json SunJson(const almacor::SunObject& sun) {
  ordered_json j;
  j["Longitude"] = sun.Longitude();
  j["Obliquity"] = sun.Obliquity();
  j["Ascension"] = sun.Ascension();
  j["Declination"] = sun.Declination();
  j["Azimuth"] = sun.Azimuth();
  j["AltitudeG"] = sun.AltitudeG();
  j["AltitudeT"] = sun.AltitudeT();
  j["Altitude"] = sun.Altitude();
  j["Distance"] = sun.Distance();
  j["Radius"] = sun.Radius();
  j["RiseTime"] = IsoDateTime(sun.RiseTime());
  j["RiseAzimuth"] = sun.RiseAzimuth();
  j["SetTime"] = IsoDateTime(sun.SetTime());
  j["SetAzimuth"] = sun.SetAzimuth();
  j["CulminationTime"] = IsoDateTime(sun.CulminationTime());
  j["CulminationAltitude"] = sun.CulminationAltitude();
  j["Dawn"] = IsoDateTime(sun.Dawn());
  j["Twilight"] = IsoDateTime(sun.Twilight());
  j["CivilTwilightR"] = IsoDateTime(sun.CivilTwilightR());
  j["CivilTwilightS"] = IsoDateTime(sun.CivilTwilightS());
  j["NauticalTwilightR"] = IsoDateTime(sun.NauticalTwilightR());
  j["NauticalTwilightS"] = IsoDateTime(sun.NauticalTwilightS());
  j["AstronomicalTwilightR"] = IsoDateTime(sun.AstronomicalTwilightR());
  j["AstronomicalTwilightS"] = IsoDateTime(sun.AstronomicalTwilightS());
  return j;
}

ordered_json MoonJson(const almacor::MoonObject& moon) {
  ordered_json j;
  j["Longitude"] = moon.Longitude();
  j["Latitude"] = moon.Latitude();
  j["Elongation"] = moon.Elongation();
  j["Ascension"] = moon.Ascension();
  j["Declination"] = moon.Declination();
  j["Azimuth"] = moon.Azimuth();
  j["AltitudeG"] = moon.AltitudeG();
  j["AltitudeT"] = moon.AltitudeT();
  j["Altitude"] = moon.Altitude();
  j["Distance"] = moon.Distance();
  j["Radius"] = moon.Radius();
  j["RiseTime"] = IsoDateTime(moon.RiseTime());
  j["RiseAzimuth"] = moon.RiseAzimuth();
  j["SetTime"] = IsoDateTime(moon.SetTime());
  j["SetAzimuth"] = moon.SetAzimuth();
  j["CulminationTime"] = IsoDateTime(moon.CulminationTime());
  j["CulminationAltitude"] = moon.CulminationAltitude();
  j["AgeNoon"] = moon.AgeNoon();
  j["Age"] = moon.Age();
  j["Illuminated"] = moon.Illuminated();
  return j;
}

ordered_json PlanetJson(const almacor::PlanetObject& planet) {
  ordered_json j;
  j["Longitude"] = planet.Longitude();
  j["Latitude"] = planet.Latitude();
  j["Distance"] = planet.Distance();
  j["LongitudeS"] = planet.LongitudeS();
  j["LatitudeS"] = planet.LatitudeS();
  j["DistanceS"] = planet.DistanceS();
  j["Radius"] = planet.Radius();
  j["Ascension"] = planet.Ascension();
  j["Declination"] = planet.Declination();
  j["Azimuth"] = planet.Azimuth();
  j["AltitudeG"] = planet.AltitudeG();
  j["AltitudeT"] = planet.AltitudeT();
  j["Altitude"] = planet.Altitude();
  j["RiseTime"] = IsoDateTime(planet.RiseTime());
  j["RiseAzimuth"] = planet.RiseAzimuth();
  j["SetTime"] = IsoDateTime(planet.SetTime());
  j["SetAzimuth"] = planet.SetAzimuth();
  j["CulminationTime"] = IsoDateTime(planet.CulminationTime());
  j["CulminationAltitude"] = planet.CulminationAltitude();
  return j;
}

}  // namespace

std::string IsoDateTime(almacor::Date date) {
  const almacor::CivilDateTime c = date.ToCivil();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute, c.second);
  return text;
}

ordered_json InstantJson(Calendar& calendar) {
  using almacor::QmYmdConstants;
  ordered_json j;
  j["DateTime"] = IsoDateTime(calendar.DateTime());
  j["ObsLongitude"] = calendar.ObsLongitude();
  j["ObsLatitude"] = calendar.ObsLatitude();
  j["ObsHeight"] = calendar.ObsHeight();
  j["TimeZone"] = ShortestDecimal(calendar.TimeZone());
  j["JulianDay"] = calendar.JulianDay();
  j["JulianDayTD"] = calendar.JulianDayTD();
  j["DeltaT"] = calendar.DeltaT();
  j["DtEstimated"] = calendar.DtEstimated();
  j["SiderealTime"] = {{"GreenwichMean", calendar.SiderealTime(almacor::GreenwichMean)},
                       {"GreenwichApparent", calendar.SiderealTime(almacor::GreenwichApparent)},
                       {"LocalMean", calendar.SiderealTime(almacor::LocalMean)},
                       {"LocalApparent", calendar.SiderealTime(almacor::LocalApparent)}};
  j["QYear"] = calendar.QYear();
  j["QMonth"] = calendar.QMonth();
  j["QDay"] = calendar.QDay();
  j["QLeap"] = calendar.QLeap();
  j["QDayOfMonth"] = calendar.QDayOfMonth();
  j["ZodiacalYear"] = calendar.ZodiacalYear();
  j["ZodiacalMonth"] = calendar.ZodiacalMonth();
  j["ZodiacalDay"] = calendar.ZodiacalDay();
  j["ZodiacalMonth24"] = calendar.ZodiacalMonth24();
  j["ZodiacalDay24"] = calendar.ZodiacalDay24();
  j["ZodiacalClimate72"] = calendar.ZodiacalClimate72();
  j["JulianCYear"] = calendar.JulianCYear();
  j["JulianCMonth"] = calendar.JulianCMonth();
  j["JulianCDay"] = calendar.JulianCDay();
  j["IslamicYear"] = calendar.IslamicYear();
  j["IslamicMonth"] = calendar.IslamicMonth();
  j["IslamicDay"] = calendar.IslamicDay();
  j["IslamicMonthName"] = calendar.IslamicMonthName();
  j["HebrewYear"] = calendar.HebrewYear();
  j["HebrewMonth"] = calendar.HebrewMonth();
  j["HebrewDay"] = calendar.HebrewDay();
  j["HebrewMonthName"] = calendar.HebrewMonthName();
  j["MayaLong"] = calendar.MayaLong();
  j["MayaHaab"] = calendar.MayaHaab();
  j["MayaTzolkin"] = calendar.MayaTzolkin();
  j["Rokuyou"] = calendar.Rokuyou();
  j["JapaneseMonthName"] = {{"YmdMonth", calendar.JapaneseMonthName(almacor::YmdMonth)},
                            {"YmdQMonth", calendar.JapaneseMonthName(almacor::YmdQMonth)}};
  ordered_json signs;
  for (const auto& [key, ymd] : {std::pair{"YmdYear", almacor::YmdYear},
                                 {"YmdQYear", almacor::YmdQYear},
                                 {"YmdZYear", almacor::YmdZYear},
                                 {"YmdMonth", almacor::YmdMonth},
                                 {"YmdQMonth", almacor::YmdQMonth},
                                 {"YmdZMonth", almacor::YmdZMonth},
                                 {"YmdDay", almacor::YmdDay}}) {
    signs[key] = calendar.ZodiacalSigns(ymd);
  }
  j["ZodiacalSigns"] = signs;
  ordered_json stars;
  for (const auto& [key, ymd] : {std::pair{"YmdYear", almacor::YmdYear},
                                 {"YmdZYear", almacor::YmdZYear},
                                 {"YmdMonth", almacor::YmdMonth},
                                 {"YmdZMonth", almacor::YmdZMonth},
                                 {"YmdDay", almacor::YmdDay}}) {
    stars[key] = calendar.Kyusei(static_cast<QmYmdConstants>(ymd));
  }
  j["Kyusei"] = stars;

  j["Sun"] = SunJson(calendar.Sun());
  j["Moon"] = MoonJson(calendar.Moon());
  ordered_json planets;
  almacor::PlanetObject& planet = calendar.Planet();
  for (int n = 1; n <= 8; ++n) {
    planet.SetName(static_cast<almacor::PlanetNameConstant>(n));
    planets[std::string(kPlanetKeys[n - 1])] = PlanetJson(planet);
  }
  j["Planets"] = planets;
  return j;
}

}  // namespace quillon
