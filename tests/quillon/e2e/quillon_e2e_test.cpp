// Runs the built quillon binary headless, with no display and no Qt platform set, and checks what
// it prints.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

Outcome Quillon(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"}) {
    env.remove(name);
  }
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(QUILLON_BINARY), args);
  Outcome run;
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end = "\n") {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size()) {
    lines.push_back(text.substr(start, at - start));
  }
  EXPECT_EQ(start, text.size()) << "the output ends with a line end";
  return lines;
}

std::set<std::string> Keys(const nlohmann::json& object) {
  std::set<std::string> keys;
  for (const auto& item : object.items()) keys.insert(item.key());
  return keys;
}

const std::set<std::string> kTopKeys = {"DateTime",
                                        "ObsLongitude",
                                        "ObsLatitude",
                                        "ObsHeight",
                                        "TimeZone",
                                        "JulianDay",
                                        "JulianDayTD",
                                        "DeltaT",
                                        "DtEstimated",
                                        "SiderealTime",
                                        "QYear",
                                        "QMonth",
                                        "QDay",
                                        "QLeap",
                                        "QDayOfMonth",
                                        "ZodiacalYear",
                                        "ZodiacalMonth",
                                        "ZodiacalDay",
                                        "ZodiacalMonth24",
                                        "ZodiacalDay24",
                                        "ZodiacalClimate72",
                                        "JulianCYear",
                                        "JulianCMonth",
                                        "JulianCDay",
                                        "IslamicYear",
                                        "IslamicMonth",
                                        "IslamicDay",
                                        "IslamicMonthName",
                                        "HebrewYear",
                                        "HebrewMonth",
                                        "HebrewDay",
                                        "HebrewMonthName",
                                        "MayaLong",
                                        "MayaHaab",
                                        "MayaTzolkin",
                                        "Rokuyou",
                                        "JapaneseMonthName",
                                        "ZodiacalSigns",
                                        "Kyusei",
                                        "Sun",
                                        "Moon",
                                        "Planets"};
const std::set<std::string> kSunKeys = {"Longitude",
                                        "Obliquity",
                                        "Ascension",
                                        "Declination",
                                        "Azimuth",
                                        "AltitudeG",
                                        "AltitudeT",
                                        "Altitude",
                                        "Distance",
                                        "Radius",
                                        "RiseTime",
                                        "RiseAzimuth",
                                        "SetTime",
                                        "SetAzimuth",
                                        "CulminationTime",
                                        "CulminationAltitude",
                                        "Dawn",
                                        "Twilight",
                                        "CivilTwilightR",
                                        "CivilTwilightS",
                                        "NauticalTwilightR",
                                        "NauticalTwilightS",
                                        "AstronomicalTwilightR",
                                        "AstronomicalTwilightS"};
const std::set<std::string> kMoonKeys = {"Longitude",
                                         "Latitude",
                                         "Elongation",
                                         "Ascension",
                                         "Declination",
                                         "Azimuth",
                                         "AltitudeG",
                                         "AltitudeT",
                                         "Altitude",
                                         "Distance",
                                         "Radius",
                                         "RiseTime",
                                         "RiseAzimuth",
                                         "SetTime",
                                         "SetAzimuth",
                                         "CulminationTime",
                                         "CulminationAltitude",
                                         "AgeNoon",
                                         "Age",
                                         "Illuminated"};
const std::set<std::string> kPlanetKeys = {
    "Longitude", "Latitude",   "Distance",        "LongitudeS",         "LatitudeS",
    "DistanceS", "Radius",     "Ascension",       "Declination",        "Azimuth",
    "AltitudeG", "AltitudeT",  "Altitude",        "RiseTime",           "RiseAzimuth",
    "SetTime",   "SetAzimuth", "CulminationTime", "CulminationAltitude"};

const std::regex kLocalTime(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)");

TEST(QuillonHeadless, JsonHasEveryKey) {
  const Outcome run = Quillon({"--json", "--at", "2024-03-20T12:00"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1u);
  const nlohmann::json j = nlohmann::json::parse(lines[0]);
  EXPECT_EQ(Keys(j), kTopKeys);
  EXPECT_EQ(j["DateTime"], "2024-03-20T12:00:00");
  EXPECT_EQ(j["ObsLongitude"], 139.7447);
  EXPECT_EQ(j["ObsLatitude"], 35.6544);
  EXPECT_EQ(j["TimeZone"], 9);
  EXPECT_EQ(j["DtEstimated"], true);
  EXPECT_NEAR(j["JulianDay"].get<double>(), 2460389.625, 1e-9);
  EXPECT_EQ(Keys(j["SiderealTime"]), (std::set<std::string>{"GreenwichMean", "GreenwichApparent",
                                                            "LocalMean", "LocalApparent"}));
  EXPECT_EQ(Keys(j["JapaneseMonthName"]), (std::set<std::string>{"YmdMonth", "YmdQMonth"}));
  EXPECT_EQ(Keys(j["ZodiacalSigns"]),
            (std::set<std::string>{"YmdYear", "YmdQYear", "YmdZYear", "YmdMonth", "YmdQMonth",
                                   "YmdZMonth", "YmdDay"}));
  EXPECT_EQ(Keys(j["Kyusei"]),
            (std::set<std::string>{"YmdYear", "YmdZYear", "YmdMonth", "YmdZMonth", "YmdDay"}));
  EXPECT_EQ(Keys(j["Sun"]), kSunKeys);
  EXPECT_EQ(Keys(j["Moon"]), kMoonKeys);
  EXPECT_EQ(Keys(j["Planets"]), (std::set<std::string>{"Mercury", "Venus", "Mars", "Jupiter",
                                                       "Saturn", "Uranus", "Neptune", "Pluto"}));
  for (const auto& planet : j["Planets"].items()) {
    EXPECT_EQ(Keys(planet.value()), kPlanetKeys) << planet.key();
    EXPECT_TRUE(std::regex_match(planet.value()["RiseTime"].get<std::string>(), kLocalTime));
  }
  // The equinox: the Sun's longitude is near 0 or 360, and it rises about 05:45 in Tokyo.
  const double lambda = j["Sun"]["Longitude"];
  EXPECT_LT(std::min(lambda, 360 - lambda), 0.5);
  EXPECT_EQ(j["Sun"]["RiseTime"].get<std::string>().substr(0, 14), "2024-03-20T05:");
}

TEST(QuillonHeadless, JsonLinesFromToByStepWithFixedDeltaT) {
  const Outcome run =
      Quillon({"--json", "--from", "2024-01-01", "--to", "2024-01-02T00:00", "--step", "6h",
               "--delta-t", "69", "--timezone", "0", "--longitude", "0", "--latitude", "51.5"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 5u);
  const char* times[] = {"2024-01-01T00:00:00", "2024-01-01T06:00:00", "2024-01-01T12:00:00",
                         "2024-01-01T18:00:00", "2024-01-02T00:00:00"};
  for (int i = 0; i < 5; ++i) {
    const nlohmann::json j = nlohmann::json::parse(lines[i]);
    EXPECT_EQ(j["DateTime"], times[i]);
    EXPECT_EQ(j["DeltaT"], 69);
    EXPECT_EQ(j["DtEstimated"], false);
    EXPECT_EQ(j["TimeZone"], 0);
  }
}

TEST(QuillonHeadless, JsonTimeZoneIsTheDecimalThatWasPassed) {
  const Outcome run = Quillon({"--json", "--at", "2024-01-01", "--timezone", "5.3"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(nlohmann::json::parse(run.out)["TimeZone"], 5.3);
}

TEST(QuillonHeadless, TextIsTheCopyTextWithEveryColumn) {
  const Outcome run = Quillon({"--text", "--at", "2024-03-20 12:00:05"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out, "\r\n");
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "2024年3月20日12時0分5秒");
  const char* captions[] = {"地方平時", "真太陽時", "地方視恒星時", "ユリウス日",
                            "ΔT",       "月齢",     "月輝面比",     "旧暦"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(lines[1 + i].substr(0, lines[1 + i].find('\t')), captions[i]);
  }
  EXPECT_EQ(lines[1], "地方平時\t12:19:04");
  for (int r = 0; r < 11; ++r) {
    const std::string& line = lines[9 + r];
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 12) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
  }
  EXPECT_EQ(lines[9].substr(0, 1), "\t");
  EXPECT_EQ(lines[10].substr(0, lines[10].find('\t')), "太陽");
  EXPECT_EQ(lines[19].substr(0, lines[19].find('\t')), "冥王星");
}

TEST(QuillonHeadless, OptionsWithoutAModePrintTheTextForNow) {
  const Outcome run = Quillon({"--latitude", "35"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Lines(run.out, "\r\n").size(), 20u);
}

TEST(QuillonHeadless, NoArgumentsWithoutADisplaySaysHowToRunHeadless) {
  const Outcome run = Quillon({});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("--text"), std::string::npos) << run.err;
}

TEST(QuillonHeadless, FindMovesFromResultToResult) {
  const Outcome run = Quillon({"--find", "next-new-moon", "--count", "3", "--at", "2024-01-01"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, kLocalTime)) << line;
  // New moons of 2024 (JST): 01-11 20:57, 02-10 07:59, 03-10 18:00.
  EXPECT_EQ(lines[0].substr(0, 15), "2024-01-11T20:5");
  EXPECT_EQ(lines[1].substr(0, 15), "2024-02-10T07:5");
  EXPECT_EQ(lines[2].substr(0, 14), "2024-03-10T18:");
}

TEST(QuillonHeadless, FindsEclipses) {
  // The total solar eclipse of 2024-04-08 (new moon 18:21 UT), then the annular one of
  // 2024-10-02 (18:49 UT); looking back from it, the annular eclipse of 2023-10-14 (17:55 UT).
  Outcome run = Quillon(
      {"--find", "next-solar-eclipse", "--count", "2", "--at", "2024-01-01", "--timezone", "0"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 14), "2024-04-08T18:");
  EXPECT_EQ(lines[1].substr(0, 14), "2024-10-02T18:");
  run = Quillon({"--find", "previous-solar-eclipse", "--at", "2024-04-01", "--timezone", "0"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 14), "2023-10-14T17:");
  // The penumbral eclipse of 2024-03-25 never touches the umbra; the partial one of 2024-09-18
  // (full moon 02:34 UT) does.
  run = Quillon({"--find", "next-lunar-eclipse", "--at", "2024-01-01", "--timezone", "0"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 14), "2024-09-18T02:");
}

TEST(QuillonHeadless, SearchesBeyondTheRangeExitWithThree) {
  struct Case {
    const char* at;
    const char* kind;
    const char* message;
  };
  for (const Case& c :
       {Case{"9999-12-31", "next-new-moon", "quillon: no later new moon in the supported range\n"},
        Case{"9999-12-31", "next-full-moon",
             "quillon: no later full moon in the supported range\n"},
        Case{"9999-11-01", "next-solar-eclipse",
             "quillon: no later solar eclipse in the supported range\n"},
        Case{"0100-01-20", "previous-new-moon",
             "quillon: no earlier new moon in the supported range\n"},
        Case{"0100-02-01", "previous-lunar-eclipse",
             "quillon: no earlier lunar eclipse in the supported range\n"}}) {
    const Outcome run = Quillon({"--find", c.kind, "--at", c.at});
    EXPECT_EQ(run.exitCode, 3) << c.kind;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.message);
  }
  // Ahead from before the first new moon, the first new moon (TD) is the answer.
  const Outcome first = Quillon(
      {"--find", "next-new-moon", "--at", "0100-01-20", "--timezone", "0", "--delta-t", "100"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.out, "0100-01-27T02:35:28\n");
}

TEST(QuillonHeadless, BadArgumentsExitWithTwo) {
  for (const QStringList& args :
       {QStringList{"--nope"}, QStringList{"--json", "--at", "2024-13-01"},
        QStringList{"--json", "--latitude", "91"}, QStringList{"--find", "next-comet"}}) {
    const Outcome run = Quillon(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("quillon: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  }
  const Outcome help = Quillon({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: quillon"), std::string::npos);
}

TEST(QuillonHeadless, YearWritesAWholeFileOrNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString existing = dir.filePath("old.csv");
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
  }
  for (const QStringList& args :
       {QStringList{"--year", "99"}, QStringList{"--year", "10000", "--output", existing},
        QStringList{"--year", "2024", "--format", "xml", "--output", existing},
        QStringList{"--year", "2024", "--output", dir.filePath("missing/x.csv")},
        QStringList{"--year", "2024", "--output", dir.path()}, QStringList{"--format", "csv"}}) {
    const Outcome run = Quillon(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("quillon: --", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  const QString target = dir.filePath("2024.ics");
  const Outcome run = Quillon({"--year", "2024", "--format", "ics", "--output", target});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  // Only the finished file and the untouched old one are left: no temporary file.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"2024.ics", "old.csv"}));
  QFile old(existing);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "old");
  QFile ics(target);
  ASSERT_TRUE(ics.open(QIODevice::ReadOnly));
  const std::string text = ics.readAll().toStdString();
  EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_EQ(Lines(text, "\r\n").back(), "END:VCALENDAR");
}

TEST(QuillonHeadless, YearCsvAndJsonLinesHaveARowPerDay) {
  const Outcome csv = Quillon({"--year", "2024"});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  const std::vector<std::string> rows = Lines(csv.out, "\r\n");
  ASSERT_EQ(rows.size(), 367u);
  EXPECT_EQ(rows[1].rfind("2024-01-01,月,11月20日,赤口,甲子,一白水星,06:50,11:44,16:38,", 0), 0u)
      << rows[1];
  const Outcome json = Quillon({"--year", "2024", "--format", "json", "--timezone", "9"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const std::vector<std::string> lines = Lines(json.out);
  ASSERT_EQ(lines.size(), 366u);
  const nlohmann::json day = nlohmann::json::parse(lines[203]);  // 2024-07-22
  EXPECT_EQ(day["date"], "2024-07-22");
  EXPECT_EQ(day["solarTerm"]["name"], "大暑");
  EXPECT_EQ(day["solarTerm"]["kind"], "中気");
}

}  // namespace
