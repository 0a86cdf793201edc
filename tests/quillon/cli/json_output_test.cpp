// The JSON writer of --json, run in process.
#include "json_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "cli.h"

namespace quillon {
namespace {

std::string Json(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine(ParseCommandLine(args), out, err, 0), 0);
  EXPECT_EQ(err.str(), "");
  return out.str();
}

std::set<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

std::set<std::string> Keys(const nlohmann::json& object) {
  std::set<std::string> keys;
  for (const auto& item : object.items()) keys.insert(item.key());
  return keys;
}

TEST(JsonOutput, AnInstantHasEveryKeyAndASeriesOneLineEach) {
  const std::string one = Json({"--json", "--at", "2024-03-20T12:00"});
  ASSERT_EQ(std::count(one.begin(), one.end(), '\n'), 1);
  const nlohmann::json j = nlohmann::json::parse(one);
  EXPECT_EQ(
      Keys(j),
      Words("DateTime ObsLongitude ObsLatitude ObsHeight TimeZone JulianDay JulianDayTD "
            "DeltaT DtEstimated SiderealTime QYear QMonth QDay QLeap QDayOfMonth ZodiacalYear "
            "ZodiacalMonth ZodiacalDay ZodiacalMonth24 ZodiacalDay24 ZodiacalClimate72 "
            "JulianCYear JulianCMonth JulianCDay IslamicYear IslamicMonth IslamicDay "
            "IslamicMonthName HebrewYear HebrewMonth HebrewDay HebrewMonthName MayaLong "
            "MayaHaab MayaTzolkin Rokuyou JapaneseMonthName ZodiacalSigns Kyusei Sun Moon "
            "Planets"));
  EXPECT_EQ(j["DateTime"], "2024-03-20T12:00:00");
  EXPECT_EQ(j["DtEstimated"], true);
  EXPECT_NEAR(j["JulianDay"].get<double>(), 2460389.625, 1e-9);
  EXPECT_EQ(Keys(j["SiderealTime"]),
            Words("GreenwichMean GreenwichApparent LocalMean LocalApparent"));
  EXPECT_EQ(Keys(j["JapaneseMonthName"]), Words("YmdMonth YmdQMonth"));
  EXPECT_EQ(Keys(j["ZodiacalSigns"]),
            Words("YmdYear YmdQYear YmdZYear YmdMonth YmdQMonth YmdZMonth YmdDay"));
  EXPECT_EQ(Keys(j["Kyusei"]), Words("YmdYear YmdZYear YmdMonth YmdZMonth YmdDay"));
  const std::string bodyKeys =
      "Ascension Declination Azimuth AltitudeG AltitudeT Altitude Distance Radius RiseTime "
      "RiseAzimuth SetTime SetAzimuth CulminationTime CulminationAltitude ";
  EXPECT_EQ(Keys(j["Sun"]), Words(bodyKeys + "Longitude Obliquity Dawn Twilight CivilTwilightR "
                                             "CivilTwilightS NauticalTwilightR NauticalTwilightS "
                                             "AstronomicalTwilightR AstronomicalTwilightS"));
  EXPECT_EQ(Keys(j["Moon"]),
            Words(bodyKeys + "Longitude Latitude Elongation AgeNoon Age Illuminated"));
  EXPECT_EQ(Keys(j["Planets"]), Words("Mercury Venus Mars Jupiter Saturn Uranus Neptune Pluto"));
  for (const auto& planet : j["Planets"].items()) {
    EXPECT_EQ(Keys(planet.value()),
              Words(bodyKeys + "Longitude Latitude LongitudeS LatitudeS DistanceS"))
        << planet.key();
    EXPECT_TRUE(std::regex_match(planet.value()["RiseTime"].get<std::string>(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)")));
  }
  // The equinox: the Sun's longitude is near 0 or 360, and it rises about 05:45 in Tokyo.
  const double lambda = j["Sun"]["Longitude"];
  EXPECT_LT(std::min(lambda, 360 - lambda), 0.5);
  EXPECT_EQ(j["Sun"]["RiseTime"].get<std::string>().substr(0, 14), "2024-03-20T05:");

  const std::string series = Json({"--json", "--from", "2024-01-01", "--to", "2024-01-02T00:00",
                                   "--step", "6h", "--delta-t", "69", "--timezone", "0"});
  ASSERT_EQ(std::count(series.begin(), series.end(), '\n'), 5);
  std::istringstream lines(series);
  for (const char* time :
       {"2024-01-01T00", "2024-01-01T06", "2024-01-01T12", "2024-01-01T18", "2024-01-02T00"}) {
    std::string line;
    std::getline(lines, line);
    const nlohmann::json at = nlohmann::json::parse(line);
    EXPECT_EQ(at["DateTime"], std::string(time) + ":00:00");
    EXPECT_EQ(at["DeltaT"], 69);
    EXPECT_EQ(at["DtEstimated"], false);
  }
}

}  // namespace
}  // namespace quillon
