#include "ephemeris/moon_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

#include "almacor/angles.h"
#include "ephemeris/moon_series_eval.h"

namespace almacor {
namespace {

// The sum of one column of a series table.
template <class Table>
double ColumnSum(const Table& table, double detail::MoonTerm::*column) {
  return std::accumulate(table.begin(), table.end(), 0.0,
                         [&](double s, const detail::MoonTerm& term) { return s + term.*column; });
}

// Term counts and sums of the amplitudes, phases and rates as tabulated: a dropped, doubled or
// mistyped row changes one of them.
TEST(MoonSeries, TableChecksums) {
  auto expect = [](const auto& table, std::size_t count, double amplitudes, double phases,
                   double rates, const char* name) {
    EXPECT_EQ(table.size(), count) << name;
    EXPECT_NEAR(ColumnSum(table, &detail::MoonTerm::amplitude), amplitudes, 1e-12) << name;
    EXPECT_NEAR(ColumnSum(table, &detail::MoonTerm::phase), phases, 1e-9) << name;
    EXPECT_NEAR(ColumnSum(table, &detail::MoonTerm::rate), rates, 1e-8) << name;
  };
  expect(detail::kMoonLongitudeArgumentTerms, 4, 0.0072, 299.5, 40.17, "A");
  expect(detail::kMoonLongitudeTerms, 63, 9.2102, 11286.896, 487554.3426, "longitude");
  expect(detail::kMoonLatitudeArgumentTerms, 5, 0.0381, 1038.55, 78.771, "B");
  expect(detail::kMoonLatitudeTerms, 47, 6.0842, 8346.846, 431245.8226, "latitude");
  expect(detail::kMoonParallaxTerms, 37, 0.076208, 7567.833, 327056.0957, "parallax");
}

// The vector evaluation stays within 1e-9° of the term-by-term std::sin evaluation, densely over
// 1900–2100 and sparsely from the year 100 to 9999 (T = ±8000 years, where the arguments reach 2e8°
// and one rounding of x/360 is worth a few 1e-10°).
TEST(MoonSeries, FastEvaluationMatchesPlainEvaluation) {
  struct Worst {
    double longitude = 0, latitude = 0, parallax = 0;
  };
  auto check = [](Worst& w, double t) {
    w.longitude = std::max(
        w.longitude,
        std::fabs(std::remainder(
            detail::MoonLongitudeSeries(t) - detail::MoonLongitudeSeriesReference(t), 360.0)));
    w.latitude = std::max(w.latitude, std::fabs(detail::MoonLatitudeSeries(t) -
                                                detail::MoonLatitudeSeriesReference(t)));
    w.parallax = std::max(w.parallax, std::fabs(detail::MoonParallaxSeries(t) -
                                                detail::MoonParallaxSeriesReference(t)));
  };
  Worst near, far;
  for (int i = 0; i <= 20000; ++i) check(near, -100 + 200.0 * i / 20000 + 1e-7 * (i % 7));
  for (int i = 0; i <= 10000; ++i) check(far, -1900 + 9900.0 * i / 10000);
  for (const Worst& w : {near, far}) {
    EXPECT_LT(w.longitude, 1e-9);
    EXPECT_LT(w.latitude, 1e-9);
    EXPECT_LT(w.parallax, 1e-9);
  }
  std::printf(
      "fast vs plain evaluation, largest difference 1900-2100: longitude %.2g°, latitude %.2g°, "
      "parallax %.2g°; 100-9999: %.2g°, %.2g°, %.2g°\n",
      near.longitude, near.latitude, near.parallax, far.longitude, far.latitude, far.parallax);
}

// Every kernel this processor runs (the one the library picked and the narrower ones) against the
// term-by-term evaluation at 20,000 random instants of the years 100–9999, the fused longitude
// and latitude included.
TEST(MoonSeries, EveryKernelMatchesPlainEvaluationAtRandomInstants) {
  constexpr int kInstants = 20000;
  std::mt19937_64 random(20240615);
  std::uniform_real_distribution<double> years(-1900, 8000);  // T of 0100-01-01 … 9999-12-31
  std::vector<double> ts(kInstants);
  std::vector<double> lambda(kInstants), beta(kInstants), parallax(kInstants);
  for (int i = 0; i < kInstants; ++i) {
    ts[i] = years(random);
    lambda[i] = detail::MoonLongitudeSeriesReference(ts[i]);
    beta[i] = detail::MoonLatitudeSeriesReference(ts[i]);
    parallax[i] = detail::MoonParallaxSeriesReference(ts[i]);
  }
  ASSERT_FALSE(detail::MoonSeriesKernels().empty());
  for (const detail::MoonSeriesKernel& kernel : detail::MoonSeriesKernels()) {
    double worst = 0;
    for (int i = 0; i < kInstants; ++i) {
      const double t = ts[i];
      const detail::MoonEclipticSeriesValue e = kernel.ecliptic(t);
      for (double error :
           {std::remainder(kernel.longitude(t) - lambda[i], 360.0),
            std::remainder(e.longitude - lambda[i], 360.0), kernel.latitude(t) - beta[i],
            e.latitude - beta[i], kernel.parallax(t) - parallax[i]}) {
        worst = std::max(worst, std::fabs(error));
      }
    }
    EXPECT_LT(worst, 1e-9) << kernel.name;
    std::printf("%s kernel: largest difference from the plain evaluation %.2g°\n", kernel.name,
                worst);
  }
  EXPECT_EQ(detail::MoonEclipticSeries(1.5).longitude, detail::MoonLongitudeSeries(1.5));
}

}  // namespace
}  // namespace almacor
