#include "ephemeris/moon_series.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "almacor/angles.h"
#include "ephemeris/moon_series_eval.h"

// The Moon's series are the hot path of every lunar computation (a new moon needs a few longitudes,
// a moonrise a few dozen terms per pass). They are evaluated here as a vector loop over a
// structure-of-arrays copy of each table, four terms at a time, with a polynomial sine:
//   x = phase + rate·T                   (degrees, as in the plain form)
//   f = x/360 − round(x/360)             (the Normalize360 reduction, in turns, −0.5 <= f <= 0.5)
//   f folded into −0.25 … 0.25           (sin(π − a) = sin a)
//   sin(2π·f) by an odd polynomial of degree 17 (relative error below 1e-15 … 5e-14).
// Only SSE2-level operations are needed (add, multiply, min, max); the rounding uses the 1.5·2^52
// constant, so no floor instruction is required. GCC/Clang vector extensions keep it portable.

namespace almacor::detail {
namespace {

using Vec4 = double __attribute__((vector_size(32)));
constexpr std::size_t kLanes = 4;

template <std::size_t N>
struct SoATable {
  static constexpr std::size_t kBlocks = (N + kLanes - 1) / kLanes;
  // Padding terms have amplitude 0 and contribute exactly 0.
  alignas(32) double amplitude[kBlocks * kLanes]{};
  alignas(32) double phase[kBlocks * kLanes]{};
  alignas(32) double rate[kBlocks * kLanes]{};
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

// Σ amplitude·sin(Normalize360(phase + rate·t [+ firstExtra for the first row])·π/180).
template <std::size_t N>
double SumSines(const SoATable<N>& table, double t, double firstExtra) {
  // (Vector values are kept inside this function: passing them by value would depend on the ABI.)
  const Vec4 vt = {t, t, t, t};
  const Vec4 inv360 = {1.0 / 360, 1.0 / 360, 1.0 / 360, 1.0 / 360};
  constexpr double kRound = 6755399441055744.0;  // 1.5·2^52: x + kRound − kRound rounds x
  const Vec4 magic = {kRound, kRound, kRound, kRound};
  const Vec4 half = {0.5, 0.5, 0.5, 0.5};
  Vec4 sum = {0, 0, 0, 0};
  for (std::size_t b = 0; b < SoATable<N>::kBlocks; ++b) {
    const std::size_t i = b * kLanes;
    Vec4 phase, rate, amplitude;
    std::memcpy(&phase, table.phase + i, sizeof phase);
    std::memcpy(&rate, table.rate + i, sizeof rate);
    std::memcpy(&amplitude, table.amplitude + i, sizeof amplitude);
    Vec4 x = phase + rate * vt;
    if (b == 0) x += Vec4{firstExtra, 0, 0, 0};
    const Vec4 turns = x * inv360;
    Vec4 f = turns - ((turns + magic) - magic);
    const Vec4 upper = half - f;  // sin(2π(0.5 − f)) = sin(2πf)
    f = f < upper ? f : upper;
    const Vec4 lower = -half - f;  // sin(2π(−0.5 − f)) = sin(2πf)
    f = f > lower ? f : lower;
    const Vec4 f2 = f * f;
    Vec4 p = f2 * kSine[8] + kSine[7];
    for (int k = 6; k >= 0; --k) p = p * f2 + kSine[k];
    sum += amplitude * (p * f);
  }
  return (sum[0] + sum[1]) + (sum[2] + sum[3]);
}

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
