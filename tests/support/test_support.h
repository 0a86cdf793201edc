#pragma once

// Helpers shared by the library's tests.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "almacor/date.h"
#include "almacor/error.h"
#include "almacor/settings.h"

namespace almacor {

/// The error number of the almacor::Error that `f()` raises, or 0 when it returns normally.
int ErrorNumberOf(auto&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

/// Expects each of `calls` to raise Error `error`, naming a failing case by its index.
inline void ExpectEachRaises(int error, const std::vector<std::function<void()>>& calls) {
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(ErrorNumberOf(calls[i]), error) << "case " << i;
  }
}

/// The fields, separated by `separator`, of each line of tests/data/`name`, less blank and comment
/// (#) lines and less the header: a first line without a digit names the columns.
inline std::vector<std::vector<std::string>> ReadReferenceTable(const std::string& name,
                                                                char separator = ',') {
  std::ifstream in(std::string(ALMACOR_TEST_DATA_DIR) + "/" + name);
  EXPECT_TRUE(in) << "missing tests/data/" << name;
  std::vector<std::vector<std::string>> rows;
  bool first = true;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (std::exchange(first, false) && line.find_first_of("0123456789") == std::string::npos)
      continue;
    std::stringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, separator);) rows.back().push_back(field);
  }
  return rows;
}

/// The numbers of the rows of a table whose first field is `kind` ("position", "rise", …).
inline std::vector<std::vector<double>> ReferenceRowsOf(const std::string& name,
                                                        const std::string& kind) {
  std::vector<std::vector<double>> rows;
  for (const auto& fields : ReadReferenceTable(name)) {
    if (fields[0] != kind) continue;
    rows.emplace_back();
    for (std::size_t i = 1; i < fields.size(); ++i) rows.back().push_back(std::stod(fields[i]));
  }
  return rows;
}

/// The local day count at zone 0 of a Julian day.
inline double DaysOfJulianDay(double jd) { return jd - 2415018.5; }

/// Zone 0 and ΔT fixed at 0: the local day count is then dynamical time, as the reference tables
/// of positions are keyed.
inline TimeScale DynamicalTime() { return TimeScale{0, false, 0}; }

/// |a − b| of two angles in degrees, across 0/360.
inline double AngleError(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

/// The largest error a reference test saw, and where, for its report.
template <typename Where = double>
struct LargestError {
  double value = 0;
  Where at{};
  void See(double error, const Where& where) {
    if (std::fabs(error) > std::fabs(value)) {
      value = error;
      at = where;
    }
  }
};

/// Japan Standard Time with the estimated ΔT.
inline constexpr TimeScale kJst{9, true, 0};

/// The local day count of noon on a civil date.
inline double Noon(int year, int month, int day) { return CivilToDays(year, month, day) + 0.5; }

/// The civil date and time written "yyyy-mm-dd", "yyyy-mm-dd hh", "yyyy-mm-dd hh:mm" or
/// "yyyy-mm-dd hh:mm:ss"; the parts not written are 0.
inline CivilDateTime CivilOf(const std::string& text) {
  CivilDateTime c{0, 0, 0, 0, 0, 0};
  EXPECT_GE(std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &c.year, &c.month, &c.day, &c.hour,
                        &c.minute, &c.second),
            3)
      << text;
  return c;
}

/// "yyyy-mm-dd" of the civil day holding the local day count `day`.
inline std::string IsoDate(double day) {
  const CivilDate c = DaysToCivilDate(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
  return text;
}

/// An observer at `latitude` and `longitude` (degrees, east positive), `height` metres, in the
/// zone `zone` hours east of Greenwich, with the estimated ΔT.
inline Settings Place(double latitude, double longitude, float zone, double height = 0) {
  Settings s;
  s.observer = {longitude, latitude, height};
  s.time.timeZone = zone;
  return s;
}

/// Tokyo: 139.7447° E, 35.6544° N, `height` metres, UTC+9, estimated ΔT.
inline Settings Tokyo(double height = 0) { return Place(35.6544, 139.7447, 9, height); }

/// A fixture whose tests start from the library-wide defaults (`Settings{}`) and leave
/// LibrarySettings() as they found it.
class LibrarySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = LibrarySettings();
    LibrarySettings() = Settings{};
  }
  void TearDown() override { LibrarySettings() = saved_; }

 private:
  Settings saved_;
};

}  // namespace almacor
