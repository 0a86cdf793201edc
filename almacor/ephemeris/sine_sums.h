#pragma once

// Sums of sine terms Σ amplitude·sin(phase + rate·T), degrees, over a structure-of-arrays copy of a
// series table, with the polynomial sine of fast_sine.h (x = phase + rate·T as in a plain
// evaluation: a multiply and an add, never fused, so that x is the plain form's to the last bit;
// a file that uses these kernels is compiled with -ffp-contract=off). The terms go into interleaved
// partial sums rather than one running sum in table order. One kernel per instruction set, each
// doing the same arithmetic: eight lanes of AVX-512 or four of AVX2, with fused multiply-adds in
// the polynomial and the sums, for processors that have them (UnsupportedWideKernels tells);
// two lanes of SSE2 (the x86-64 baseline); one term at a time elsewhere. A series built on them
// instantiates its functions once per kernel, with the kernel's target attribute, and picks the
// widest the processor runs.

#include <array>
#include <cmath>
#include <cstddef>

#include "ephemeris/fast_sine.h"

namespace almacor::detail::sine_sums {

inline constexpr std::size_t kLanes = 4;  // terms per block: one AVX2 or two SSE2 registers

template <std::size_t N>
struct SoATable {
  static constexpr std::size_t kBlocks = (N + kLanes - 1) / kLanes;
  static constexpr bool kDrifts = false;
  static constexpr bool kCosines = false;
  // Padding terms have amplitude 0 and contribute exactly 0.
  alignas(64) double amplitude[kBlocks * kLanes]{};
  alignas(64) double phase[kBlocks * kLanes]{};
  alignas(64) double rate[kBlocks * kLanes]{};
};

/// A table whose amplitudes drift: each term is (amplitude + amplitudeRate·t)·sin(phase + rate·t),
/// or ·cos(phase + rate·t) when `Cosines`.
template <std::size_t N, bool Cosines>
struct DriftingSoATable : SoATable<N> {
  static constexpr bool kDrifts = true;
  static constexpr bool kCosines = Cosines;
  alignas(64) double amplitudeRate[SoATable<N>::kBlocks * kLanes]{};
};

/// The amplitude, phase and rate columns of `rows` from row `First` on.
template <std::size_t First = 0, class Row, std::size_t N>
constexpr SoATable<N - First> ToSoA(const std::array<Row, N>& rows) {
  SoATable<N - First> table;
  for (std::size_t i = First; i < N; ++i) {
    table.amplitude[i - First] = rows[i].amplitude;
    table.phase[i - First] = rows[i].phase;
    table.rate[i - First] = rows[i].rate;
  }
  return table;
}

/// The rows of `rows` with their drifting amplitudes, summed with sines or cosines.
template <bool Cosines, class Row, std::size_t N>
constexpr DriftingSoATable<N, Cosines> ToDriftingSoA(const std::array<Row, N>& rows) {
  DriftingSoATable<N, Cosines> table;
  for (std::size_t i = 0; i < N; ++i) {
    table.amplitude[i] = rows[i].amplitude;
    table.amplitudeRate[i] = rows[i].amplitudeRate;
    table.phase[i] = rows[i].phase;
    table.rate[i] = rows[i].rate;
  }
  return table;
}

/// Normalize360's arithmetic, inlined into the kernels (the same result to the last bit).
inline double Reduce360(double a) {
  const double r = (a / 360 - std::floor(a / 360)) * 360;
  return r >= 360 ? 0 : r;
}

// In each namespace, SumSines(table, t, firstExtra) is Σ amplitude·sin(phase + rate·t
// [+ firstExtra for the first row]); in a drifting table the amplitude drifts by amplitudeRate·t,
// and the sine may be a cosine (of x divided by 360, as the scalar cosine reduces it: the planets'
// arguments reach 10^7 degrees, where multiplying by 1/360 would cost 1e-9°).

namespace portable {

template <class Table>
inline double SumSines(const Table& table, double t, double firstExtra) {
  double sum = 0;
  for (std::size_t i = 0; i < Table::kBlocks * kLanes; ++i) {
    const double x = table.phase[i] + table.rate[i] * t + (i == 0 ? firstExtra : 0.0);
    double amplitude = table.amplitude[i];
    if constexpr (Table::kDrifts) amplitude += table.amplitudeRate[i] * t;
    sum += amplitude * (Table::kCosines ? FastCosineOfDegrees(x) : FastSineOfDegrees(x));
  }
  return sum;
}

}  // namespace portable

#if defined(__SSE2__)

namespace sse2 {

template <class Table>
inline __m128d Trig(__m128d x) {
  if constexpr (Table::kCosines) {
    return FastCosineOfDegrees(x);
  } else {
    return FastSineOfDegrees(x);
  }
}

template <class Table>
inline __m128d AmplitudeAt(const Table& table, std::size_t i, __m128d vt) {
  const __m128d amplitude = _mm_load_pd(table.amplitude + i);
  if constexpr (Table::kDrifts) {
    return _mm_add_pd(amplitude, _mm_mul_pd(_mm_load_pd(table.amplitudeRate + i), vt));
  } else {
    return amplitude;
  }
}

template <class Table>
inline double SumSines(const Table& table, double t, double firstExtra) {
  const __m128d vt = _mm_set1_pd(t);
  __m128d sum0 = _mm_setzero_pd(), sum1 = _mm_setzero_pd();
  for (std::size_t b = 0; b < Table::kBlocks; ++b) {
    const std::size_t i = b * kLanes;
    __m128d x0 =
        _mm_add_pd(_mm_load_pd(table.phase + i), _mm_mul_pd(_mm_load_pd(table.rate + i), vt));
    const __m128d x1 = _mm_add_pd(_mm_load_pd(table.phase + i + 2),
                                  _mm_mul_pd(_mm_load_pd(table.rate + i + 2), vt));
    if (b == 0) x0 = _mm_add_pd(x0, _mm_set_pd(0, firstExtra));
    sum0 = _mm_add_pd(sum0, _mm_mul_pd(AmplitudeAt(table, i, vt), Trig<Table>(x0)));
    sum1 = _mm_add_pd(sum1, _mm_mul_pd(AmplitudeAt(table, i + 2, vt), Trig<Table>(x1)));
  }
  alignas(16) double lanes[4];
  _mm_store_pd(lanes, sum0);
  _mm_store_pd(lanes + 2, sum1);
  return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
}

}  // namespace sse2

#endif

#if defined(ALMACOR_HAVE_AVX2_KERNELS)

namespace avx2 {

template <class Table>
ALMACOR_TARGET_AVX2_FMA inline __m256d Trig(__m256d x) {
  if constexpr (Table::kCosines) {
    return FastCosineOfDegrees(x);
  } else {
    return FastSineOfDegrees(x);
  }
}

template <class Table>
ALMACOR_TARGET_AVX2_FMA inline __m256d AmplitudeAt(const Table& table, std::size_t i, __m256d vt) {
  const __m256d amplitude = _mm256_load_pd(table.amplitude + i);
  if constexpr (Table::kDrifts) {
    return _mm256_fmadd_pd(_mm256_load_pd(table.amplitudeRate + i), vt, amplitude);
  } else {
    return amplitude;
  }
}

// Two accumulators, so that consecutive blocks' multiply-adds do not wait on each other.
template <class Table>
ALMACOR_TARGET_AVX2_FMA inline double SumSines(const Table& table, double t, double firstExtra) {
  const __m256d vt = _mm256_set1_pd(t);
  __m256d sum0 = _mm256_setzero_pd(), sum1 = _mm256_setzero_pd();
  for (std::size_t b = 0; b < Table::kBlocks; ++b) {
    const std::size_t i = b * kLanes;
    __m256d x = _mm256_add_pd(_mm256_load_pd(table.phase + i),
                              _mm256_mul_pd(_mm256_load_pd(table.rate + i), vt));
    if (b == 0) x = _mm256_add_pd(x, _mm256_set_pd(0, 0, 0, firstExtra));
    const __m256d term = Trig<Table>(x);
    if (b % 2 == 0) {
      sum0 = _mm256_fmadd_pd(AmplitudeAt(table, i, vt), term, sum0);
    } else {
      sum1 = _mm256_fmadd_pd(AmplitudeAt(table, i, vt), term, sum1);
    }
  }
  const __m256d sum = _mm256_add_pd(sum0, sum1);
  const __m128d low = _mm256_castpd256_pd128(sum), high = _mm256_extractf128_pd(sum, 1);
  const __m128d pairs = _mm_add_pd(_mm_unpacklo_pd(low, high), _mm_unpackhi_pd(low, high));
  return _mm_cvtsd_f64(_mm_add_sd(pairs, _mm_unpackhi_pd(pairs, pairs)));
}

}  // namespace avx2

#endif

#if defined(ALMACOR_HAVE_AVX512_KERNELS)

namespace avx512 {

// Two blocks per register; an odd last block is loaded under a mask (the lanes past the table read
// as 0 and are never touched in memory).
template <class Table>
ALMACOR_TARGET_AVX512 inline double SumSines(const Table& table, double t, double firstExtra) {
  constexpr std::size_t kBlocks = Table::kBlocks;
  const __m512d vt = _mm512_set1_pd(t);
  __m512d sum0 = _mm512_setzero_pd(), sum1 = _mm512_setzero_pd();
  for (std::size_t b = 0; b < kBlocks; b += 2) {
    const std::size_t i = b * kLanes;
    const __mmask8 lanes = b + 1 < kBlocks ? 0xFF : 0x0F;
    __m512d x = _mm512_add_pd(_mm512_maskz_load_pd(lanes, table.phase + i),
                              _mm512_mul_pd(_mm512_maskz_load_pd(lanes, table.rate + i), vt));
    if (b == 0) x = _mm512_add_pd(x, _mm512_set_pd(0, 0, 0, 0, 0, 0, 0, firstExtra));
    const __m512d term = Table::kCosines ? FastCosineOfDegrees(x) : FastSineOfDegrees(x);
    __m512d amplitude = _mm512_maskz_load_pd(lanes, table.amplitude + i);
    if constexpr (Table::kDrifts) {
      amplitude =
          _mm512_fmadd_pd(_mm512_maskz_load_pd(lanes, table.amplitudeRate + i), vt, amplitude);
    }
    if (b % 4 == 0) {
      sum0 = _mm512_fmadd_pd(amplitude, term, sum0);
    } else {
      sum1 = _mm512_fmadd_pd(amplitude, term, sum1);
    }
  }
  return _mm512_reduce_add_pd(_mm512_add_pd(sum0, sum1));
}

}  // namespace avx512

#endif

/// How many of the widest kernels, in the order AVX-512, AVX2, this processor cannot run: a list
/// of a series' kernels from the widest down starts this many entries later.
inline std::size_t UnsupportedWideKernels() {
#if defined(ALMACOR_HAVE_AVX2_KERNELS)
  __builtin_cpu_init();
  if (!(__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))) return 2;
  if (!__builtin_cpu_supports("avx512f")) return 1;
#endif
  return 0;
}

}  // namespace almacor::detail::sine_sums
