#pragma once

#include "almacor/settings.h"

namespace almacor {

class Calendar;

/// The Moon's apparent geocentric ecliptic longitude at local day count d, degrees 0 <= λ < 360.
double MoonLongitudeAt(double d, const TimeScale& ts);
/// The Moon's geocentric ecliptic latitude at local day count d, degrees.
double MoonLatitudeAt(double d, const TimeScale& ts);
/// The Moon's horizontal parallax at local day count d, degrees.
double MoonParallaxAt(double d, const TimeScale& ts);
/// The local day count at which the Moon's longitude minus the Sun's equals `target` (degrees,
/// 0 <= target < 360), iterated from `start` with the synodic month to one second; the passage
/// nearest to the start, within about half a synodic month.
double SolveMoonElongation(double target, double start, const TimeScale& ts);
/// The local day count of the new moon at or before local day count d.
double PreviousNewMoon(double d, const TimeScale& ts);

/// The Moon for the instant of its Calendar. Reached only through Calendar::Moon().
class MoonObject {
 public:
  MoonObject(const MoonObject&) = delete;
  MoonObject& operator=(const MoonObject&) = delete;

 private:
  friend class Calendar;
  MoonObject() = default;
  void UpdateMoon(double d);

  double instant_ = 0;
};

}  // namespace almacor
