#pragma once

namespace almacor {

class Calendar;

/// One planet at a time, selected by Name. Reached only through Calendar::Planet().
class PlanetObject {
 public:
  PlanetObject(const PlanetObject&) = delete;
  PlanetObject& operator=(const PlanetObject&) = delete;

 private:
  friend class Calendar;
  PlanetObject() = default;
  void UpdatePlanet(double d) { instant_ = d; }

  double instant_ = 0;
};

}  // namespace almacor
