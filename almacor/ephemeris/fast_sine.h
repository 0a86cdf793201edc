#pragma once

// The polynomial sine of the Sun's and the Moon's series: sin(x·π/180) for an argument x in degrees
// (any finite value below 2^51 turns), in the same steps for one value and for two:
//   turns = x/360
//   f = turns − round(turns)       (the Normalize360 reduction, in turns, −0.5 <= f <= 0.5)
//   f folded into −0.25 … 0.25     (sin(2π(±0.5 − f)) = sin(2πf))
//   sin(2π·f) by an odd polynomial of degree 15 in f
// The rounding adds and subtracts 1.5·2^52, so no floor instruction is needed; the vector form uses
// only SSE2-level operations (add, multiply, min, max). Four-lane and eight-lane forms for
// processors with AVX2 and FMA or with AVX-512 (compiled for them by a target attribute, used only
// after a run-time check) take the same steps with fused multiply-adds in the polynomial. The
// polynomial is within 5e-16 of the sine; with the reduction the result is within 5e-14 of
// std::sin for the arguments the series reach.

#include <algorithm>
#include <array>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// GCC 12's AVX-512 intrinsics pass an undefined register as the unused source of their masked
// forms, which -Wuninitialized reports inside the compiler's own header.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
/// Functions compiled for AVX2 with FMA; call them only where the processor has both.
#define ALMACOR_TARGET_AVX2_FMA __attribute__((target("avx2,fma")))
#define ALMACOR_HAVE_AVX2_KERNELS 1
/// Functions compiled for AVX-512 (foundation); call them only where the processor has it.
#define ALMACOR_TARGET_AVX512 __attribute__((target("avx512f,avx2,fma")))
#define ALMACOR_HAVE_AVX512_KERNELS 1
#endif

namespace almacor::detail {

/// Coefficients of f, f³ … f¹⁵ of the odd polynomial closest to sin(2π·f) over |f| <= 1/4 in the
/// largest error (scripts/fast_sine_coefficients.py, a Remez exchange): 9e-17 before rounding,
/// within 5e-16 of the sine when evaluated in doubles.
inline constexpr std::array<double, 8> kFastSineCoefficients = {
    6.28318530717958,  -41.34170224039508,  81.6052492750263,   -76.70585964746968,
    42.05868830539558, -15.094471616749454, 3.8169974295671563, -0.6909358876280237,
};

// The polynomial in Horner's form runs from the top coefficient down from this index.
inline constexpr int kLastBelowTop = static_cast<int>(kFastSineCoefficients.size()) - 2;

/// 1.5·2^52: x + kRoundToWhole − kRoundToWhole rounds x (|x| < 2^51) to a whole number.
inline constexpr double kRoundToWhole = 6755399441055744.0;

/// sin(2π·f) for |f| <= 1/4: the polynomial in Horner's form.
inline double SinePolynomial(double f) {
  const double f2 = f * f;
  const auto& c = kFastSineCoefficients;
  double p = c.back();
  for (int k = kLastBelowTop; k >= 0; --k) p = p * f2 + c[k];
  return p * f;
}

/// sin(x·π/180) of one argument x in degrees.
inline double FastSineOfDegrees(double x) {
  const double turns = x * (1.0 / 360);
  double f = turns - ((turns + kRoundToWhole) - kRoundToWhole);
  f = std::max(std::min(f, 0.5 - f), -0.5 - f);
  return SinePolynomial(f);
}

/// cos(x·π/180) of one argument x in degrees, reduced as Normalize360 reduces it (x/360 divided,
/// not multiplied by 1/360: the planets' arguments reach 10^7 degrees, where the two differ by
/// 1e-9° of argument): cos(2π·f) = sin(2π·(1/4 − f)), folded into −1/4 … 1/4. Within 5e-14 of
/// std::cos.
inline double FastCosineOfDegrees(double x) {
  const double turns = x / 360;
  const double g = 0.25 - (turns - ((turns + kRoundToWhole) - kRoundToWhole));
  const double f = std::min(g, 0.5 - g);  // g >= −1/4 already
  return SinePolynomial(f);
}

#if defined(__SSE2__)

/// SinePolynomial of two arguments.
inline __m128d SinePolynomial(__m128d f) {
  const __m128d f2 = _mm_mul_pd(f, f);
  const auto& c = kFastSineCoefficients;
  __m128d p = _mm_set1_pd(c.back());
  for (int k = kLastBelowTop; k >= 0; --k) p = _mm_add_pd(_mm_mul_pd(p, f2), _mm_set1_pd(c[k]));
  return _mm_mul_pd(p, f);
}

/// sin(x·π/180) of two arguments x in degrees: the same steps as the scalar form.
inline __m128d FastSineOfDegrees(__m128d x) {
  const __m128d turns = _mm_mul_pd(x, _mm_set1_pd(1.0 / 360));
  const __m128d magic = _mm_set1_pd(kRoundToWhole);
  __m128d f = _mm_sub_pd(turns, _mm_sub_pd(_mm_add_pd(turns, magic), magic));
  const __m128d half = _mm_set1_pd(0.5);
  f = _mm_min_pd(f, _mm_sub_pd(half, f));
  f = _mm_max_pd(f, _mm_sub_pd(_mm_sub_pd(_mm_setzero_pd(), half), f));
  return SinePolynomial(f);
}

/// cos(x·π/180) of two arguments x in degrees: the steps of the scalar form (x/360 divided).
inline __m128d FastCosineOfDegrees(__m128d x) {
  const __m128d turns = _mm_div_pd(x, _mm_set1_pd(360));
  const __m128d magic = _mm_set1_pd(kRoundToWhole);
  const __m128d g =
      _mm_sub_pd(_mm_set1_pd(0.25), _mm_sub_pd(turns, _mm_sub_pd(_mm_add_pd(turns, magic), magic)));
  const __m128d f = _mm_min_pd(g, _mm_sub_pd(_mm_set1_pd(0.5), g));
  return SinePolynomial(f);
}

#endif

#if defined(ALMACOR_HAVE_AVX2_KERNELS)

/// SinePolynomial of four arguments, in fused multiply-adds (a rounding or two apart, ~1e-16).
ALMACOR_TARGET_AVX2_FMA inline __m256d SinePolynomial(__m256d f) {
  const __m256d f2 = _mm256_mul_pd(f, f);
  const auto& c = kFastSineCoefficients;
  __m256d p = _mm256_set1_pd(c.back());
  for (int k = kLastBelowTop; k >= 0; --k) p = _mm256_fmadd_pd(p, f2, _mm256_set1_pd(c[k]));
  return _mm256_mul_pd(p, f);
}

/// sin(x·π/180) of four arguments x in degrees: the reduction of the SSE2 form, to the last bit,
/// then the polynomial.
ALMACOR_TARGET_AVX2_FMA inline __m256d FastSineOfDegrees(__m256d x) {
  const __m256d turns = _mm256_mul_pd(x, _mm256_set1_pd(1.0 / 360));
  const __m256d magic = _mm256_set1_pd(kRoundToWhole);
  __m256d f = _mm256_sub_pd(turns, _mm256_sub_pd(_mm256_add_pd(turns, magic), magic));
  const __m256d half = _mm256_set1_pd(0.5);
  f = _mm256_min_pd(f, _mm256_sub_pd(half, f));
  f = _mm256_max_pd(f, _mm256_sub_pd(_mm256_set1_pd(-0.5), f));
  return SinePolynomial(f);
}

/// cos(x·π/180) of four arguments x in degrees: the reduction of the scalar form, to the last bit,
/// then the polynomial.
ALMACOR_TARGET_AVX2_FMA inline __m256d FastCosineOfDegrees(__m256d x) {
  const __m256d turns = _mm256_div_pd(x, _mm256_set1_pd(360));
  const __m256d magic = _mm256_set1_pd(kRoundToWhole);
  const __m256d g =
      _mm256_sub_pd(_mm256_set1_pd(0.25),
                    _mm256_sub_pd(turns, _mm256_sub_pd(_mm256_add_pd(turns, magic), magic)));
  const __m256d f = _mm256_min_pd(g, _mm256_sub_pd(_mm256_set1_pd(0.5), g));
  return SinePolynomial(f);
}

#endif

#if defined(ALMACOR_HAVE_AVX512_KERNELS)

/// SinePolynomial of eight arguments: the four-lane form, eight lanes wide.
ALMACOR_TARGET_AVX512 inline __m512d SinePolynomial(__m512d f) {
  const __m512d f2 = _mm512_mul_pd(f, f);
  const auto& c = kFastSineCoefficients;
  __m512d p = _mm512_set1_pd(c.back());
  for (int k = kLastBelowTop; k >= 0; --k) p = _mm512_fmadd_pd(p, f2, _mm512_set1_pd(c[k]));
  return _mm512_mul_pd(p, f);
}

/// sin(x·π/180) of eight arguments x in degrees: the four-lane form, eight lanes wide.
ALMACOR_TARGET_AVX512 inline __m512d FastSineOfDegrees(__m512d x) {
  const __m512d turns = _mm512_mul_pd(x, _mm512_set1_pd(1.0 / 360));
  const __m512d magic = _mm512_set1_pd(kRoundToWhole);
  __m512d f = _mm512_sub_pd(turns, _mm512_sub_pd(_mm512_add_pd(turns, magic), magic));
  const __m512d half = _mm512_set1_pd(0.5);
  f = _mm512_min_pd(f, _mm512_sub_pd(half, f));
  f = _mm512_max_pd(f, _mm512_sub_pd(_mm512_set1_pd(-0.5), f));
  return SinePolynomial(f);
}

/// cos(x·π/180) of eight arguments x in degrees: the four-lane form, eight lanes wide.
ALMACOR_TARGET_AVX512 inline __m512d FastCosineOfDegrees(__m512d x) {
  const __m512d turns = _mm512_div_pd(x, _mm512_set1_pd(360));
  const __m512d magic = _mm512_set1_pd(kRoundToWhole);
  const __m512d g =
      _mm512_sub_pd(_mm512_set1_pd(0.25),
                    _mm512_sub_pd(turns, _mm512_sub_pd(_mm512_add_pd(turns, magic), magic)));
  const __m512d f = _mm512_min_pd(g, _mm512_sub_pd(_mm512_set1_pd(0.5), g));
  return SinePolynomial(f);
}

#endif

}  // namespace almacor::detail
