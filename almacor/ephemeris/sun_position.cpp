#include <cmath>
#include <cstddef>
#include <span>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "engine/of_date.h"
#include "ephemeris/fast_sine.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sine_sums.h"
#include "ephemeris/sun_detail.h"
#include "ephemeris/sun_series.h"
#include "ephemeris/sun_series_eval.h"

namespace almacor {
namespace {

template <class Terms>
double SumTermsReference(const Terms& terms, double t) {
  double sum = 0;
  for (const detail::SunTerm& term : terms) {
    sum += (term.amplitude + term.amplitudeRate * t) *
           std::sin(Normalize360(term.phase + term.rate * t) * kRad);
  }
  return sum;
}

// About ±100000 years around 1900: far beyond where the series mean anything, yet small enough
// that every series argument stays a finite number (a huge day count would overflow ΔT and T to
// infinity and give NaN).
constexpr double kMaxSeriesDays = 3.6e7;

void RequireSeriesDay(double d) {
  RequireFinite(d, "day count");
  if (std::fabs(d) > kMaxSeriesDays) {
    throw Error(kInvalidArgument, "day count beyond the 100000 years the Sun's series accept");
  }
}

// Normalize360 inlined, for the kernels.
inline double MeanLongitude(double t) {
  return detail::sine_sums::Reduce360(280.4603 + 360.00769 * t);
}

// The series with the vector kernels of sine_sums.h. The first term of each series has an
// amplitude that drifts with T and is added on its own; the kernels take the others, whose
// amplitudes are constant.
template <class Terms>
constexpr bool ConstantAmplitudesAfterTheFirst(const Terms& terms) {
  for (std::size_t i = 1; i < terms.size(); ++i) {
    if (terms[i].amplitudeRate != 0) return false;
  }
  return true;
}
static_assert(ConstantAmplitudesAfterTheFirst(detail::kSunLongitudeTerms));
static_assert(ConstantAmplitudesAfterTheFirst(detail::kSunDistanceTerms));

constexpr auto kLongitudeAfterFirst = detail::sine_sums::ToSoA<1>(detail::kSunLongitudeTerms);
constexpr auto kDistanceAfterFirst = detail::sine_sums::ToSoA<1>(detail::kSunDistanceTerms);

inline double FirstTerm(const detail::SunTerm& term, double t) {
  return (term.amplitude + term.amplitudeRate * t) *
         detail::FastSineOfDegrees(term.phase + term.rate * t);
}

#define ALMACOR_SUN_SERIES_FROM_SUMS(Target, Sum)                                           \
  Target double Longitude(double t) {                                                       \
    return MeanLongitude(t) +                                                               \
           (FirstTerm(detail::kSunLongitudeTerms[0], t) + Sum(kLongitudeAfterFirst, t, 0)); \
  }                                                                                         \
  Target double DistanceLog(double t) {                                                     \
    return detail::kSunDistanceConstant +                                                   \
           (FirstTerm(detail::kSunDistanceTerms[0], t) + Sum(kDistanceAfterFirst, t, 0));   \
  }

namespace portable {
using detail::sine_sums::portable::SumSines;
ALMACOR_SUN_SERIES_FROM_SUMS(, SumSines)
}  // namespace portable

#if defined(__SSE2__)
namespace sse2 {
using detail::sine_sums::sse2::SumSines;
ALMACOR_SUN_SERIES_FROM_SUMS(, SumSines)
}  // namespace sse2
#endif

#if defined(ALMACOR_HAVE_AVX2_KERNELS)
namespace avx2 {
using detail::sine_sums::avx2::SumSines;
ALMACOR_SUN_SERIES_FROM_SUMS(ALMACOR_TARGET_AVX2_FMA, SumSines)
}  // namespace avx2
#endif

#if defined(ALMACOR_HAVE_AVX512_KERNELS)
namespace avx512 {
using detail::sine_sums::avx512::SumSines;
ALMACOR_SUN_SERIES_FROM_SUMS(ALMACOR_TARGET_AVX512, SumSines)
}  // namespace avx512
#endif

#undef ALMACOR_SUN_SERIES_FROM_SUMS

constexpr detail::SunSeriesKernel kKernels[] = {
#if defined(ALMACOR_HAVE_AVX512_KERNELS)
    {"avx512", avx512::Longitude, avx512::DistanceLog},
#endif
#if defined(ALMACOR_HAVE_AVX2_KERNELS)
    {"avx2", avx2::Longitude, avx2::DistanceLog},
#endif
#if defined(__SSE2__)
    {"sse2", sse2::Longitude, sse2::DistanceLog},
#endif
    {"portable", portable::Longitude, portable::DistanceLog},
};

const detail::SunSeriesKernel& Active() {
  static const detail::SunSeriesKernel& kernel = detail::SunSeriesKernels().front();
  return kernel;
}

}  // namespace

namespace detail {

std::span<const SunSeriesKernel> SunSeriesKernels() {
  static const std::span<const SunSeriesKernel> kernels =
      std::span<const SunSeriesKernel>(kKernels).subspan(sine_sums::UnsupportedWideKernels());
  return kernels;
}

double SunLongitudeSeries(double t) { return Active().longitude(t); }
double SunDistanceLogSeries(double t) { return Active().distanceLog(t); }
double SunLongitudeSeriesReference(double t) {
  return MeanLongitude(t) + SumTermsReference(kSunLongitudeTerms, t);
}
double SunDistanceLogSeriesReference(double t) {
  return kSunDistanceConstant + SumTermsReference(kSunDistanceTerms, t);
}

}  // namespace detail

double SunLongitudeAt(double d, const TimeScale& ts) {
  return detail::SunLongitudeOfYears(detail::SunSeriesYears(d, ts));
}

double SunDistanceAt(double d, const TimeScale& ts) {
  return detail::SunDistanceOfYears(detail::SunSeriesYears(d, ts));
}

double SolveSunLongitude(double target, double start, const TimeScale& ts) {
  // A target beyond one turn would not be caught by the ±180° wrap below.
  if (!(target >= 0 && target <= 360)) {
    throw Error(kInvalidArgument, "solar longitude must lie between 0 and 360 degrees");
  }
  RequireFinite(start, "day count");
  return detail::SolveAngle([&](double t) { return SunLongitudeAt(t, ts); }, target, start,
                            kTropicalYear, "solar longitude solver");
}

SunEquatorial SunEquatorialAt(double d, const TimeScale& ts) {
  const double t = detail::SunSeriesYears(d, ts);
  return detail::SunEquatorialOf(detail::SunLongitudeOfYears(t), detail::TrueObliquityAtYears(t));
}

SunHorizontal SunHorizontalAt(double d, const Settings& s) {
  detail::RequireValidSettings(s);
  const double t = detail::SunSeriesYears(d, s.time);
  const SunEquatorial place =
      detail::SunEquatorialOf(detail::SunLongitudeOfYears(t), detail::TrueObliquityAtYears(t));
  return detail::SunHorizontalOf(place, detail::SunDistanceOfYears(t), d, s);
}

double SunRadiusAt(double d, const TimeScale& ts) {
  return kSunSemiDiameterAu / SunDistanceAt(d, ts);
}

namespace detail {

void RequireValidSettings(const Settings& s) {
  const Observer& o = s.observer;
  if (!(std::fabs(o.latitude) <= 90)) throw Error(kInvalidArgument, "latitude outside -90 … 90");
  if (!(std::fabs(o.longitude) <= 180)) {
    throw Error(kInvalidArgument, "longitude outside -180 … 180");
  }
  // A negative height would take the square root of a negative number in the dip of the horizon.
  if (!(o.height >= 0) || !std::isfinite(o.height)) {
    throw Error(kInvalidArgument, "observer height must be 0 or more metres");
  }
  RequireFinite(s.time.timeZone, "time zone");
  RequireFinite(s.time.deltaT, "ΔT");
}

double SunSeriesYears(double d, const TimeScale& ts) {
  RequireSeriesDay(d);
  return YearsSinceEpoch(d, false, ts);
}

double SunLongitudeOfYears(double t) { return Normalize360(SunLongitudeSeries(t)); }

double SunDistanceOfYears(double t) { return std::pow(10.0, SunDistanceLogSeries(t)); }

SunEquatorial SunEquatorialOf(double lambda, double d, const TimeScale& ts) {
  return SunEquatorialOf(lambda, TrueObliquity(d, ts));
}

SunEquatorial SunEquatorialOf(double lambda, double epsilon) {
  const EquatorialPlace place = EclipticToEquatorial(lambda, 0, epsilon);
  return {lambda, epsilon, place.ascension, place.declination};
}

SunHorizontal SunHorizontalOf(const SunEquatorial& place, double distance, double d,
                              const Settings& s) {
  const Horizontal h = EquatorialToHorizontal(place.ascension, place.declination, d, s);
  const double altitudeT = TopocentricAltitude(h.altitudeG, kEarthRadiusKm / (distance * kAuKm));
  return {h.azimuth, h.altitudeG, altitudeT, altitudeT + Refraction(altitudeT)};
}

}  // namespace detail
}  // namespace almacor
