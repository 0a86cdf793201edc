#pragma once

namespace almacor {

class Calendar;

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
