#include "ephemeris/moon_series.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "almacor/angles.h"
#include "ephemeris/moon_series_eval.h"
#include "ephemeris/sine_sums.h"

// The Moon's series are the hot path of every lunar computation (a new moon needs a few longitudes,
// a moonrise a few dozen terms per pass). They are evaluated with the vector kernels of
// sine_sums.h; with the polynomial sine and the interleaved sums they stay within 1e-11° of the
// term-by-term std::sin evaluation over 1900–2100 and within 1e-9° over the whole Date range
// (tested for every kernel).

namespace almacor::detail {
namespace {

using sine_sums::Reduce360;
using sine_sums::ToSoA;

constexpr auto kArgumentA = ToSoA(kMoonLongitudeArgumentTerms);
constexpr auto kLongitude = ToSoA(kMoonLongitudeTerms);
constexpr auto kArgumentB = ToSoA(kMoonLatitudeArgumentTerms);
constexpr auto kLatitude = ToSoA(kMoonLatitudeTerms);
constexpr auto kParallax = ToSoA(kMoonParallaxTerms);

// The series from their sums: `Sum(table, t, firstExtra)` is Σ amplitude·sin(phase + rate·t
// [+ firstExtra for the first row]) in degrees. A kernel instantiates these with its own Sum.
#define ALMACOR_MOON_SERIES_FROM_SUMS(Target, Sum)                                          \
  Target double Longitude(double t) {                                                       \
    const double a = Reduce360(Sum(kArgumentA, t, 0));                                      \
    const double mean = Reduce360(kMoonMeanLongitude + kMoonMeanLongitudeRate * t);         \
    return Reduce360(mean + Sum(kLongitude, t, a));                                         \
  }                                                                                         \
  Target double Latitude(double t) {                                                        \
    const double b = Reduce360(Sum(kArgumentB, t, 0));                                      \
    return Sum(kLatitude, t, b);                                                            \
  }                                                                                         \
  Target double Parallax(double t) { return kMoonParallaxConstant + Sum(kParallax, t, 0); } \
  Target MoonEclipticSeriesValue Ecliptic(double t) {                                       \
    const double a = Reduce360(Sum(kArgumentA, t, 0));                                      \
    const double b = Reduce360(Sum(kArgumentB, t, 0));                                      \
    const double mean = Reduce360(kMoonMeanLongitude + kMoonMeanLongitudeRate * t);         \
    return {Reduce360(mean + Sum(kLongitude, t, a)), Sum(kLatitude, t, b)};                 \
  }

// One term at a time.
namespace portable {

using sine_sums::portable::SumSines;

ALMACOR_MOON_SERIES_FROM_SUMS(, SumSines)

}  // namespace portable

#if defined(__SSE2__)

namespace sse2 {

using sine_sums::sse2::SumSines;

ALMACOR_MOON_SERIES_FROM_SUMS(, SumSines)

}  // namespace sse2

#endif

#if defined(ALMACOR_HAVE_AVX2_KERNELS)

namespace avx2 {

using sine_sums::avx2::SumSines;

ALMACOR_MOON_SERIES_FROM_SUMS(ALMACOR_TARGET_AVX2_FMA, SumSines)

}  // namespace avx2

#endif

#if defined(ALMACOR_HAVE_AVX512_KERNELS)

namespace avx512 {

using sine_sums::avx512::SumSines;

ALMACOR_MOON_SERIES_FROM_SUMS(ALMACOR_TARGET_AVX512, SumSines)

}  // namespace avx512

#endif

#undef ALMACOR_MOON_SERIES_FROM_SUMS

constexpr MoonSeriesKernel kKernels[] = {
#if defined(ALMACOR_HAVE_AVX512_KERNELS)
    {"avx512", avx512::Longitude, avx512::Latitude, avx512::Parallax, avx512::Ecliptic},
#endif
#if defined(ALMACOR_HAVE_AVX2_KERNELS)
    {"avx2", avx2::Longitude, avx2::Latitude, avx2::Parallax, avx2::Ecliptic},
#endif
#if defined(__SSE2__)
    {"sse2", sse2::Longitude, sse2::Latitude, sse2::Parallax, sse2::Ecliptic},
#endif
    {"portable", portable::Longitude, portable::Latitude, portable::Parallax, portable::Ecliptic},
};

std::span<const MoonSeriesKernel> AvailableKernels() {
  return std::span<const MoonSeriesKernel>(kKernels).subspan(sine_sums::UnsupportedWideKernels());
}

const MoonSeriesKernel& Active() {
  static const MoonSeriesKernel& kernel = AvailableKernels().front();
  return kernel;
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

std::span<const MoonSeriesKernel> MoonSeriesKernels() {
  static const std::span<const MoonSeriesKernel> kernels = AvailableKernels();
  return kernels;
}

double MoonLongitudeSeries(double t) { return Active().longitude(t); }
double MoonLatitudeSeries(double t) { return Active().latitude(t); }
double MoonParallaxSeries(double t) { return Active().parallax(t); }
MoonEclipticSeriesValue MoonEclipticSeries(double t) { return Active().ecliptic(t); }

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
