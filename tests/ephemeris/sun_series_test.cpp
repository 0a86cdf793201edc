#include "ephemeris/sun_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "ephemeris/sun_series_eval.h"

namespace almacor {
namespace {

// The library evaluates the series with its own sine and vector kernels; every kernel this
// processor runs must stay within 1e-9° of the plain term-by-term evaluation with std::sin over
// every era the library accepts.
TEST(SunSeries, FastEvaluationMatchesThePlainOne) {
  ASSERT_FALSE(detail::SunSeriesKernels().empty());
  for (const detail::SunSeriesKernel& kernel : detail::SunSeriesKernels()) {
    double worstLongitude = 0, worstDistance = 0;
    for (double t = -8000; t <= 8000; t += 0.7771) {
      worstLongitude = std::fmax(
          worstLongitude, std::fabs(kernel.longitude(t) - detail::SunLongitudeSeriesReference(t)));
      worstDistance = std::fmax(worstDistance, std::fabs(kernel.distanceLog(t) -
                                                         detail::SunDistanceLogSeriesReference(t)));
    }
    EXPECT_LT(worstLongitude, 1e-9) << kernel.name;
    EXPECT_LT(worstDistance, 1e-12) << kernel.name;
    std::printf(
        "[sun series] %s kernel, largest difference from std::sin: %.1e deg, %.1e in log10 r\n",
        kernel.name, worstLongitude, worstDistance);
  }
  EXPECT_EQ(detail::SunLongitudeSeries(1.5), detail::SunSeriesKernels().front().longitude(1.5));
}

// Checksums that catch a dropped, doubled or mistyped row: counts, and the sums of each column.
TEST(SunSeries, ColumnChecksums) {
  double amplitudes = 0, phases = 0, rates = 0;
  for (const auto& term : detail::kSunLongitudeTerms) {
    amplitudes += term.amplitude;
    phases += term.phase;
    rates += term.rate;
  }
  EXPECT_EQ(detail::kSunLongitudeTerms.size(), 19u);
  EXPECT_NEAR(amplitudes,
              1.9146 + 0.0200 + 0.0048 + 0.0020 + 0.0036 + 0.0015 + 0.0013 + 0.0008 + 0.0014 +
                  0.0006 + 0.0010 + 0.0012 + 0.0006,
              1e-12);
  EXPECT_NEAR(phases, 4284.838, 1e-9);
  EXPECT_NEAR(rates, 10158.163, 1e-9);
  amplitudes = phases = rates = 0;
  for (const auto& term : detail::kSunDistanceTerms) {
    amplitudes += term.amplitude;
    phases += term.phase;
    rates += term.rate;
  }
  EXPECT_EQ(detail::kSunDistanceTerms.size(), 5u);
  EXPECT_NEAR(amplitudes, 0.007256 + 0.000091 + 0.000013 + 0.000007 + 0.000007, 1e-15);
  EXPECT_NEAR(phases, 970.44, 1e-9);
  EXPECT_NEAR(rates, 6312.6525, 1e-9);
}

}  // namespace
}  // namespace almacor
