#pragma once

// The planets' heliocentric series at t, Julian years of dynamical time since J2000.0 (since
// 1974-12-31 00:00 for Saturn). The plain function is the one the library uses, with the
// polynomial sine and cosine of fast_sine.h in the vector kernels of sine_sums.h; the ...Reference
// function takes std::sin and std::cos after Normalize360 in each term, and exists so that tests
// can hold the fast one to it (within 1e-9°). PlanetLongitudeSeries is the plain function's
// longitude alone, for searches that need nothing else.

#include <span>

#include "almacor/planet.h"

namespace almacor::detail {

HeliocentricPosition PlanetHeliocentricSeries(PlanetNameConstant p, double t);
HeliocentricPosition PlanetHeliocentricSeriesReference(PlanetNameConstant p, double t);
double PlanetLongitudeSeries(PlanetNameConstant p, double t);

/// The fast evaluation with one kernel of sine_sums.h: the kernels this processor runs, widest
/// first; the library uses the first.
struct PlanetSeriesKernel {
  const char* name;
  HeliocentricPosition (*series)(PlanetNameConstant p, double t);
  double (*longitude)(PlanetNameConstant p, double t);
};
std::span<const PlanetSeriesKernel> PlanetSeriesKernels();

}  // namespace almacor::detail
