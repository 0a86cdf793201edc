// The four principal phases of the Moon over a span of time, from the elongation solver.

#include <cmath>

#include "almacor/error.h"
#include "almacor/moon.h"

namespace almacor {

std::string_view MoonPhaseName(MoonPhaseKind kind) {
  switch (kind) {
    case MoonPhaseKind::NewMoon:
      return "新月";
    case MoonPhaseKind::FirstQuarter:
      return "上弦";
    case MoonPhaseKind::FullMoon:
      return "満月";
    case MoonPhaseKind::LastQuarter:
      return "下弦";
  }
  throw Error(kInvalidArgument, "unknown Moon phase");
}

std::vector<MoonPhase> MoonPhasesBetween(double from, double to, const TimeScale& ts) {
  RequireFinite(from, "day count");
  RequireFinite(to, "day count");
  std::vector<MoonPhase> phases;
  double t = PreviousNewMoon(from, ts);
  for (int k = 0; t < to; ++k) {
    if (t >= from) phases.push_back({t, static_cast<MoonPhaseKind>(k % 4)});
    // A quarter lasts 6.5 … 8.3 days; the mean quarter lands well within the solver's reach.
    t = SolveMoonElongation(90.0 * ((k + 1) % 4), t + kSynodicMonth / 4, ts);
  }
  return phases;
}

}  // namespace almacor
