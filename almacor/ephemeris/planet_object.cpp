#include <algorithm>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/planet.h"

namespace almacor {

void PlanetObject::SetName(std::int32_t n) {
  const auto planet =
      static_cast<PlanetNameConstant>(std::clamp<std::int32_t>(n, plMercury, plPluto));
  const Settings& s = LibrarySettings();
  const PlanetPosition position = PlanetPositionAt(planet, instant_, s.time);
  name_ = planet;
  position_ = position;
  // The events come after the position: if they fail (a negative height, an event outside the
  // Date range) the new position stays and the events keep their previous values.
  const RiseTransitSet events = CalcPlanetEvents(planet, instant_, s);
  const Date rise = Date::FromDays(events.rise.time);
  const Date set = Date::FromDays(events.set.time);
  const Date culmination = Date::FromDays(events.culmination.time);
  events_ = events;
  riseTime_ = rise;
  setTime_ = set;
  culminationTime_ = culmination;
}

double PlanetObject::Radius() const {
  if (name_ == 0) throw Error(kDivisionByZero, "no planet selected: assign Name first");
  return PlanetRadius(Name(), position_.distance);
}

double PlanetObject::Ascension() const {
  return PlanetEquatorialOf(position_, instant_, LibrarySettings().time).ascension;
}

double PlanetObject::Declination() const {
  return PlanetEquatorialOf(position_, instant_, LibrarySettings().time).declination;
}

PlanetHorizontal PlanetObject::Horizontal() const {
  return PlanetHorizontalOf(position_, instant_, LibrarySettings());
}

double PlanetObject::AltitudeG() const {
  const Settings& s = LibrarySettings();
  const PlanetEquatorial eq = PlanetEquatorialOf(position_, instant_, s.time);
  return EquatorialToHorizontal(eq.ascension, eq.declination, instant_, s).altitudeG;
}

double PlanetObject::AltitudeT() const { return Horizontal().altitudeT; }

double PlanetObject::Altitude() const { return Horizontal().altitude; }

double PlanetObject::Azimuth() const {
  const Settings& s = LibrarySettings();
  const PlanetEquatorial eq = PlanetEquatorialOf(position_, instant_, s.time);
  return EquatorialToHorizontal(eq.ascension, eq.declination, instant_, s).azimuth;
}

}  // namespace almacor
