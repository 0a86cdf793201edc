#pragma once

#include "almacor/settings.h"

namespace almacor::detail {

/// Whether a day's events computed under `a` still hold under `b`: the same observer, time zone
/// and ΔT. ΔT is compared even while estimated: at worst that recomputes what could have been kept.
inline bool SameEventInputs(const Settings& a, const Settings& b) {
  return a.observer.latitude == b.observer.latitude &&
         a.observer.longitude == b.observer.longitude && a.observer.height == b.observer.height &&
         a.time.timeZone == b.time.timeZone && a.time.deltaTEstimated == b.time.deltaTEstimated &&
         a.time.deltaT == b.time.deltaT;
}

}  // namespace almacor::detail
