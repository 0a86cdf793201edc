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
#include <vector>

#include "test_support.h"

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

// Each run of tests/data/quillon_runs.tsv, and two unwritable outputs: the exit status and a
// pattern searched for in stdout (status 0) or stderr. A failing run prints nothing on stdout and
// one line on stderr.
TEST(QuillonHeadless, OptionsOutputAndExitStatus) {
  struct Case {
    QStringList args;
    int exitCode;
    std::string pattern;
  };
  std::vector<Case> cases = {
      {{"--year", "2024", "--output", QDir::temp().filePath("quillon-no-such-dir/x.csv")},
       2,
       "^quillon: --output: "},
      {{"--year", "2024", "--output", QDir::tempPath()}, 2, "^quillon: --output: "}};
  for (const auto& row : almacor::ReadReferenceTable("quillon_runs.tsv", '\t')) {
    QStringList args;
    for (std::size_t i = 2; i < row.size(); ++i) args << QString::fromStdString(row[i]);
    cases.push_back({args, std::stoi(row[0]), row[1]});
  }
  ASSERT_GT(cases.size(), 15u);
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
