// Phenomena: the searches' chaining and directions, the crossings, and the arguments they refuse.
// Their values are held to an independent implementation in phenomena_reference_test.cpp.

#include "almacor/phenomena.h"

#include <gtest/gtest.h>

#include <vector>

#include "almacor/date.h"
#include "almacor/sun.h"
#include "test_support.h"

namespace almacor {
namespace {

constexpr double kSecond = 1.0 / 86400;

TEST(EclipseSearch, PreviousRetracesNextAndAFoundEclipseMovesOn) {
  const Settings tokyo = Tokyo();
  const double from = CivilToDays(2019, 1, 1), to = CivilToDays(2031, 1, 1);
  std::vector<double> solar, lunar;
  for (double t = from;;) {
    const SolarEclipse e = SearchSolarEclipse(t, SearchDirection::Next, tokyo);
    if (e.time() >= to) break;
    EXPECT_GE(e.time() - t, kSecond);
    solar.push_back(t = e.time());
  }
  for (double t = from;;) {
    const LunarEclipse e = SearchLunarEclipse(t, SearchDirection::Next, tokyo);
    if (e.maximum >= to) break;
    lunar.push_back(t = e.maximum);
  }
  EXPECT_EQ(solar.size(), 27u);
  EXPECT_EQ(lunar.size(), 28u);
  for (std::size_t i = solar.size() - 1; i > 0; --i) {
    EXPECT_EQ(SearchSolarEclipse(solar[i], SearchDirection::Previous, tokyo).time(), solar[i - 1]);
  }
  for (std::size_t i = lunar.size() - 1; i > 0; --i) {
    EXPECT_EQ(SearchLunarEclipse(lunar[i], SearchDirection::Previous, tokyo).maximum, lunar[i - 1]);
  }
}

TEST(EclipseSearch, ContactsAreOrderedAndMagnitudesMatchTheType) {
  Settings dallas;
  dallas.observer = {-96.80, 32.78, 0};
  dallas.time.timeZone = -6;
  const SolarEclipse s = SearchSolarEclipse(CivilToDays(2024, 4, 1), SearchDirection::Next, dallas);
  ASSERT_TRUE(s.local);
  const LocalSolarEclipse& l = *s.local;
  EXPECT_EQ(l.type, SolarEclipseType::Total);
  // The maximum in Dallas falls at 12:42:37 in zone −6, twenty minutes after the new moon.
  EXPECT_NEAR(l.maximum, CivilToDays(2024, 4, 8) + (12 + 42.6 / 60) / 24, 1.0 / 1440);
  EXPECT_LT(l.begin, *l.totalBegin);
  EXPECT_LT(*l.totalBegin, l.maximum);
  EXPECT_LT(l.maximum, *l.totalEnd);
  EXPECT_LT(*l.totalEnd, l.end);
  EXPECT_GT(l.magnitude, 1);
  EXPECT_EQ(l.obscuration, 1);

  const LunarEclipse m =
      SearchLunarEclipse(CivilToDays(2025, 9, 1), SearchDirection::Next, Tokyo());
  EXPECT_EQ(m.type, LunarEclipseType::Total);
  EXPECT_TRUE(m.visible);
  EXPECT_LT(m.penumbralBegin, *m.partialBegin);
  EXPECT_LT(*m.partialBegin, *m.totalBegin);
  EXPECT_LT(*m.totalEnd, *m.partialEnd);
  EXPECT_LT(*m.partialEnd, m.penumbralEnd);
  EXPECT_GT(m.umbralMagnitude, 1);
  EXPECT_GT(m.penumbralMagnitude, m.umbralMagnitude);
  // The next one, 2026-03-03, is seen from Tokyo too; the one after, 2026-08-28, is not.
  const LunarEclipse m2 = SearchLunarEclipse(m.maximum, SearchDirection::Next, Tokyo());
  EXPECT_TRUE(m2.visible);
  EXPECT_FALSE(SearchLunarEclipse(m2.maximum, SearchDirection::Next, Tokyo()).visible);
}

TEST(PlanetPhenomena, ConjunctionsAlternateForTheInnerPlanets) {
  const TimeScale ut;
  double t = CivilToDays(2020, 1, 1);
  ConjunctionType last = NextConjunction(plVenus, t, ut).type;
  for (int i = 0; i < 6; ++i) {
    const Conjunction c = NextConjunction(plVenus, t, ut);
    EXPECT_GT(c.time - t, 100) << "Venus's conjunctions lie months apart";
    if (i > 0) {
      EXPECT_NE(c.type, last);
    }
    last = c.type;
    t = c.time;
  }
  const Conjunction mars = NextConjunction(plMars, CivilToDays(2023, 1, 1), ut);
  EXPECT_EQ(mars.type, ConjunctionType::Conjunction);
  EXPECT_NEAR(mars.time, CivilToDays(2023, 11, 18), 1);
  EXPECT_NEAR(SunLongitudeAt(mars.time, ut), PlanetPositionAt(plMars, mars.time, ut).longitude,
              1e-4);
}

TEST(HorizonCrossings, SunAltitudeAndAzimuthOverAYear) {
  const Settings tokyo = Tokyo();
  const double from = CivilToDays(2024, 1, 1), to = CivilToDays(2025, 1, 1);
  const auto golden = AltitudeCrossings(SkyBody::Sun, 6, from, to, tokyo);
  ASSERT_EQ(golden.size(), 2u * 366);
  for (std::size_t i = 0; i < golden.size(); ++i) {
    EXPECT_EQ(golden[i].rising, i % 2 == 0);
    EXPECT_NEAR(SunHorizontalAt(golden[i].time, tokyo).altitude, 6, 0.005);  // a second's worth
  }
  // The Sun crosses the meridian due south once a day, at its culmination.
  const auto south = AzimuthCrossings(SkyBody::Sun, 180, from, to, tokyo);
  ASSERT_EQ(south.size(), 366u);
  for (const AzimuthCrossing& c : south) {
    const BodyEvent culmination = CalcSunEvent(SunEventCode::Culmination, c.time, tokyo);
    EXPECT_NEAR(c.time, culmination.time, 2 * kSecond);
  }
  // A value the Sun reaches only for a few minutes around the summer solstice noon.
  const auto high = AltitudeCrossings(SkyBody::Sun, 77.7, from, to, tokyo);
  EXPECT_GE(high.size(), 2u);
  EXPECT_EQ(high.size() % 2, 0u);
}

TEST(Phenomena, RefusedArguments) {
  const TimeScale ut;
  const Settings tokyo = Tokyo();
  ExpectEachRaises(
      kInvalidArgument,
      {[&] { NextOpposition(plVenus, 0, ut); }, [&] { NextGreatestElongation(plMars, 0, ut); },
       [&] { NextLunarApsis(NAN, ut); }, [&] { AltitudeCrossings(SkyBody::Moon, 91, 0, 1, tokyo); },
       [&] { AzimuthCrossings(SkyBody::Moon, 10, 1, 0, tokyo); },
       [&] { SearchSolarEclipse(INFINITY, SearchDirection::Next, tokyo); }});
  EXPECT_EQ(SkyBodyFromName("Saturn"), SkyBody::Saturn);
  EXPECT_FALSE(SkyBodyFromName("saturn"));
}

}  // namespace
}  // namespace almacor
