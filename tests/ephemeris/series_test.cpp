// The series tables and their evaluation: checksums that catch a dropped, doubled or mistyped row
// (term counts and column sums), and every fast kernel against the plain term-by-term evaluation
// with std::sin.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "almacor/planet.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/moon_series.h"
#include "ephemeris/moon_series_eval.h"
#include "ephemeris/planet_series.h"
#include "ephemeris/planet_series_eval.h"
#include "ephemeris/sun_series.h"
#include "ephemeris/sun_series_eval.h"

namespace almacor {
namespace {

using namespace detail;

// The sum of one column of a series table.
template <class Table, class Row = typename Table::value_type>
double Sum(const Table& table, double Row::*column) {
  double sum = 0;
  for (const Row& row : table) sum += row.*column;
  return sum;
}

TEST(SeriesTables, Checksums) {
  const auto sun = [](const auto& table, std::size_t count, double amplitudes, double phases,
                      double rates, const char* name) {
    EXPECT_EQ(table.size(), count) << name;
    EXPECT_NEAR(Sum(table, &SunTerm::amplitude), amplitudes, 1e-12) << name;
    EXPECT_NEAR(Sum(table, &SunTerm::phase), phases, 1e-9) << name;
    EXPECT_NEAR(Sum(table, &SunTerm::rate), rates, 1e-9) << name;
  };
  sun(kSunLongitudeTerms, 19, 1.9534, 4284.838, 10158.163, "Sun λ");
  sun(kSunDistanceTerms, 5, 0.007374, 970.44, 6312.6525, "Sun r");
  const auto moon = [](const auto& table, std::size_t count, double amplitudes, double phases,
                       double rates, const char* name) {
    EXPECT_EQ(table.size(), count) << name;
    EXPECT_NEAR(Sum(table, &MoonTerm::amplitude), amplitudes, 1e-12) << name;
    EXPECT_NEAR(Sum(table, &MoonTerm::phase), phases, 1e-9) << name;
    EXPECT_NEAR(Sum(table, &MoonTerm::rate), rates, 1e-8) << name;
  };
  moon(kMoonLongitudeArgumentTerms, 4, 0.0072, 299.5, 40.17, "Moon A");
  moon(kMoonLongitudeTerms, 63, 9.2102, 11286.896, 487554.3426, "Moon λ");
  moon(kMoonLatitudeArgumentTerms, 5, 0.0381, 1038.55, 78.771, "Moon B");
  moon(kMoonLatitudeTerms, 47, 6.0842, 8346.846, 431245.8226, "Moon β");
  moon(kMoonParallaxTerms, 37, 0.076208, 7567.833, 327056.0957, "Moon π");
  const auto planet = [](const auto& table, std::size_t count, double amplitudes,
                         double amplitudeRates, double rates, const char* name) {
    EXPECT_EQ(table.size(), count) << name;
    EXPECT_NEAR(Sum(table, &PlanetTerm::amplitude), amplitudes, 1e-9) << name;
    EXPECT_NEAR(Sum(table, &PlanetTerm::amplitudeRate), amplitudeRates, 1e-12) << name;
    EXPECT_NEAR(Sum(table, &PlanetTerm::rate), rates, 1e-8) << name;
  };
  planet(kMercuryLongitudeTerms, 23, 27.4687, 2.9e-05, 96053.279663, "Mercury L");
  planet(kMercuryLatitudeTerms, 17, 9.9732, 2.7e-05, 82209.96976, "Mercury B");
  planet(kMercuryRadiusTerms, 6, 0.087776, 1e-07, 31389.23195, "Mercury r");
  planet(kVenusLongitudeTerms, 13, 0.8412, 5.4e-05, 7835.6341, "Venus L");
  planet(kVenusLatitudeTerms, 4, 3.4404, 1e-05, 3511.09912, "Venus B");
  planet(kVenusRadiusTerms, 5, 0.00495, 3.4e-07, 3436.3081, "Venus r");
  planet(kMarsLongitudeTerms, 31, 11.4412, 0.000117, 7529.04169, "Mars L");
  planet(kMarsLatitudeTerms, 6, 2.199, -7e-06, 2105.43385, "Mars B");
  planet(kMarsRadiusTerms, 13, 0.14924, 1.52e-06, 3992.41179, "Mars r");
  planet(kJupiterLongitudeTerms, 25, 5.90237, 0.0004398, 1525.7609626, "Jupiter L");
  planet(kJupiterLatitudeTerms, 18, 1.37088, 0.0002432, 965.7493233, "Jupiter B");
  planet(kJupiterRadiusTerms, 23, 0.263566, 9.78e-06, 1354.81134, "Jupiter r");
  planet(kNeptuneLongitudeTerms, 8, 1.00222, 0.0007331, 160.095904, "Neptune L");
  planet(kNeptuneLatitudeTerms, 5, 1.78366, 0, 74.0480706, "Neptune B");
  planet(kNeptuneRadiusTerms, 6, 0.271464, 9.784e-05, 109.47071, "Neptune r");
  planet(kPlutoLongitudeTerms, 8, 17.08976, 0, 175.21475553, "Pluto L");
  planet(kPlutoLatitudeTerms, 8, 19.78839, 0, 119.79205318, "Pluto B");
  planet(kPlutoRadiusTerms, 9, 9.019395, 0.00010162, 188.167013, "Pluto r");
  planet(kSaturnAnomalyTerms, 46, 1.3134, 0.00086, 163.056, "Saturn M");
  planet(kSaturnDistanceTerms, 21, 0.002065, 3e-06, -292.625, "Saturn q");
  // The polynomial parts c0 + c1·t, summed over the eighteen series.
  double c0 = 0, c1 = 0;
  for (const PlanetPolynomial& p :
       {kMercuryLongitudePolynomial, kMercuryLatitudePolynomial, kMercuryRadiusPolynomial,
        kVenusLongitudePolynomial, kVenusLatitudePolynomial, kVenusRadiusPolynomial,
        kMarsLongitudePolynomial, kMarsLatitudePolynomial, kMarsRadiusPolynomial,
        kJupiterLongitudePolynomial, kJupiterLatitudePolynomial, kJupiterRadiusPolynomial,
        kNeptuneLongitudePolynomial, kNeptuneLatitudePolynomial, kNeptuneRadiusPolynomial,
        kPlutoLongitudePolynomial, kPlutoLatitudePolynomial, kPlutoRadiusPolynomial}) {
    c0 += p.c0;
    c1 += p.c1;
  }
  EXPECT_NEAR(c0, 1085.119757, 1e-9);
  EXPECT_NEAR(c1, 2305.70093855, 1e-9);
  // Uranus: one coefficient per term.
  EXPECT_EQ(kUranusLongitudeTerms.size(), 38u);
  EXPECT_EQ(kUranusLatitudeTerms.size(), 3u);
  EXPECT_EQ(kUranusRadiusTerms.size(), 13u);
  EXPECT_NEAR(Sum(kUranusLongitudeTerms, &UranusTerm::coefficient), 19916, 1e-9);
  EXPECT_NEAR(Sum(kUranusLatitudeTerms, &UranusTerm::coefficient), 3036, 1e-9);
  EXPECT_NEAR(Sum(kUranusRadiusTerms, &UranusTerm::coefficient), 18.25484, 1e-12);
}

// The polynomial sine against std::sin over several turns either side of 0 and at the large
// arguments the series reach (rate·T of a few million degrees), folds and quarter turns included.
TEST(FastSine, StaysWithinFiveUnitsOfE14OfStdSin) {
  const double pi = 3.14159265358979323846;
  double worst = 0;
  for (double x = -1080; x <= 1080; x += 0.37) {
    worst = std::fmax(worst, std::fabs(FastSineOfDegrees(x) - std::sin(x * pi / 180)));
  }
  for (double x : {0.0, 90.0, 180.0, 270.0, -90.0, 45.0, 2.5e6 + 90, -4.1e6 + 33.3}) {
    const double turns = x / 360 - std::floor(x / 360);
    worst = std::fmax(worst, std::fabs(FastSineOfDegrees(x) - std::sin(turns * 2 * pi)));
  }
  EXPECT_LT(worst, 5e-14);
  EXPECT_EQ(FastSineOfDegrees(90), FastSineOfDegrees(450));
#if defined(__SSE2__)
  // The vector form is the scalar one, two arguments at a time, to the last bit.
  for (double x = -7200; x <= 7200; x += 1.7) {
    alignas(16) double lanes[2];
    _mm_store_pd(lanes, FastSineOfDegrees(_mm_set_pd(x + 0.5, x)));
    EXPECT_EQ(lanes[0], FastSineOfDegrees(x)) << x;
    EXPECT_EQ(lanes[1], FastSineOfDegrees(x + 0.5)) << x;
  }
#endif
}

// Every Sun kernel this processor runs stays within 1e-9° (1e-12 in log10 r) of the plain
// evaluation over every era the library accepts.
TEST(SunSeries, FastEvaluationMatchesThePlainOne) {
  ASSERT_FALSE(SunSeriesKernels().empty());
  for (const SunSeriesKernel& kernel : SunSeriesKernels()) {
    double worstLongitude = 0, worstDistance = 0;
    for (double t = -8000; t <= 8000; t += 0.7771) {
      worstLongitude = std::fmax(worstLongitude,
                                 std::fabs(kernel.longitude(t) - SunLongitudeSeriesReference(t)));
      worstDistance = std::fmax(
          worstDistance, std::fabs(kernel.distanceLog(t) - SunDistanceLogSeriesReference(t)));
    }
    EXPECT_LT(worstLongitude, 1e-9) << kernel.name;
    EXPECT_LT(worstDistance, 1e-12) << kernel.name;
    std::printf("[sun series] %s kernel, largest difference: %.1e deg, %.1e in log10 r\n",
                kernel.name, worstLongitude, worstDistance);
  }
  EXPECT_EQ(SunLongitudeSeries(1.5), SunSeriesKernels().front().longitude(1.5));
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
    lambda.push_back(MoonLongitudeSeriesReference(t));
    beta.push_back(MoonLatitudeSeriesReference(t));
    parallax.push_back(MoonParallaxSeriesReference(t));
  }
  ASSERT_FALSE(MoonSeriesKernels().empty());
  for (const MoonSeriesKernel& kernel : MoonSeriesKernels()) {
    double worst = 0;
    for (std::size_t i = 0; i < ts.size(); ++i) {
      const double t = ts[i];
      const MoonEclipticSeriesValue e = kernel.ecliptic(t);
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
  EXPECT_EQ(MoonEclipticSeries(1.5).longitude, MoonLongitudeSeries(1.5));
  EXPECT_EQ(MoonLongitudeSeries(1.5), MoonSeriesKernels().front().longitude(1.5));
}

// Every kernel this processor runs against std::sin and std::cos in every term, at 20,000 random
// instants of the years 100–9999 for each planet: longitude and latitude within 1e-9°, the radius
// within 1e-12 au; the longitude alone is the full evaluation's.
TEST(PlanetSeries, FastEvaluationMatchesPlainEvaluationAtRandomInstants) {
  ASSERT_FALSE(PlanetSeriesKernels().empty());
  for (const PlanetSeriesKernel& kernel : PlanetSeriesKernels()) {
    std::mt19937_64 random(20240616);
    std::uniform_real_distribution<double> years(-1900, 8000);
    for (int p = plMercury; p <= plPluto; ++p) {
      const auto planet = static_cast<PlanetNameConstant>(p);
      double angle = 0, radius = 0;
      for (int i = 0; i < 20000; ++i) {
        const double t = years(random);
        const HeliocentricPosition fast = kernel.series(planet, t);
        const HeliocentricPosition plain = PlanetHeliocentricSeriesReference(planet, t);
        angle = std::max({angle, std::fabs(std::remainder(fast.longitude - plain.longitude, 360.0)),
                          std::fabs(fast.latitude - plain.latitude)});
        radius = std::max(radius, std::fabs(fast.distance - plain.distance));
        ASSERT_EQ(kernel.longitude(planet, t), fast.longitude);
      }
      EXPECT_LT(angle, 1e-9) << kernel.name << " planet " << p;
      EXPECT_LT(radius, 1e-12) << kernel.name << " planet " << p;
      std::printf("%s planet %d: fast vs plain series, largest difference %.2g° %.2g au\n",
                  kernel.name, p, angle, radius);
    }
  }
  EXPECT_EQ(PlanetHeliocentricSeries(plMars, 1.5).longitude,
            PlanetSeriesKernels().front().series(plMars, 1.5).longitude);
}

}  // namespace
}  // namespace almacor
