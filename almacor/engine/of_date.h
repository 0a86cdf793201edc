#pragma once

// The quantities of date that the positions and events of one instant share, computed from values
// the caller already has: T (YearsSinceEpoch(d, false, ts)) and the true obliquity. Each gives the
// public function it stands behind the same result to the last bit, without recomputing ΔT, T or
// the obliquity.

#include "almacor/settings.h"
#include "almacor/timescales.h"

namespace almacor::detail {

/// TrueObliquity at T Julian years of dynamical time since J2000.0, degrees.
double TrueObliquityAtYears(double t);

/// CalcSiderealTime(d, kind, s), given T and the true obliquity ε of d (read only for an apparent
/// sidereal time).
double SiderealTimeOf(double d, SiderealTimeConstant kind, const Settings& s, double t,
                      double epsilon);

/// Right ascension and declination, degrees.
struct EquatorialPlace {
  double ascension;    ///< 0 <= α < 360
  double declination;  ///< −90 … 90
};

/// EclipticToAscension and EclipticToDeclination of λ, β at obliquity ε in one: each sine and
/// cosine taken once.
EquatorialPlace EclipticToEquatorial(double lambda, double beta, double epsilon);
/// The same with the sine and cosine of ε given.
EquatorialPlace EclipticToEquatorial(double lambda, double beta, double sinEpsilon,
                                     double cosEpsilon);

}  // namespace almacor::detail
