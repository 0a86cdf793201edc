#pragma once

#include "almacor/settings.h"
#include "almacor/timescales.h"

namespace almacor::detail {

/// `ts` with ΔT fixed at its value at local day count d. A search that evaluates the series many
/// times within a few days holds ΔT once instead of estimating it at every evaluation: over a
/// month it changes by a few hundredths of a second at most.
inline TimeScale FrozenDeltaT(double d, const TimeScale& ts) {
  if (!ts.deltaTEstimated) return ts;
  TimeScale frozen = ts;
  frozen.deltaTEstimated = false;
  frozen.deltaT = EstimateDeltaT(UniversalDays(d, ts), ts);
  return frozen;
}

/// The same for settings.
inline Settings FrozenDeltaT(double d, const Settings& s) {
  return {s.observer, FrozenDeltaT(d, s.time)};
}

}  // namespace almacor::detail
