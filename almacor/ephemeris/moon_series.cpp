#include "ephemeris/moon_series.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "almacor/angles.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/moon_series_eval.h"

// The Moon's series are the hot path of every lunar computation (a new moon needs a few longitudes,
// a moonrise a few dozen terms per pass). They are evaluated here as a vector loop over a
// structure-of-arrays copy of each table, with the polynomial sine of fast_sine.h (x = phase +
// rate·T in degrees, as in the plain form: a multiply and an add, never fused, so that x is the
// plain form's to the last bit). The terms go into interleaved partial sums rather than one running
// sum in table order; with the polynomial this stays within 1e-11° of the term-by-term std::sin
// evaluation over 1900–2100 and within 1e-9° over the whole Date range (tested for every kernel).
// Four kernels do the same arithmetic: eight lanes of AVX-512 or four of AVX2, with fused
// multiply-adds in the polynomial and the sums, chosen at run time where the processor has them;
// two lanes of SSE2 (the x86-64 baseline); one term at a time elsewhere.

namespace almacor::detail {
namespace {

constexpr std::size_t kLanes = 4;  // terms per block: one AVX2 or two SSE2 registers

template <std::size_t N>
struct SoATable {
  static constexpr std::size_t kBlocks = (N + kLanes - 1) / kLanes;
  // Padding terms have amplitude 0 and contribute exactly 0.
  alignas(64) double amplitude[kBlocks * kLanes]{};
  alignas(64) double phase[kBlocks * kLanes]{};
  alignas(64) double rate[kBlocks * kLanes]{};
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

// Normalize360's arithmetic, inlined into the kernels (the same result to the last bit).
inline double Reduce360(double a) {
  const double r = (a / 360 - std::floor(a / 360)) * 360;
  return r >= 360 ? 0 : r;
}

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

template <std::size_t N>
double SumSines(const SoATable<N>& table, double t, double firstExtra) {
  double sum = 0;
  for (std::size_t i = 0; i < SoATable<N>::kBlocks * kLanes; ++i) {
    const double x = table.phase[i] + table.rate[i] * t + (i == 0 ? firstExtra : 0.0);
    sum += table.amplitude[i] * FastSineOfDegrees(x);
  }
  return sum;
}

ALMACOR_MOON_SERIES_FROM_SUMS(, SumSines)

}  // namespace portable

#if defined(__SSE2__)

namespace sse2 {

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
    sum0 = _mm_add_pd(sum0, _mm_mul_pd(_mm_load_pd(table.amplitude + i), FastSineOfDegrees(x0)));
    sum1 =
        _mm_add_pd(sum1, _mm_mul_pd(_mm_load_pd(table.amplitude + i + 2), FastSineOfDegrees(x1)));
  }
  alignas(16) double lanes[4];
  _mm_store_pd(lanes, sum0);
  _mm_store_pd(lanes + 2, sum1);
  return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
}

ALMACOR_MOON_SERIES_FROM_SUMS(, SumSines)

}  // namespace sse2

#endif

#if defined(ALMACOR_HAVE_AVX2_KERNELS)

namespace avx2 {

// Two accumulators, so that consecutive blocks' multiply-adds do not wait on each other.
template <std::size_t N>
ALMACOR_TARGET_AVX2_FMA inline double SumSines(const SoATable<N>& table, double t,
                                               double firstExtra) {
  const __m256d vt = _mm256_set1_pd(t);
  __m256d sum0 = _mm256_setzero_pd(), sum1 = _mm256_setzero_pd();
  for (std::size_t b = 0; b < SoATable<N>::kBlocks; ++b) {
    const std::size_t i = b * kLanes;
    __m256d x = _mm256_add_pd(_mm256_load_pd(table.phase + i),
                              _mm256_mul_pd(_mm256_load_pd(table.rate + i), vt));
    if (b == 0) x = _mm256_add_pd(x, _mm256_set_pd(0, 0, 0, firstExtra));
    const __m256d term = FastSineOfDegrees(x);
    if (b % 2 == 0) {
      sum0 = _mm256_fmadd_pd(_mm256_load_pd(table.amplitude + i), term, sum0);
    } else {
      sum1 = _mm256_fmadd_pd(_mm256_load_pd(table.amplitude + i), term, sum1);
    }
  }
  const __m256d sum = _mm256_add_pd(sum0, sum1);
  const __m128d low = _mm256_castpd256_pd128(sum), high = _mm256_extractf128_pd(sum, 1);
  const __m128d pairs = _mm_add_pd(_mm_unpacklo_pd(low, high), _mm_unpackhi_pd(low, high));
  return _mm_cvtsd_f64(_mm_add_sd(pairs, _mm_unpackhi_pd(pairs, pairs)));
}

ALMACOR_MOON_SERIES_FROM_SUMS(ALMACOR_TARGET_AVX2_FMA, SumSines)

}  // namespace avx2

#endif

#if defined(ALMACOR_HAVE_AVX512_KERNELS)

namespace avx512 {

// Two blocks per register; an odd last block is loaded under a mask (the lanes past the table read
// as 0 and are never touched in memory).
template <std::size_t N>
ALMACOR_TARGET_AVX512 inline double SumSines(const SoATable<N>& table, double t,
                                             double firstExtra) {
  constexpr std::size_t kBlocks = SoATable<N>::kBlocks;
  const __m512d vt = _mm512_set1_pd(t);
  __m512d sum0 = _mm512_setzero_pd(), sum1 = _mm512_setzero_pd();
  for (std::size_t b = 0; b < kBlocks; b += 2) {
    const std::size_t i = b * kLanes;
    const __mmask8 lanes = b + 1 < kBlocks ? 0xFF : 0x0F;
    __m512d x = _mm512_add_pd(_mm512_maskz_load_pd(lanes, table.phase + i),
                              _mm512_mul_pd(_mm512_maskz_load_pd(lanes, table.rate + i), vt));
    if (b == 0) x = _mm512_add_pd(x, _mm512_set_pd(0, 0, 0, 0, 0, 0, 0, firstExtra));
    const __m512d term = FastSineOfDegrees(x);
    const __m512d amplitude = _mm512_maskz_load_pd(lanes, table.amplitude + i);
    if (b % 4 == 0) {
      sum0 = _mm512_fmadd_pd(amplitude, term, sum0);
    } else {
      sum1 = _mm512_fmadd_pd(amplitude, term, sum1);
    }
  }
  return _mm512_reduce_add_pd(_mm512_add_pd(sum0, sum1));
}

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
  std::size_t first = 0;
#if defined(ALMACOR_HAVE_AVX2_KERNELS)
  __builtin_cpu_init();
  if (!__builtin_cpu_supports("avx512f")) first = 1;
  if (!(__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))) first = 2;
#endif
  return std::span<const MoonSeriesKernel>(kKernels).subspan(first);
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
