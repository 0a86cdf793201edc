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

// Every kernel this processor runs (the one the library picked and the narrower ones), the fused
// longitude and latitude included, stays within 1e-9° of the term-by-term std::sin evaluation:
// densely over 1900–2100 and at 20,000 random instants of the years 100–9999 (T = ±8000 years,
// where the arguments reach 2e8° and one rounding of x/360 is worth a few 1e-10°).
TEST(MoonSeries, EveryKernelMatchesPlainEvaluation) {
  std::mt19937_64 random(20240615);
  std::uniform_real_distribution<double> years(-1900, 8000);  // T of 0100-01-01 … 9999-12-31
  std::vector<double> ts;
  for (int i = 0; i <= 20000; ++i) ts.push_back(-100 + 200.0 * i / 20000 + 1e-7 * (i % 7));
  for (int i = 0; i < 20000; ++i) ts.push_back(years(random));
  std::vector<double> lambda, beta, parallax;
  for (double t : ts) {
    lambda.push_back(detail::MoonLongitudeSeriesReference(t));
    beta.push_back(detail::MoonLatitudeSeriesReference(t));
    parallax.push_back(detail::MoonParallaxSeriesReference(t));
  }
  ASSERT_FALSE(detail::MoonSeriesKernels().empty());
  for (const detail::MoonSeriesKernel& kernel : detail::MoonSeriesKernels()) {
    double worst = 0;
    for (std::size_t i = 0; i < ts.size(); ++i) {
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
  // The library's entry points are the picked kernel.
  EXPECT_EQ(detail::MoonEclipticSeries(1.5).longitude, detail::MoonLongitudeSeries(1.5));
  EXPECT_EQ(detail::MoonLongitudeSeries(1.5), detail::MoonSeriesKernels().front().longitude(1.5));
}

}  // namespace
}  // namespace almacor
