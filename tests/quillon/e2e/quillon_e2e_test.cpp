// Runs the built quillon binary headless, with no display and no Qt platform set, and checks what
// it prints and its exit status.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>

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

std::size_t LineCount(const std::string& text, const std::string& end) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(end, at)) != std::string::npos; at += end.size()) {
    ++count;
  }
  EXPECT_EQ(text.substr(text.size() - std::min(text.size(), end.size())), end) << "no line end";
  return count;
}

// Each option's run: the exit status and a pattern searched for in stdout (status 0) or stderr.
// A failing run prints nothing on stdout and one line on stderr.
TEST(QuillonHeadless, OptionsOutputAndExitStatus) {
  struct Case {
    QStringList args;
    int exitCode;
    const char* pattern;
  };
  const QString noDir = QDir::temp().filePath(QStringLiteral("quillon-no-such-dir/x.csv"));
  const Case cases[] = {
      // The time zone is written as the decimal that was passed, not its float expansion.
      {{"--json", "--at", "2024-01-01", "--timezone", "5.3"}, 0, R"("TimeZone":5\.3,)"},
      // --text is the copy text with every column.
      {{"--text", "--at", "2024-03-20 12:00:05"},
       0,
       "^2024年3月20日12時0分5秒\r\n地方平時\t12:19:04\r\n(.+\r\n){7}"
       "\t赤経\t赤緯\t黄経\t黄緯\t離角\t距離\t視半径\t方位角\t高度\t出\t正中\t没\r\n"
       "太陽\t.+\r\n(.+\r\n){8}冥王星(\t[^\t\r\n]+){12}\r\n$"},
      {{"--latitude", "35"}, 0, "^(.+\r\n){20}$"},  // options without a mode: the text for now
      // Without a display the window names every option that needs none.
      {{}, 1, "^quillon: no display .*--json, --text, --find(, | and )--year"},
      // "--" ends the options; a window option does nothing without the window.
      {{"--json", "--at", "2024-01-01", "--"}, 0, R"(^\{"DateTime":"2024-01-01T00:00:00")"},
      {{"--json", "--", "--text"}, 2, "^quillon: unexpected argument '--text'"},
      {{"-style", "fusion", "--json"}, 2, "^quillon: -style: a window option"},
      // New moons of 2024 (JST): 01-11 20:57, 02-10 07:59, 03-10 18:00.
      {{"--find", "next-new-moon", "--count", "3", "--at", "2024-01-01"},
       0,
       R"(^2024-01-11T20:5\d:\d\d\n2024-02-10T07:5\d:\d\d\n2024-03-10T18:\d\d:\d\d\n$)"},
      // The total solar eclipse of 2024-04-08 (new moon 18:21 UT), the annular one of 2024-10-02
      // (18:49 UT) and before them the annular one of 2023-10-14 (17:55 UT).
      {{"--find", "next-solar-eclipse", "--count", "2", "--at", "2024-01-01", "--timezone", "0"},
       0,
       R"(^2024-04-08T18:\d\d:\d\d\n2024-10-02T18:\d\d:\d\d\n$)"},
      {{"--find", "previous-solar-eclipse", "--at", "2024-04-01", "--timezone", "0"},
       0,
       R"(^2023-10-14T17:\d\d:\d\d\n$)"},
      // The penumbral eclipse of 2024-03-25 never touches the umbra; the partial one of 09-18 does.
      {{"--find", "next-lunar-eclipse", "--at", "2024-01-01", "--timezone", "0"},
       0,
       R"(^2024-09-18T02:\d\d:\d\d\n$)"},
      // Ahead from before the first new moon, the first new moon (TD) is the answer.
      {{"--find", "next-new-moon", "--at", "0100-01-20", "--timezone", "0", "--delta-t", "100"},
       0,
       "^0100-01-27T02:35:28\n$"},
      {{"--find", "next-new-moon", "--at", "9999-12-31"}, 3, "^quillon: no later new moon in the"},
      {{"--find", "previous-lunar-eclipse", "--at", "0100-02-01"},
       3,
       "^quillon: no earlier lunar eclipse in the supported range\n$"},
      {{"--nope"}, 2, "^quillon: .*'--nope'"},
      {{"--help"}, 0, "Usage: quillon"},
      {{"--year", "2024"},
       0,
       "^日付,.+\r\n2024-01-01,月,11月20日,赤口,甲子,一白水星,06:50,11:44,16:38,"},
      {{"--year", "2024", "--output", noDir}, 2, "^quillon: --output: "},
      {{"--year", "2024", "--output", QDir::tempPath()}, 2, "^quillon: --output: "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Outcome run = Quillon(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    const std::string& shown = c.exitCode == 0 ? run.out : run.err;
    EXPECT_TRUE(std::regex_search(shown, std::regex(c.pattern))) << shown;
    if (c.exitCode == 0) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(LineCount(run.err, "\n"), 1u) << run.err;
    }
  }
}

// Output that cannot be written is an error in every mode; a reader that stops early is not.
TEST(QuillonHeadless, StandardOutputFailures) {
  for (const QStringList& args : {QStringList{"--year", "2025"}, QStringList{"--json"},
                                  QStringList{"--find", "next-new-moon"}, QStringList{"--help"}}) {
    SCOPED_TRACE(args.join(' ').toStdString());
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(QUILLON_BINARY), args);
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "quillon: cannot write to standard output\n");
  }

  QProcess quillon, head;
  quillon.setStandardOutputProcess(&head);
  head.start(QStringLiteral("head"), {QStringLiteral("-c"), QStringLiteral("10")});
  quillon.start(QStringLiteral(QUILLON_BINARY),
                {"--json", "--from", "2024-01-01", "--to", "2024-12-31", "--step", "1h"});
  ASSERT_TRUE(head.waitForFinished(120000));
  ASSERT_TRUE(quillon.waitForFinished(120000));
  EXPECT_EQ(head.readAllStandardOutput().toStdString(), R"({"DateTime)");
  EXPECT_EQ(quillon.readAllStandardError().toStdString(), "");
}

// A refused year leaves an existing file alone; a written one is whole (the atomic writing itself
// is tested in process).
TEST(QuillonHeadless, YearFilesAndJsonLines) {
  QTemporaryDir dir;
  const QString existing = dir.filePath("old.csv");
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
  }
  EXPECT_EQ(Quillon({"--year", "10000", "--output", existing}).exitCode, 2);
  const QString target = dir.filePath("2024.ics");
  ASSERT_EQ(Quillon({"--year", "2024", "--format", "ics", "--output", target}).exitCode, 0);
  QFile old(existing), ics(target);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly) && ics.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "old");
  EXPECT_TRUE(ics.readAll().endsWith("END:VCALENDAR\r\n"));

  const Outcome json = Quillon({"--year", "2024", "--format", "json", "--timezone", "9"});
  ASSERT_EQ(LineCount(json.out, "\n"), 366u);
  std::istringstream lines(json.out);
  std::string line;
  for (int day = 0; day <= 203; ++day) std::getline(lines, line);  // 2024-07-22
  const nlohmann::json day = nlohmann::json::parse(line);
  EXPECT_EQ(day["date"], "2024-07-22");
  EXPECT_EQ(day["solarTerm"]["name"], "大暑");
  EXPECT_EQ(day["solarTerm"]["kind"], "中気");
  const nlohmann::json newYear = nlohmann::json::parse(json.out.substr(0, json.out.find('\n')));
  EXPECT_EQ(newYear["junichoku"], "建");
  EXPECT_EQ(newYear["nijuhasshuku"], "畢");
  EXPECT_EQ(newYear["senjitsu"],
            nlohmann::json::array({"天赦日", "一粒万倍日", "天恩日", "甲子の日"}));
  EXPECT_EQ(newYear["wareki"], "令和6年1月1日");
  const Outcome meiji = Quillon({"--year", "1872", "--format", "json"});
  EXPECT_EQ(nlohmann::json::parse(meiji.out.substr(0, meiji.out.find('\n')))["wareki"], nullptr);
}

TEST(QuillonHeadless, YearCalendarAsPdfWithoutADisplay) {
  QTemporaryDir dir;
  const QString target = dir.filePath("2024.pdf");
  const Outcome run = Quillon({"--year", "2024", "--format", "pdf", "--output", target});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  QFile pdf(target);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const std::string bytes = pdf.readAll().toStdString();
  EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
  // Twelve page objects, the Japanese font embedded.
  const std::regex page(R"(/Type\s*/Page[^s])");
  EXPECT_EQ(
      std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()),
      12);
  EXPECT_NE(bytes.find("/FontFile2"), std::string::npos);
}

}  // namespace
