#pragma once

#include <cmath>

namespace almacor {

/// The local civil day of a local day count: Floor(t).
inline double Day(double t) { return std::floor(t); }

/// The solvers stop within a second of the true passage, and where they stop depends on where they
/// started. A solved time at least this far from a local midnight therefore falls on the same day
/// whatever the start, which is what lets the calendars reuse a solution found from another
/// instant.
inline constexpr double kMidnightMargin = 5.0 / 86400;

/// Whether the solved time t lies more than kMidnightMargin from both ends of its local day.
inline bool ClearOfMidnight(double t) {
  const double f = t - std::floor(t);
  return f > kMidnightMargin && f < 1 - kMidnightMargin;
}

}  // namespace almacor
