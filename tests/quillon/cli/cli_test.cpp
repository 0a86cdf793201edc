// The command line in process: parsing, the headless runs, the JSON writer and the atomic file
// writer.
#include "cli.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "atomic_file.h"
#include "json_output.h"
#include "test_support.h"

namespace quillon {
namespace {

using Mode = CommandLine::Mode;

TEST(ParseDateTime, TheThreeFormsWithTOrSpaceAndNothingElse) {
  EXPECT_EQ(*ParseDateTime("2024-04-08"), (almacor::CivilDateTime{2024, 4, 8, 0, 0, 0}));
  EXPECT_EQ(*ParseDateTime("2024-04-08T18:21"), (almacor::CivilDateTime{2024, 4, 8, 18, 21, 0}));
  EXPECT_EQ(*ParseDateTime("2024-04-08 18:21:07"), (almacor::CivilDateTime{2024, 4, 8, 18, 21, 7}));
  EXPECT_TRUE(ParseDateTime("0100-01-01T00:00:00") && ParseDateTime("9999-12-31T23:59:59"));
  EXPECT_TRUE(ParseDateTime("2024-02-29"));
  EXPECT_FALSE(ParseDateTime(""));  // the other refused forms are rows of cli_refused.tsv
}

TEST(ParseCommandLine, ReadsEveryOptionInBothSpellings) {
  const CommandLine defaults = ParseCommandLine({});
  EXPECT_EQ(defaults.mode, Mode::Window);
  EXPECT_FALSE(defaults.at || defaults.deltaT);
  EXPECT_EQ(defaults.stepSeconds, 86400);
  EXPECT_EQ(defaults.count, 1);
  const CommandLine c =
      ParseCommandLine({"--json", "--at", "2024-01-01T06:30", "--longitude=-0.1278", "--latitude",
                        "+51.5", "--height", "35", "--timezone=0", "--delta-t", "69.2"});
  EXPECT_EQ(c.mode, Mode::Json);
  EXPECT_EQ(*c.at, (almacor::CivilDateTime{2024, 1, 1, 6, 30, 0}));
  EXPECT_DOUBLE_EQ(c.longitude, -0.1278);
  EXPECT_DOUBLE_EQ(c.latitude, 51.5);
  EXPECT_DOUBLE_EQ(c.height, 35);
  EXPECT_DOUBLE_EQ(c.timeZone, 0);
  EXPECT_DOUBLE_EQ(*c.deltaT, 69.2);

  EXPECT_EQ(
      ParseCommandLine({"--json", "--from", "2024-01-01", "--to", "2024-01-02", "--step", "6h"})
          .stepSeconds,
      6 * 3600);
  EXPECT_EQ(
      ParseCommandLine({"--json", "--from=2024-01-01", "--to=2024-01-02", "--step=2d"}).stepSeconds,
      2 * 86400);
  const CommandLine find = ParseCommandLine({"--find", "previous-lunar-eclipse", "--count", "3"});
  EXPECT_EQ(find.mode, Mode::Find);
  EXPECT_EQ(find.find.kind, SearchKind::LunarEclipse);
  EXPECT_TRUE(find.find.previous);
  EXPECT_EQ(find.count, 3);
  EXPECT_EQ(ParseCommandLine({"--find=next-new-moon"}).find.kind, SearchKind::NewMoon);
  for (const auto& [arg, mode] :
       {std::pair{"--help", Mode::Help}, std::pair{"-h", Mode::Help},
        std::pair{"--version", Mode::Version}, std::pair{"-v", Mode::Version}}) {
    EXPECT_EQ(ParseCommandLine({"--text", arg}).mode, mode) << arg;
  }
}

// Each bad command line is refused with a message that names the offending option
// (tests/data/cli_refused.tsv).
TEST(ParseCommandLine, BadArgumentsNameTheOption) {
  std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--delta-t", ""}, "--delta-t"}};
  for (const auto& row : almacor::ReadReferenceTable("cli_refused.tsv", '\t')) {
    std::istringstream words(row[1]);
    cases.push_back({{std::istream_iterator<std::string>(words), {}}, row[0]});
  }
  ASSERT_GT(cases.size(), 30u);
  for (const auto& [args, named] : cases) {
    try {
      ParseCommandLine(args);
      ADD_FAILURE() << "accepted: " << ::testing::PrintToString(args);
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
    }
  }
}

TEST(OpensWindow, NoArgumentsOrOnlyTheToolkitsOptions) {
  using Args = std::vector<std::string>;
  for (const Args& args :
       {Args{}, Args{"-platform", "offscreen"}, Args{"-style=fusion", "-reverse"},
        Args{"-geometry", "800x600+0+0", "-display", ":1"}, Args{"--"},
        Args{"-platform", "xcb", "--", "--json"}}) {
    EXPECT_TRUE(OpensWindow(args)) << ::testing::PrintToString(args);
  }
  // The value of a window option is not read as an option, and any other option is headless.
  for (const Args& args : {Args{"--json"}, Args{"-style", "fusion", "--text"},
                           Args{"--year", "2025", "--"}, Args{"-x"}}) {
    EXPECT_FALSE(OpensWindow(args)) << ::testing::PrintToString(args);
  }
  EXPECT_TRUE(OpensWindow({"-title", "--json"}));
}

// The headless entry point: values the parser reads but the library refuses, one line on stderr
// beginning "quillon: " and naming the option, exit status 2; help and version exit with 0.
TEST(QuillonMain, RejectedValuesExitWithTwo) {
  for (const auto& [option, value] :
       {std::pair{"--latitude", "90"}, std::pair{"--longitude", "180.5"},
        std::pair{"--height", "-1"}, std::pair{"--timezone", "12.5"},
        std::pair{"--delta-t", "259201"}, std::pair{"--delta-t", "-10.5"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(QuillonMain({"--json", option, value}, out, err), 2) << option;
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind(std::string("quillon: ") + option, 0), 0u) << err.str();
    EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << "one line: " << err.str();
  }
  std::ostringstream out, err;
  EXPECT_EQ(QuillonMain({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("--find KIND"), std::string::npos);
  EXPECT_EQ(QuillonMain({"--version"}, out, err), 0);
  EXPECT_NE(out.str().find("quillon "), std::string::npos);
  EXPECT_EQ(err.str(), "");
}

// A PDF year is drawn by the writer the program hands in, with the observer's time scale.
TEST(QuillonMain, PdfYearGoesThroughTheProgramsWriter) {
  std::ostringstream out, err;
  EXPECT_EQ(QuillonMain({"--year", "2024", "--format", "pdf"}, out, err), 2);
  EXPECT_EQ(err.str().rfind("quillon: --format", 0), 0u) << err.str();
  int year = 0;
  float zone = 0;
  const YearPdfWriter writer = [&](int y, const almacor::Settings& settings, std::ostream& to) {
    year = y;
    zone = settings.time.timeZone;
    to << "%PDF-";
  };
  std::ostringstream pdf;
  EXPECT_EQ(QuillonMain({"--year", "2033", "--format=pdf", "--timezone", "8"}, pdf, err, writer),
            0);
  EXPECT_EQ(year, 2033);
  EXPECT_EQ(zone, 8.0F);
  EXPECT_EQ(pdf.str(), "%PDF-");
}

// --events: JSON Lines sorted by time, the kinds asked for, the eclipse's local circumstances.
TEST(QuillonMain, EventsAsJsonLines) {
  std::ostringstream out, err;
  ASSERT_EQ(QuillonMain(
                {"--events", "--from", "2024-04-01", "--to", "2024-04-30", "--longitude", "-96.80",
                 "--latitude", "32.78", "--timezone", "-6", "--body", "Sun", "--altitude", "-6"},
                out, err),
            0)
      << err.str();
  std::vector<nlohmann::json> lines;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
  std::map<std::string, int> kinds;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ++kinds[lines[i]["kind"]];
    if (i > 0) {
      EXPECT_LE(lines[i - 1]["time"], lines[i]["time"]);
    }
  }
  EXPECT_EQ(kinds["moon-phase"], 4);
  EXPECT_EQ(kinds["lunar-apsis"], 2);
  EXPECT_EQ(kinds["altitude"], 58);  // civil dawn and dusk of April 1 … 29 (--to is 30 00:00)
  EXPECT_EQ(kinds["lunar-eclipse"], 0);
  const auto eclipse = std::find_if(lines.begin(), lines.end(),
                                    [](const auto& j) { return j["kind"] == "solar-eclipse"; });
  ASSERT_NE(eclipse, lines.end());
  const nlohmann::json& e = *eclipse;
  EXPECT_EQ(e["time"], "2024-04-08T12:43:10");
  EXPECT_EQ(e["global"]["type"], "total");
  EXPECT_EQ(e["local"]["type"], "total");
  EXPECT_EQ(e["local"]["maximum"], e["time"]);
  EXPECT_EQ(e["local"]["totalBegin"], "2024-04-08T12:41:17");
  EXPECT_GT(e["local"]["sunAltitude"]["maximum"].get<double>(), 60);
}

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
  // The keys of every object (tests/data/json_keys.tsv).
  for (const auto& row : almacor::ReadReferenceTable("json_keys.tsv", '\t')) {
    std::vector<nlohmann::json> objects;
    if (row[0] == "Planets/*")
      objects.assign(j["Planets"].begin(), j["Planets"].end());
    else
      objects = {row[0].empty() ? j : j.at(row[0])};
    for (const nlohmann::json& object : objects) EXPECT_EQ(Keys(object), Words(row[1])) << row[0];
  }
  EXPECT_EQ(j["DateTime"], "2024-03-20T12:00:00");
  EXPECT_EQ(j["DtEstimated"], true);
  EXPECT_EQ(j["Junichoku"], "定");
  EXPECT_EQ(j["Nijuhasshuku"], "壁");
  EXPECT_EQ(j["Senjitsu"], nlohmann::json::array({"天恩日"}));
  EXPECT_EQ(j["Wareki"], "令和6年3月20日");
  EXPECT_NEAR(j["JulianDay"].get<double>(), 2460389.625, 1e-9);
  for (const auto& planet : j["Planets"]) {
    EXPECT_TRUE(std::regex_match(planet["RiseTime"].get<std::string>(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)")));
  }
  // Venus two and a half months before its superior conjunction.
  EXPECT_NEAR(j["Planets"]["Venus"]["Magnitude"].get<double>(), -3.9, 0.1);
  EXPECT_NEAR(j["Planets"]["Venus"]["Illuminated"].get<double>(), 0.94, 0.01);
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

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("quillon-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "old.txt") << "old";
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Read(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  int FileCount() { return static_cast<int>(std::distance(fs::directory_iterator(dir), {})); }

  fs::path dir;
};

TEST_F(AtomicFile, ReplacesTheFileWholeWithTheUsualPermissions) {
  WriteFileAtomically((dir / "old.txt").string(), [](std::ostream& out) { out << "new"; });
  EXPECT_EQ(Read(dir / "old.txt"), "new");
  WriteFileAtomically((dir / "fresh.txt").string(), [](std::ostream& out) { out << "x"; });
  EXPECT_EQ(FileCount(), 2);  // no temporary file left
  const mode_t mask = umask(0);
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat((dir / "fresh.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(AtomicFile, AFailureLeavesTheOldFileAndNothingElse) {
  EXPECT_THROW(WriteFileAtomically((dir / "old.txt").string(),
                                   [](std::ostream& out) {
                                     out << "half";
                                     throw std::runtime_error("stopped");
                                   }),
               std::runtime_error);
  EXPECT_THROW(WriteFileAtomically(dir.string(), [](std::ostream&) {}), FileWriteError);
  EXPECT_THROW(WriteFileAtomically((dir / "none" / "x.txt").string(), [](std::ostream&) {}),
               FileWriteError);
  EXPECT_EQ(Read(dir / "old.txt"), "old");
  EXPECT_EQ(FileCount(), 1);
}

}  // namespace
}  // namespace quillon
