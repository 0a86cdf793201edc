// Solar eclipses: the global type from the shadow axis, the observer's circumstances from the
// topocentric discs of the Sun and the Moon.

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

using detail::AngleBetween;
using detail::Dot;
using detail::Norm;
using detail::SunMoonPlace;
using detail::SunMoonTrack;
using detail::Vector3;

/// Half-width of the central differences of the maximum searches, days (86 s).
constexpr double kSlopeStep = 1e-3;

// The Earth's centre seen from the shadow axis: the axis' point in the plane through the centre
// perpendicular to it.
Vector3 AxisOffset(const SunMoonPlace& p) {
  const Vector3 axis = (1 / Norm(p.sun - p.moon)) * (p.sun - p.moon);
  return p.moon - Dot(p.moon, axis) * axis;
}

// The global greatest eclipse and type, or empty when the penumbra misses the Earth.
std::optional<SolarEclipse> GlobalEclipse(const SunMoonTrack& track) {
  const double greatest = detail::SolveStationary(
      [&](double d) {
        const Vector3 offset = AxisOffset(track.At(d));
        return Dot(offset, offset);
      },
      track.Centre(), kSlopeStep, "greatest solar eclipse");
  const SunMoonPlace p = track.At(greatest);
  const double gap = Norm(p.sun - p.moon);
  const Vector3 axis = (1 / gap) * (p.sun - p.moon);
  const double moonHeight = Dot(p.moon, axis);  // the Moon above that plane, towards the Sun
  const double axisDistance = Norm(p.moon - moonHeight * axis);
  // The penumbral cone's vertex lies beyond the Moon towards the Sun, the umbral one towards the
  // Earth; each radius grows linearly with the distance from its vertex.
  const double sinOuter = (kSunRadiusKm + kMoonRadiusKm) / gap;
  const double sinInner = (kSunRadiusKm - kMoonRadiusKm) / gap;
  const double penumbra = (moonHeight + kMoonRadiusKm / sinOuter) * std::tan(std::asin(sinOuter));
  if (axisDistance >= kEarthRadiusKm + penumbra) return std::nullopt;
  SolarEclipseType type = SolarEclipseType::Partial;
  if (axisDistance < kEarthRadiusKm) {
    const double surface = std::sqrt(kEarthRadiusKm * kEarthRadiusKm - axisDistance * axisDistance);
    const double umbraVertex = moonHeight - kMoonRadiusKm / sinInner;
    type = umbraVertex > surface ? SolarEclipseType::Annular : SolarEclipseType::Total;
  }
  return SolarEclipse{type, greatest, std::nullopt};
}

// The discs as the observer sees them at one instant, degrees.
struct Discs {
  double separation;
  double sunRadius;
  double moonRadius;
};
Discs DiscsAt(const SunMoonTrack& track, double d) {
  const SunMoonPlace p = track.At(d);
  const Vector3 observer = track.Observer(d);
  const Vector3 sun = p.sun - observer, moon = p.moon - observer;
  return {AngleBetween(sun, moon), DegAsin(kSunRadiusKm / Norm(sun)),
          DegAsin(kMoonRadiusKm / Norm(moon))};
}

// Fraction of the Sun's disc of radius r covered by the Moon's of radius m at distance d.
double Obscuration(double r, double m, double d) {
  if (d >= r + m) return 0;
  if (d <= std::fabs(r - m)) return m >= r ? 1 : (m * m) / (r * r);
  const double a = std::acos((d * d + r * r - m * m) / (2 * d * r));
  const double b = std::acos((d * d + m * m - r * r) / (2 * d * m));
  const double lens = r * r * (a - std::sin(2 * a) / 2) + m * m * (b - std::sin(2 * b) / 2);
  return lens / (kPi * r * r);
}

std::optional<LocalSolarEclipse> LocalCircumstances(SunMoonTrack& track, double greatest,
                                                    const Settings& s) {
  track.SetObserver(s);
  const auto unitGap = [&](double d) {
    const SunMoonPlace p = track.At(d);
    const Vector3 observer = track.Observer(d);
    const Vector3 sun = p.sun - observer, moon = p.moon - observer;
    return (1 / Norm(moon)) * moon - (1 / Norm(sun)) * sun;
  };
  const double maximum = detail::SolveStationary(
      [&](double d) {
        const Vector3 g = unitGap(d);
        return Dot(g, g);
      },
      greatest, kSlopeStep, "local solar eclipse maximum");
  const Discs atMaximum = DiscsAt(track, maximum);
  const double outer = atMaximum.sunRadius + atMaximum.moonRadius;
  if (atMaximum.separation >= outer) return std::nullopt;

  // The relative motion of the centres, degrees per day, for the first guesses of the contacts.
  const double rate =
      Norm(unitGap(maximum + kSlopeStep) - unitGap(maximum - kSlopeStep)) / (2 * kSlopeStep) / kRad;
  const auto halfDuration = [&](double reach) {
    return std::sqrt(std::fmax(reach * reach - atMaximum.separation * atMaximum.separation, 0)) /
           rate;
  };
  const auto outerExcess = [&](double d) {
    const Discs c = DiscsAt(track, d);
    return c.separation - (c.sunRadius + c.moonRadius);
  };
  LocalSolarEclipse e{};
  e.type = SolarEclipseType::Partial;
  e.maximum = maximum;
  e.begin = detail::SolveContact(outerExcess, maximum, halfDuration(outer), -1);
  e.end = detail::SolveContact(outerExcess, maximum, halfDuration(outer), 1);
  const double inner = std::fabs(atMaximum.moonRadius - atMaximum.sunRadius);
  if (atMaximum.separation < inner) {
    e.type = atMaximum.moonRadius > atMaximum.sunRadius ? SolarEclipseType::Total
                                                        : SolarEclipseType::Annular;
    const auto innerExcess = [&](double d) {
      const Discs c = DiscsAt(track, d);
      return c.separation - std::fabs(c.moonRadius - c.sunRadius);
    };
    e.totalBegin = detail::SolveContact(innerExcess, maximum, halfDuration(inner), -1);
    e.totalEnd = detail::SolveContact(innerExcess, maximum, halfDuration(inner), 1);
  }
  e.magnitude =
      SolarEclipseMagnitude(atMaximum.sunRadius, atMaximum.moonRadius, atMaximum.separation);
  e.obscuration = Obscuration(atMaximum.sunRadius, atMaximum.moonRadius, atMaximum.separation);

  const auto sunAltitude = [&](double d) {
    return SunMoonTrack::ApparentAltitude(track.At(d).sun, track.Observer(d));
  };
  e.sunAltitude = {sunAltitude(e.begin), sunAltitude(maximum), sunAltitude(e.end)};
  if (!detail::AboveHorizonWithin(e.begin, e.end,
                                  {e.sunAltitude.begin, e.sunAltitude.maximum, e.sunAltitude.end},
                                  sunAltitude)) {
    return std::nullopt;
  }
  return e;
}

}  // namespace

SolarEclipse SearchSolarEclipse(double start, SearchDirection direction, const Settings& s) {
  detail::RequireValidSettings(s);
  return detail::SearchSyzygies(
      start, direction, false, s,
      [](double newMoon, const Settings& frozen) -> std::optional<SolarEclipse> {
        SunMoonTrack track(newMoon, frozen.time);
        auto eclipse = GlobalEclipse(track);
        if (eclipse) eclipse->local = LocalCircumstances(track, eclipse->greatest, frozen);
        return eclipse;
      },
      [](const SolarEclipse& e) { return e.time(); });
}

}  // namespace almacor
