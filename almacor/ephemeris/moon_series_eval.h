#pragma once

// Evaluation of the Moon's series at T, Julian years of dynamical time since J2000.0. The plain
// functions are the fast ones the library uses; the ...Reference functions evaluate the same tables
// term by term with std::sin, in table order, and exist so that tests can hold the fast ones to
// them (within 1e-9°).

namespace almacor::detail {

/// Apparent ecliptic longitude, degrees 0 <= λ < 360.
double MoonLongitudeSeries(double t);
/// Ecliptic latitude, degrees (not reduced).
double MoonLatitudeSeries(double t);
/// Equatorial horizontal parallax, degrees.
double MoonParallaxSeries(double t);

double MoonLongitudeSeriesReference(double t);
double MoonLatitudeSeriesReference(double t);
double MoonParallaxSeriesReference(double t);

}  // namespace almacor::detail
