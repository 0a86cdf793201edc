#include "almacor/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "almacor/error.h"
#include "test_support.h"

namespace almacor {
namespace {

// The number arguments of ZodiacalName and KyuseiName are Integers (16-bit), like every other
// Integer of the interface.
static_assert(std::is_same_v<decltype(&Calendar::ZodiacalName),
                             std::string (Calendar::*)(std::int16_t, ZodiacalConstants) const>);
static_assert(std::is_same_v<decltype(&Calendar::KyuseiName),
                             std::string (Calendar::*)(std::int16_t, bool) const>);

// Each test starts from the library-wide defaults and restores them afterwards.
using CalendarTest = LibrarySettingsTest;

// Each setter takes its bounds and refuses beyond them with Error 5, leaving the setting as it was.
TEST_F(CalendarTest, SetterBoundsAndRejectionsChangeNothing) {
  Calendar c;
  const double nan = std::nan("");
  const auto check = [](const char* name, auto set, auto get, double accepted,
                        std::initializer_list<double> rejected) {
    set(accepted);
    for (double x : rejected) {
      EXPECT_EQ(ErrorNumberOf([&] { set(x); }), kInvalidArgument) << name << " " << x;
      EXPECT_EQ(get(), accepted) << name << " " << x;
    }
  };
  check(
      "latitude", [&](double x) { c.SetObsLatitude(x); }, [&] { return c.ObsLatitude(); }, 89.999,
      {90, -90, nan});
  check(
      "longitude", [&](double x) { c.SetObsLongitude(x); }, [&] { return c.ObsLongitude(); }, -180,
      {180.0001, -180.0001, nan});
  check(
      "height", [&](double x) { c.SetObsHeight(x); }, [&] { return c.ObsHeight(); }, 0,
      {-0.1, HUGE_VAL, nan});
  check(
      "zone", [&](double x) { c.SetTimeZone(static_cast<float>(x)); }, [&] { return c.TimeZone(); },
      -12, {12.5, -12.5});
  check(
      "ΔT", [&](double x) { c.SetDeltaT(x); }, [&] { return LibrarySettings().time.deltaT; }, -10,
      {259200.5, -10.5, nan});
  // The other bounds themselves are accepted.
  EXPECT_NO_THROW(c.SetObsLongitude(180));
  EXPECT_NO_THROW(c.SetTimeZone(12));
  EXPECT_NO_THROW(c.SetDeltaT(259200));
}

// A paused Calendar stores its inputs but keeps its results; JulianDayTD is the stored JulianDay
// plus the ΔT in effect, so the two always differ by exactly DeltaT, also while paused.
TEST_F(CalendarTest, PauseStoresInputsButKeepsResults) {
  Calendar c;
  c.SetTimeZone(9);
  c.SetDtEstimated(false);
  c.SetDeltaT(120);
  c.SetDateTime(Date::FromCivil(2000, 1, 1, 21, 0, 0));
  const double jd = c.JulianDay();
  EXPECT_DOUBLE_EQ(jd, 2451545.0);
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2001, 1, 1, 21, 0, 0));
  EXPECT_EQ(c.DateTime().ToCivil().year, 2001);
  EXPECT_EQ(c.JulianDay(), jd);
  EXPECT_DOUBLE_EQ(c.JulianDayTD(), jd + 120 / 86400.0);
  c.SetPause(false);
  EXPECT_EQ(c.JulianDay(), jd);  // unpausing does not recalculate by itself
  c.Calculate();
  EXPECT_DOUBLE_EQ(c.JulianDay(), jd + 366);
  // Before the first calculation JulianDay is 0, and so is JulianDayTD but for the ΔT.
  EXPECT_DOUBLE_EQ(Calendar().JulianDayTD(), 120 / 86400.0);
}

TEST_F(CalendarTest, DeltaTRecalculatesOnlyWhenTheDeltaTInEffectChanges) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2000, 1, 1));
  c.SetDtEstimated(false);
  // The stored ΔT was 0, the estimate about 64 s: switching changes the ΔT in effect, so the
  // results must follow at once (no stale values computed with the estimate).
  EXPECT_EQ(c.DeltaT(), 0);
  EXPECT_DOUBLE_EQ(c.JulianDayTD(), c.JulianDay());
  // An equal DeltaT leaves everything as it is, even a paused-and-moved instant.
  c.SetDeltaT(30);
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2005, 1, 1));
  c.SetPause(false);
  const double jd = c.JulianDay();
  c.SetDeltaT(30);
  EXPECT_EQ(c.JulianDay(), jd);
  c.SetDeltaT(31);
  EXPECT_NE(c.JulianDay(), jd);
}

TEST_F(CalendarTest, SiderealTimeLocalMinusGreenwichIsTheLongitude) {
  Calendar c;
  c.SetObsLongitude(-120.5);
  c.SetTimeZone(-8);
  c.SetDateTime(Date::FromCivil(2024, 7, 1, 22, 30, 0));
  const double diff = c.SiderealTime(LocalMean) - c.SiderealTime(GreenwichMean);
  EXPECT_NEAR(std::fmod(diff + 720, 360), 360 - 120.5, 1e-9);
  // Two calendars share the library-wide settings.
  EXPECT_EQ(Calendar().ObsLongitude(), -120.5);
  EXPECT_EQ(ErrorNumberOf([&] { c.SiderealTime(static_cast<SiderealTimeConstant>(4)); }),
            kInvalidArgument);
}

TEST_F(CalendarTest, LocationInputWithoutAnEditorIsNotConfirmed) {
  Calendar c;
  bool ok = true;
  c.LocationInput(ok);
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace almacor
