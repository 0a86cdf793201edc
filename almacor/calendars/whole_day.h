#pragma once

#include <cmath>
#include <cstdint>

#include "almacor/constants.h"
#include "almacor/error.h"

namespace almacor {

/// The day number D = Floor(d) of a local linear day count d, the one input of the Julian,
/// Islamic, Hebrew and Maya calendars. Raises Error 5 for a non-finite d and Error 6 when D lies
/// outside 0100-01-01 … 9999-12-31 (D = −657434 … 2958465), the range the calendars are defined on.
inline std::int32_t WholeDay(double d) {
  RequireFinite(d, "day count");
  const double day = std::floor(d);
  if (!(day >= kFirstDay && day <= kLastDay)) {
    throw Error(kOverflow, "day count outside the date range 0100-01-01 … 9999-12-31");
  }
  return static_cast<std::int32_t>(day);
}

}  // namespace almacor
