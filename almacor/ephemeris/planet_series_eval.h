#pragma once

// The planets' heliocentric series at t, Julian years of dynamical time since J2000.0 (since
// 1974-12-31 00:00 for Saturn). The plain function is the one the library uses, with the
// polynomial sine and cosine of fast_sine.h; the ...Reference function takes std::sin and std::cos
// after Normalize360 in each term, and exists so that tests can hold the fast one to it (within
// 1e-9°).

#include "almacor/planet.h"

namespace almacor::detail {

HeliocentricPosition PlanetHeliocentricSeries(PlanetNameConstant p, double t);
HeliocentricPosition PlanetHeliocentricSeriesReference(PlanetNameConstant p, double t);

}  // namespace almacor::detail
