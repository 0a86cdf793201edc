#include "ephemeris/moon_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "almacor/angles.h"
#include "ephemeris/moon_series_eval.h"

namespace almacor {
namespace {

template <class Table>
double AmplitudeSum(const Table& table) {
  return std::accumulate(table.begin(), table.end(), 0.0,
                         [](double s, const detail::MoonTerm& term) { return s + term.amplitude; });
}

template <class Table>
double RateSum(const Table& table) {
  return std::accumulate(table.begin(), table.end(), 0.0,
                         [](double s, const detail::MoonTerm& term) { return s + term.rate; });
}

// Term counts and sums of the amplitudes, phases and rates as tabulated: a dropped, doubled or
// mistyped row changes one of them.
TEST(MoonSeries, TableChecksums) {
  EXPECT_EQ(detail::kMoonLongitudeArgumentTerms.size(), 4u);
  EXPECT_NEAR(AmplitudeSum(detail::kMoonLongitudeArgumentTerms), 0.0072, 1e-12);
  EXPECT_EQ(detail::kMoonLongitudeTerms.size(), 63u);
  EXPECT_NEAR(AmplitudeSum(detail::kMoonLongitudeTerms), 9.2102, 1e-12);
  EXPECT_EQ(detail::kMoonLatitudeArgumentTerms.size(), 5u);
  EXPECT_NEAR(AmplitudeSum(detail::kMoonLatitudeArgumentTerms), 0.0381, 1e-12);
  EXPECT_EQ(detail::kMoonLatitudeTerms.size(), 47u);
  EXPECT_NEAR(AmplitudeSum(detail::kMoonLatitudeTerms), 6.0842, 1e-12);
  EXPECT_EQ(detail::kMoonParallaxTerms.size(), 37u);
  EXPECT_NEAR(AmplitudeSum(detail::kMoonParallaxTerms), 0.076208, 1e-12);
}

// The rates that differ in their last digit between the series stay apart.
TEST(MoonSeries, EachSeriesKeepsItsOwnRates) {
  EXPECT_EQ(detail::kMoonLongitudeTerms[1].rate, 4133.3536);
  EXPECT_EQ(detail::kMoonParallaxTerms[1].rate, 4133.3535);
  EXPECT_EQ(detail::kMoonLongitudeTerms[3].rate, 9543.9773);
  EXPECT_EQ(detail::kMoonParallaxTerms[3].rate, 9543.9774);
}

// At T = 0 every argument is its phase.
TEST(MoonSeries, AtEpochEveryArgumentIsItsPhase) {
  double a = 0;
  for (const auto& term : detail::kMoonLongitudeArgumentTerms) {
    a += term.amplitude * std::sin(term.phase * kRad);
  }
  double lambda = 218.3161;
  for (std::size_t i = 0; i < detail::kMoonLongitudeTerms.size(); ++i) {
    const auto& term = detail::kMoonLongitudeTerms[i];
    lambda += term.amplitude * std::sin(Normalize360(term.phase + (i == 0 ? a : 0)) * kRad);
  }
  EXPECT_NEAR(detail::MoonLongitudeSeries(0), Normalize360(lambda), 1e-12);
}

double AngleDifference(double a, double b) { return std::remainder(a - b, 360.0); }

// The vector evaluation stays within 1e-9° of the term-by-term std::sin evaluation, from the year
// 100 to 9999 (T = ±8000 years) and densely over 1900–2100.
TEST(MoonSeries, FastEvaluationMatchesPlainEvaluation) {
  double worstLongitude = 0, worstLatitude = 0, worstParallax = 0;
  auto check = [&](double t) {
    worstLongitude = std::max(worstLongitude,
                              std::fabs(AngleDifference(detail::MoonLongitudeSeries(t),
                                                        detail::MoonLongitudeSeriesReference(t))));
    worstLatitude = std::max(worstLatitude, std::fabs(detail::MoonLatitudeSeries(t) -
                                                      detail::MoonLatitudeSeriesReference(t)));
    worstParallax = std::max(worstParallax, std::fabs(detail::MoonParallaxSeries(t) -
                                                      detail::MoonParallaxSeriesReference(t)));
  };
  for (int i = 0; i <= 200000; ++i) check(-100 + 200.0 * i / 200000 + 1e-7 * (i % 7));
  for (int i = 0; i <= 20000; ++i) check(-1900 + 9900.0 * i / 20000);
  RecordProperty("worst_longitude", std::to_string(worstLongitude));
  EXPECT_LT(worstLongitude, 1e-9);
  EXPECT_LT(worstLatitude, 1e-9);
  EXPECT_LT(worstParallax, 1e-9);
  std::printf(
      "fast vs plain, largest difference: longitude %.3g°, latitude %.3g°, parallax %.3g°\n",
      worstLongitude, worstLatitude, worstParallax);
}

}  // namespace
}  // namespace almacor
