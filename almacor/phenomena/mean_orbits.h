#pragma once

// The mean orbits of the Earth and the planets. The searches of planet_phenomena.cpp work on ψ,
// the planet's heliocentric longitude less the Earth's; the mean orbits predict it to within a
// few tenths of a degree over 1900–2100, cheaply, and the series then solve for the event.

#include "almacor/planet.h"
#include "almacor/settings.h"

namespace almacor::detail {

/// ψ on the mean orbits at local day count d: degrees (not reduced), and its rate, degrees per day;
/// the planet's and the Earth's true anomalies, degrees, for MeanDistances.
struct MeanConfiguration {
  double phase;
  double phaseRate;
  double planetAnomaly;
  double earthAnomaly;
};
MeanConfiguration MeanConfigurationAt(PlanetNameConstant p, double d, const TimeScale& ts);

/// The planet's and the Earth's distances from the Sun, au, in configuration `at` of planet p.
struct SunDistances {
  double planet;
  double earth;
};
SunDistances MeanDistances(PlanetNameConstant p, const MeanConfiguration& at);

/// Planet p's mean distance from the Sun (the semi-major axis), au.
double MeanAxis(PlanetNameConstant p);
/// The mean rate of ψ, degrees per day: positive for Mercury and Venus, which overtake the Earth.
double MeanPhaseRate(PlanetNameConstant p);
/// The mean synodic period, days.
double SynodicPeriod(PlanetNameConstant p);

}  // namespace almacor::detail
