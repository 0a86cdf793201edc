// Lunar eclipses against the Earth's shadow as the lunar eclipse view draws it.

#include <cmath>

#include "almacor/angles.h"
#include "almacor/constants.h"
#include "almacor/eclipses.h"
#include "almacor/phenomena.h"
#include "ephemeris/iterate.h"
#include "ephemeris/sun_detail.h"
#include "phenomena/lunations.h"
#include "phenomena/sun_moon_track.h"

namespace almacor {
namespace {

using detail::SunMoonPlace;
using detail::SunMoonTrack;
using detail::Vector3;

constexpr double kSlopeStep = 1e-3;

// The Moon against the shadow at one instant, degrees.
struct ShadowGeometry {
  double separation;  ///< the Moon's centre from the shadow's axis
  double moonRadius;
  double penumbra;  ///< angular radius of the penumbra at the Moon's distance
  double umbra;
};
ShadowGeometry ShadowAt(const SunMoonTrack& track, double d) {
  const detail::SunMoonEcliptic e = track.EclipticAt(d);
  const double moonDistance = kEarthRadiusKm / std::sin(e.moonParallax * kRad);
  const ShadowRadii shadow = EarthShadowRadii(moonDistance, e.sunDistance);
  // The distance from the shadow's centre, opposite the Sun on the ecliptic, by the haversine.
  const double halfLatitude = std::sin(e.moonLatitude * kRad / 2);
  const double halfLongitude = std::sin((e.moonLongitude - e.sunLongitude - 180) * kRad / 2);
  const double haversine =
      halfLatitude * halfLatitude + std::cos(e.moonLatitude * kRad) * halfLongitude * halfLongitude;
  return {2 * DegAsin(std::sqrt(haversine)), DegAsin(kMoonRadiusKm / moonDistance), shadow.penumbra,
          shadow.umbra};
}

std::optional<LunarEclipse> Examine(double fullMoon, const Settings& s) {
  SunMoonTrack track(fullMoon, s.time);
  // The Moon's direction less the shadow's: its length is 2 sin(separation / 2).
  const auto gapAt = [&](double d) {
    const SunMoonPlace p = track.At(d);
    return (1 / p.moonDistance) * p.moon + (1 / p.sunDistance) * p.sun;
  };
  const double maximum = detail::SolveStationary(
      [&](double d) {
        const Vector3 gap = gapAt(d);
        return detail::Dot(gap, gap);
      },
      fullMoon, kSlopeStep, "lunar eclipse maximum");
  const ShadowGeometry g = ShadowAt(track, maximum);
  if (g.separation >= g.penumbra + g.moonRadius) return std::nullopt;

  // The Moon's motion across the shadow, degrees per day, for the first guesses of the contacts.
  const double rate = detail::Norm(gapAt(maximum + kSlopeStep) - gapAt(maximum - kSlopeStep)) /
                      (2 * kSlopeStep) / kRad;
  // Contacts where the separation equals reach(shadow at that instant).
  const auto contact = [&](auto reach, double direction) {
    const double r = reach(g);
    const double half = std::sqrt(std::fmax(r * r - g.separation * g.separation, 0)) / rate;
    return detail::SolveContact(
        [&](double d) {
          const ShadowGeometry h = ShadowAt(track, d);
          return h.separation - reach(h);
        },
        maximum, half, direction);
  };
  const auto penumbral = [](const ShadowGeometry& h) { return h.penumbra + h.moonRadius; };
  const auto partial = [](const ShadowGeometry& h) { return h.umbra + h.moonRadius; };
  const auto total = [](const ShadowGeometry& h) { return h.umbra - h.moonRadius; };

  LunarEclipse e{};
  e.type = LunarEclipseType::Penumbral;
  e.maximum = maximum;
  e.penumbralBegin = contact(penumbral, -1);
  e.penumbralEnd = contact(penumbral, 1);
  if (g.separation < partial(g)) {
    e.type = LunarEclipseType::Partial;
    e.partialBegin = contact(partial, -1);
    e.partialEnd = contact(partial, 1);
  }
  if (g.separation < total(g)) {
    e.type = LunarEclipseType::Total;
    e.totalBegin = contact(total, -1);
    e.totalEnd = contact(total, 1);
  }
  e.umbralMagnitude = LunarEclipseMagnitude(g.moonRadius, g.umbra, g.separation);
  e.penumbralMagnitude = LunarEclipseMagnitude(g.moonRadius, g.penumbra, g.separation);

  track.SetObserver(s);
  const auto moonAltitude = [&](double d) {
    return SunMoonTrack::ApparentAltitude(track.At(d).moon, track.Observer(d));
  };
  e.moonAltitude = moonAltitude(maximum);
  e.visible = detail::AboveHorizonWithin(
      e.penumbralBegin, e.penumbralEnd,
      {e.moonAltitude, moonAltitude(e.penumbralBegin), moonAltitude(e.penumbralEnd)}, moonAltitude);
  return e;
}

}  // namespace

LunarEclipse SearchLunarEclipse(double start, SearchDirection direction, const Settings& s) {
  detail::RequireValidSettings(s);
  return detail::SearchSyzygies(start, direction, true, s, Examine,
                                [](const LunarEclipse& e) { return e.maximum; });
}

}  // namespace almacor
