#pragma once

#include "almacor/settings.h"

namespace almacor {

class Calendar;

/// The Sun's apparent ecliptic longitude (with nutation, without a separate aberration term) at
/// local day count d, degrees 0 <= λ < 360. The Sun's latitude is taken as 0.
double SunLongitudeAt(double d, const TimeScale& ts);
/// The Sun's distance at local day count d, au.
double SunDistanceAt(double d, const TimeScale& ts);
/// The local day count at which the Sun's longitude equals `target` (degrees, 0 <= target < 360),
/// the passage nearest in longitude to `start` (a local day count); to one second.
double SolveSunLongitude(double target, double start, const TimeScale& ts);

/// The Sun for the instant of its Calendar. Reached only through Calendar::Sun().
class SunObject {
 public:
  SunObject(const SunObject&) = delete;
  SunObject& operator=(const SunObject&) = delete;

  /// Ecliptic longitude at the instant, degrees, 0 <= λ < 360.
  double Longitude() const { return longitude_; }

 private:
  friend class Calendar;
  SunObject() = default;
  void UpdateSun(double d);

  double instant_ = 0;
  double longitude_ = 0;
};

}  // namespace almacor
