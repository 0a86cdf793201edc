#pragma once

// Evaluation of the Sun's series at T, Julian years of dynamical time since J2000.0. The plain
// functions are the ones the library uses, with a polynomial sine; the ...Reference functions
// evaluate the same tables term by term with std::sin and exist so that tests can hold the fast
// ones to them (within 1e-9°).

namespace almacor::detail {

/// The Sun's apparent longitude before its final reduction, degrees: the mean longitude reduced
/// into 0 … 360 plus the 19 periodic terms.
double SunLongitudeSeries(double t);
/// log10 of the Sun's distance in au.
double SunDistanceLogSeries(double t);

double SunLongitudeSeriesReference(double t);
double SunDistanceLogSeriesReference(double t);

}  // namespace almacor::detail
