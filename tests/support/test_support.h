#pragma once

// Helpers shared by the library's tests.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

/// The comma-separated fields of each line of tests/data/`name`, less blank and comment (#) lines.
inline std::vector<std::vector<std::string>> ReadReferenceTable(const std::string& name) {
  std::ifstream in(std::string(ALMACOR_TEST_DATA_DIR) + "/" + name);
  EXPECT_TRUE(in) << "missing tests/data/" << name;
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, ',');) rows.back().push_back(field);
  }
  return rows;
}

/// Tokyo: 139.7447° E, 35.6544° N, `height` metres, UTC+9, estimated ΔT.
inline Settings Tokyo(double height = 0) {
  Settings s;
  s.observer = {139.7447, 35.6544, height};
  s.time.timeZone = 9;
  return s;
}

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
