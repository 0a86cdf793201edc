#include "ephemeris/moon_series.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "almacor/angles.h"
#include "ephemeris/moon_series_eval.h"

// The Moon's series are the hot path of every lunar computation (a new moon needs a few longitudes,
// a moonrise a few dozen terms per pass). They are evaluated here as a vector loop over a
// structure-of-arrays copy of each table, four terms at a time, with a polynomial sine:
//   x = phase + rate·T                   (degrees, as in the plain form)
//   f = x/360 − round(x/360)             (the Normalize360 reduction, in turns, −0.5 <= f <= 0.5)
//   f folded into −0.25 … 0.25           (sin(π − a) = sin a)
//   sin(2π·f) by an odd polynomial of degree 17 (error at most 4e-14, at a quarter turn).
// The terms go into four interleaved partial sums rather than one running sum in table order; with
// the polynomial this stays within 1e-11° of the term-by-term std::sin evaluation over 1900–2100
// and within 1e-9° over the whole Date range (tested). Only SSE2-level operations are needed (add,
// multiply, min, max); the rounding uses the 1.5·2^52 constant, so no floor instruction is
// required. SSE2 (the x86-64 baseline) is used directly; other targets run the same arithmetic one
// term at a time.

namespace almacor::detail {
namespace {

constexpr std::size_t kLanes = 4;  // terms per block: two SSE2 registers of two doubles

template <std::size_t N>
struct SoATable {
  static constexpr std::size_t kBlocks = (N + kLanes - 1) / kLanes;
  // Padding terms have amplitude 0 and contribute exactly 0.
  alignas(16) double amplitude[kBlocks * kLanes]{};
  alignas(16) double phase[kBlocks * kLanes]{};
  alignas(16) double rate[kBlocks * kLanes]{};
};

template <std::size_t N>
constexpr SoATable<N> ToSoA(const std::array<MoonTerm, N>& rows) {
  SoATable<N> table;
  for (std::size_t i = 0; i < N; ++i) {
    table.amplitude[i] = rows[i].amplitude;
    table.phase[i] = rows[i].phase;
    table.rate[i] = rows[i].rate;
  }
  return table;
}

constexpr auto kArgumentA = ToSoA(kMoonLongitudeArgumentTerms);
constexpr auto kLongitude = ToSoA(kMoonLongitudeTerms);
constexpr auto kArgumentB = ToSoA(kMoonLatitudeArgumentTerms);
constexpr auto kLatitude = ToSoA(kMoonLatitudeTerms);
constexpr auto kParallax = ToSoA(kMoonParallaxTerms);

// Taylor coefficients of sin(2π·f) in f: (−1)^k (2π)^(2k+1)/(2k+1)!. At |f| = 0.25 (a quarter
// turn) the first omitted term is (π/2)^19/19! = 4e-14.
constexpr std::array<double, 9> SineCoefficients() {
  std::array<double, 9> c{};
  const double w = 2 * 3.14159265358979323846;
  double term = w;  // w^(2k+1)/(2k+1)!
  for (int k = 0; k < 9; ++k) {
    c[k] = (k % 2 == 0) ? term : -term;
    term = term * w * w / ((2 * k + 2) * (2 * k + 3));
  }
  return c;
}
constexpr std::array<double, 9> kSine = SineCoefficients();

constexpr double kRound = 6755399441055744.0;  // 1.5·2^52: x + kRound − kRound rounds x

#if defined(__SSE2__)

// sin(2π·f) of two arguments in degrees x: reduction to a turn, fold, polynomial.
inline __m128d SineOfDegrees(__m128d x) {
  const __m128d turns = _mm_mul_pd(x, _mm_set1_pd(1.0 / 360));
  const __m128d magic = _mm_set1_pd(kRound);
  __m128d f = _mm_sub_pd(turns, _mm_sub_pd(_mm_add_pd(turns, magic), magic));
  const __m128d half = _mm_set1_pd(0.5);
  f = _mm_min_pd(f, _mm_sub_pd(half, f));  // sin(2π(0.5 − f)) = sin(2πf)
  f = _mm_max_pd(f, _mm_sub_pd(_mm_sub_pd(_mm_setzero_pd(), half), f));  // and −0.5 − f
  const __m128d f2 = _mm_mul_pd(f, f);
  __m128d p = _mm_add_pd(_mm_mul_pd(_mm_set1_pd(kSine[8]), f2), _mm_set1_pd(kSine[7]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[6]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[5]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[4]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[3]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[2]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[1]));
  p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(kSine[0]));
  return _mm_mul_pd(p, f);
}

// Σ amplitude·sin(Normalize360(phase + rate·t [+ firstExtra for the first row])·π/180).
template <std::size_t N>
double SumSines(const SoATable<N>& table, double t, double firstExtra) {
  const __m128d vt = _mm_set1_pd(t);
  __m128d sum0 = _mm_setzero_pd(), sum1 = _mm_setzero_pd();
  for (std::size_t b = 0; b < SoATable<N>::kBlocks; ++b) {
    const std::size_t i = b * kLanes;
    __m128d x0 =
        _mm_add_pd(_mm_load_pd(table.phase + i), _mm_mul_pd(_mm_load_pd(table.rate + i), vt));
    const __m128d x1 = _mm_add_pd(_mm_load_pd(table.phase + i + 2),
                                  _mm_mul_pd(_mm_load_pd(table.rate + i + 2), vt));
    if (b == 0) x0 = _mm_add_pd(x0, _mm_set_pd(0, firstExtra));
    sum0 = _mm_add_pd(sum0, _mm_mul_pd(_mm_load_pd(table.amplitude + i), SineOfDegrees(x0)));
    sum1 = _mm_add_pd(sum1, _mm_mul_pd(_mm_load_pd(table.amplitude + i + 2), SineOfDegrees(x1)));
  }
  alignas(16) double lanes[4];
  _mm_store_pd(lanes, sum0);
  _mm_store_pd(lanes + 2, sum1);
  return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
}

#else

// The same arithmetic one term at a time, for targets without SSE2.
template <std::size_t N>
double SumSines(const SoATable<N>& table, double t, double firstExtra) {
  double sum = 0;
  for (std::size_t i = 0; i < SoATable<N>::kBlocks * kLanes; ++i) {
    const double x = table.phase[i] + table.rate[i] * t + (i == 0 ? firstExtra : 0.0);
    const double turns = x * (1.0 / 360);
    double f = turns - ((turns + kRound) - kRound);
    f = std::max(std::min(f, 0.5 - f), -0.5 - f);
    const double f2 = f * f;
    double p = kSine[8];
    for (int k = 7; k >= 0; --k) p = p * f2 + kSine[k];
    sum += table.amplitude[i] * (p * f);
  }
  return sum;
}

#endif

template <std::size_t N>
double SumSinesReference(const std::array<MoonTerm, N>& rows, double t, double firstExtra,
                         double start) {
  double sum = start;
  for (std::size_t i = 0; i < N; ++i) {
    const double x = rows[i].phase + rows[i].rate * t + (i == 0 ? firstExtra : 0.0);
    sum += rows[i].amplitude * std::sin(Normalize360(x) * kRad);
  }
  return sum;
}

}  // namespace

double MoonLongitudeSeries(double t) {
  const double a = Normalize360(SumSines(kArgumentA, t, 0));
  const double mean = Normalize360(kMoonMeanLongitude + kMoonMeanLongitudeRate * t);
  return Normalize360(mean + SumSines(kLongitude, t, a));
}

double MoonLatitudeSeries(double t) {
  const double b = Normalize360(SumSines(kArgumentB, t, 0));
  return SumSines(kLatitude, t, b);
}

double MoonParallaxSeries(double t) { return kMoonParallaxConstant + SumSines(kParallax, t, 0); }

double MoonLongitudeSeriesReference(double t) {
  const double a = Normalize360(SumSinesReference(kMoonLongitudeArgumentTerms, t, 0, 0));
  const double mean = Normalize360(kMoonMeanLongitude + kMoonMeanLongitudeRate * t);
  return Normalize360(SumSinesReference(kMoonLongitudeTerms, t, a, mean));
}

double MoonLatitudeSeriesReference(double t) {
  const double b = Normalize360(SumSinesReference(kMoonLatitudeArgumentTerms, t, 0, 0));
  return SumSinesReference(kMoonLatitudeTerms, t, b, 0);
}

double MoonParallaxSeriesReference(double t) {
  return SumSinesReference(kMoonParallaxTerms, t, 0, kMoonParallaxConstant);
}

}  // namespace almacor::detail
