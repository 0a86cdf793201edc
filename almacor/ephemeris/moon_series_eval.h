#pragma once

// Evaluation of the Moon's series at T, Julian years of dynamical time since J2000.0. The plain
// functions are the fast ones the library uses; the ...Reference functions evaluate the same tables
// term by term with std::sin, in table order, and exist so that tests can hold the fast ones to
// them (within 1e-9°).

#include <span>

namespace almacor::detail {

struct MoonEclipticSeriesValue {
  double longitude;  ///< as MoonLongitudeSeries
  double latitude;   ///< as MoonLatitudeSeries
};

/// Longitude and latitude in one pass over the shared T (the two sums are independent).
MoonEclipticSeriesValue MoonEclipticSeries(double t);

/// Apparent ecliptic longitude, degrees 0 <= λ < 360.
double MoonLongitudeSeries(double t);
/// Ecliptic latitude, degrees (not reduced).
double MoonLatitudeSeries(double t);
/// Equatorial horizontal parallax, degrees.
double MoonParallaxSeries(double t);

double MoonLongitudeSeriesReference(double t);
double MoonLatitudeSeriesReference(double t);
double MoonParallaxSeriesReference(double t);

/// One implementation of the fast functions. The library picks the first of MoonSeriesKernels() at
/// its first evaluation; tests hold every one of them to the ...Reference functions.
struct MoonSeriesKernel {
  const char* name;
  double (*longitude)(double t);
  double (*latitude)(double t);
  double (*parallax)(double t);
  MoonEclipticSeriesValue (*ecliptic)(double t);
};

/// The kernels this processor can run, the widest first.
std::span<const MoonSeriesKernel> MoonSeriesKernels();

}  // namespace almacor::detail
