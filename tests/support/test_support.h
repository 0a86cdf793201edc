#pragma once

// Helpers shared by the library's tests.

#include <gtest/gtest.h>

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
