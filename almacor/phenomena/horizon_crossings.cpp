// Altitude and azimuth crossings of the Sun, the Moon and the planets over a span of days.

#include <array>
#include <cmath>

#include "almacor/angles.h"
#include "almacor/moon.h"
#include "almacor/phenomena.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sun_detail.h"

namespace almacor {
namespace {

constexpr std::array<std::string_view, 10> kBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};

/// Sampling step, days (half an hour): no body's altitude turns twice within it.
constexpr double kSampleStep = 1.0 / 48;
/// The longest span searched, days (400 years).
constexpr double kLongestSpan = 146100;

struct AltAz {
  double altitude;  ///< apparent topocentric
  double azimuth;
};

AltAz HorizontalOf(SkyBody body, double d, const Settings& s) {
  switch (body) {
    case SkyBody::Sun: {
      const SunHorizontal h = SunHorizontalAt(d, s);
      return {h.altitude, h.azimuth};
    }
    case SkyBody::Moon: {
      const MoonHorizontal h = MoonHorizontalAt(d, s);
      return {h.altitude, h.azimuth};
    }
    default: {
      const auto planet = static_cast<PlanetNameConstant>(static_cast<int>(body) - 1);
      const PlanetHorizontal h = PlanetHorizontalAt(planet, d, s);
      return {h.altitude, h.azimuth};
    }
  }
}

void RequireSpan(double from, double to) {
  RequireFinite(from, "day count");
  RequireFinite(to, "day count");
  if (to < from || to - from > kLongestSpan) throw Error(kInvalidArgument, "span out of range");
}

// Every d in [from, to) where f(d) passes 0, in time order. f is sampled every kSampleStep; a
// sign change between samples is solved in its bracket; so is each pair around an extreme of |f|
// between samples that the samples alone do not show (a value touched and left again). `jump`
// discards sign changes across a discontinuity of f (the azimuth's wrap-around): f must change
// by less than it between samples at a true crossing.
template <class F>
std::vector<double> Crossings(F f, double from, double to, double jump) {
  std::vector<double> roots;
  const auto solve = [&](double a, double b) {
    const double r = detail::SolveBracketed(f, a, b, "crossing");
    if (r >= from && r < to) roots.push_back(r);
  };
  const auto sign = [](double v) { return v < 0; };
  double t0 = from, f0 = f(t0);
  double tPrev = t0, fPrev = f0;
  bool havePrev = false;
  while (t0 < to) {
    const double t1 = std::fmin(t0 + kSampleStep, to);
    const double f1 = f(t1);
    if (sign(f0) != sign(f1)) {
      if (std::fabs(f1 - f0) < jump) solve(t0, t1);
    } else if (havePrev && sign(fPrev) == sign(f0) && std::fabs(f0) < std::fabs(fPrev) &&
               std::fabs(f0) <= std::fabs(f1)) {
      // |f| has a minimum near t0: find it, and if f changes sign there the two crossings.
      const double tm = detail::SolveStationary(f, t0, kSampleStep / 16, "crossing extreme");
      if (tm > tPrev && tm < t1 && sign(f(tm)) != sign(f0)) {
        solve(tPrev, tm);
        solve(tm, t1);
      }
    }
    tPrev = t0;
    fPrev = f0;
    havePrev = true;
    t0 = t1;
    f0 = f1;
  }
  return roots;
}

}  // namespace

std::string_view SkyBodyName(SkyBody body) {
  const auto i = static_cast<std::size_t>(body);
  if (i >= kBodyNames.size()) throw Error(kInvalidArgument, "unknown body");
  return kBodyNames[i];
}

std::optional<SkyBody> SkyBodyFromName(std::string_view name) {
  for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
    if (kBodyNames[i] == name) return static_cast<SkyBody>(i);
  }
  return std::nullopt;
}

std::vector<AltitudeCrossing> AltitudeCrossings(SkyBody body, double altitude, double from,
                                                double to, const Settings& s) {
  SkyBodyName(body);
  RequireFinite(altitude, "altitude");
  if (std::fabs(altitude) > 90) throw Error(kInvalidArgument, "altitude out of range");
  RequireSpan(from, to);
  detail::RequireValidSettings(s);
  std::vector<AltitudeCrossing> crossings;
  for (const double t : Crossings(
           [&](double d) { return HorizontalOf(body, d, s).altitude - altitude; }, from, to, 1e9)) {
    const AltAz here = HorizontalOf(body, t, s);
    crossings.push_back(
        {t, HorizontalOf(body, t + 1.0 / 1440, s).altitude > here.altitude, here.azimuth});
  }
  return crossings;
}

std::vector<AzimuthCrossing> AzimuthCrossings(SkyBody body, double azimuth, double from, double to,
                                              const Settings& s) {
  SkyBodyName(body);
  RequireFinite(azimuth, "azimuth");
  if (azimuth < 0 || azimuth > 360) throw Error(kInvalidArgument, "azimuth out of range");
  RequireSpan(from, to);
  detail::RequireValidSettings(s);
  std::vector<AzimuthCrossing> crossings;
  for (const double t : Crossings(
           [&](double d) {
             return std::remainder(HorizontalOf(body, d, s).azimuth - azimuth, 360.0);
           },
           from, to, 180)) {
    crossings.push_back({t, HorizontalOf(body, t, s).altitude});
  }
  return crossings;
}

}  // namespace almacor
