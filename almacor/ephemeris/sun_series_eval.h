#pragma once

// Evaluation of the Sun's series at T, Julian years of dynamical time since J2000.0. The plain
// functions are the ones the library uses, with the vector kernels of sine_sums.h; the
// ...Reference functions evaluate the same tables term by term with std::sin and exist so that
// tests can hold the fast ones to them (within 1e-9°).

#include <span>

namespace almacor::detail {

/// The Sun's apparent longitude before its final reduction, degrees: the mean longitude reduced
/// into 0 … 360 plus the 19 periodic terms.
double SunLongitudeSeries(double t);
/// log10 of the Sun's distance in au.
double SunDistanceLogSeries(double t);

double SunLongitudeSeriesReference(double t);
double SunDistanceLogSeriesReference(double t);

/// One implementation of the plain functions. The library picks the first of SunSeriesKernels() at
/// its first evaluation; tests hold every one of them to the ...Reference functions.
struct SunSeriesKernel {
  const char* name;
  double (*longitude)(double t);
  double (*distanceLog)(double t);
};

/// The kernels this processor can run, the widest first.
std::span<const SunSeriesKernel> SunSeriesKernels();

}  // namespace almacor::detail
