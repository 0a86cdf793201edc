#include "almacor/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>

#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
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

TEST_F(CalendarTest, NewCalendarHoldsZerosUntilTheFirstCalculation) {
  Calendar c;
  EXPECT_EQ(c.QYear(), 0);
  EXPECT_EQ(c.JulianDay(), 0);
  EXPECT_EQ(c.IslamicYear(), 0);
  EXPECT_EQ(c.MayaLong(), "");
  EXPECT_TRUE(c.DtEstimated());
  EXPECT_FALSE(c.Pause());
}

TEST_F(CalendarTest, SetterBoundsAndRejectionsChangeNothing) {
  Calendar c;
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsLatitude(90); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsLatitude(-90); }), kInvalidArgument);
  c.SetObsLatitude(89.999);
  EXPECT_EQ(c.ObsLatitude(), 89.999);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsLatitude(std::nan("")); }), kInvalidArgument);
  EXPECT_EQ(c.ObsLatitude(), 89.999);

  c.SetObsLongitude(180);
  c.SetObsLongitude(-180);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsLongitude(180.0001); }), kInvalidArgument);
  EXPECT_EQ(c.ObsLongitude(), -180);

  c.SetObsHeight(0);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsHeight(-0.1); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetObsHeight(HUGE_VAL); }), kInvalidArgument);
  EXPECT_EQ(c.ObsHeight(), 0);

  c.SetTimeZone(12);
  c.SetTimeZone(-12);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetTimeZone(12.5f); }), kInvalidArgument);
  EXPECT_EQ(c.TimeZone(), -12);

  c.SetDeltaT(259200);
  c.SetDeltaT(-10);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetDeltaT(259200.5); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetDeltaT(-10.5); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { c.SetDeltaT(std::nan("")); }), kInvalidArgument);
  EXPECT_EQ(LibrarySettings().time.deltaT, -10);
}

TEST_F(CalendarTest, JulianDayOfJ2000InTokyo) {
  Calendar c;
  c.SetTimeZone(9);
  c.SetDateTime(Date::FromCivil(2000, 1, 1, 21, 0, 0));
  EXPECT_DOUBLE_EQ(c.JulianDay(), 2451545.0);
  EXPECT_NEAR((c.JulianDayTD() - c.JulianDay()) * 86400, c.DeltaT(), 1e-4);
  EXPECT_NEAR(c.DeltaT(), 63.8, 0.1);
  EXPECT_EQ(c.DateTime().ToCivil(), (CivilDateTime{2000, 1, 1, 21, 0, 0}));
}

TEST_F(CalendarTest, PauseStoresInputsButKeepsResults) {
  Calendar c;
  c.SetDateTime(Date::FromCivil(2000, 1, 1));
  const double jd = c.JulianDay();
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2001, 1, 1));
  EXPECT_EQ(c.DateTime().ToCivil().year, 2001);
  EXPECT_EQ(c.JulianDay(), jd);
  c.SetPause(false);
  EXPECT_EQ(c.JulianDay(), jd);  // unpausing does not recalculate by itself
  c.Calculate();
  EXPECT_DOUBLE_EQ(c.JulianDay(), jd + 366);
}

TEST_F(CalendarTest, JulianDayTDFollowsTheStoredJulianDayWhilePaused) {
  // JulianDayTD is the stored JulianDay plus the ΔT in effect, so the two always differ by
  // exactly DeltaT, also while a paused Calendar keeps its last results.
  Calendar c;
  c.SetDtEstimated(false);
  c.SetDeltaT(120);
  c.SetDateTime(Date::FromCivil(2000, 1, 1));
  const double jd = c.JulianDay();
  c.SetPause(true);
  c.SetDateTime(Date::FromCivil(2001, 1, 1));
  EXPECT_EQ(c.JulianDay(), jd);
  EXPECT_DOUBLE_EQ(c.JulianDayTD(), jd + 120 / 86400.0);
  // Before the first calculation JulianDay is 0, and so is JulianDayTD but for the ΔT.
  Calendar fresh;
  EXPECT_DOUBLE_EQ(fresh.JulianDayTD(), 120 / 86400.0);
}

TEST_F(CalendarTest, TwoCalendarsShareTheLibrarySettings) {
  Calendar a, b;
  a.SetTimeZone(9);
  EXPECT_EQ(b.TimeZone(), 9);
  b.SetObsLatitude(35);
  EXPECT_EQ(a.ObsLatitude(), 35);
  a.SetDtEstimated(false);
  EXPECT_FALSE(b.DtEstimated());
}

TEST_F(CalendarTest, ChildrenAreTheSameObjectEveryTime) {
  Calendar c;
  EXPECT_EQ(&c.Sun(), &c.Sun());
  EXPECT_EQ(&c.Moon(), &c.Moon());
  EXPECT_EQ(&c.Planet(), &c.Planet());
  EXPECT_EQ(&c.Math(), &c.Math());
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
  EXPECT_EQ(c.DeltaT(), 31);
}

TEST_F(CalendarTest, SiderealTimeLocalMinusGreenwichIsTheLongitude) {
  Calendar c;
  c.SetObsLongitude(-120.5);
  c.SetTimeZone(-8);
  c.SetDateTime(Date::FromCivil(2024, 7, 1, 22, 30, 0));
  const double diff = c.SiderealTime(LocalMean) - c.SiderealTime(GreenwichMean);
  EXPECT_NEAR(std::fmod(diff + 720, 360), 360 - 120.5, 1e-9);
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
