#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "ephemeris/event_inputs.h"

namespace almacor {

void MoonObject::UpdateMoon(double d) {
  const Settings& s = LibrarySettings();
  const MoonEcliptic e = MoonEclipticAt(d, s.time);
  const double elongation = Normalize360(e.longitude - SunLongitudeAt(d, s.time));

  // Everything is computed before anything is stored, so a failure leaves the object as it was.
  const double day = std::floor(d);
  const bool reuse =
      eventKey_ && eventKey_->day == day && detail::SameEventInputs(eventKey_->settings, s);
  Date riseTime = riseTime_, setTime = setTime_, culminationTime = culminationTime_;
  double riseAzimuth = riseAzimuth_, setAzimuth = setAzimuth_;
  double culminationAltitude = culminationAltitude_;
  if (!reuse) {
    const RiseTransitSet events = CalcMoonEvents(d, s);
    culminationTime = Date::FromDays(events.culmination.time);
    culminationAltitude = events.culmination.value;
    riseTime = Date::FromDays(events.rise.time);
    riseAzimuth = events.rise.value;
    setTime = Date::FromDays(events.set.time);
    setAzimuth = events.set.value;
  }

  instant_ = d;
  longitude_ = e.longitude;
  latitude_ = e.latitude;
  elongation_ = elongation;
  culminationTime_ = culminationTime;
  culminationAltitude_ = culminationAltitude;
  riseTime_ = riseTime;
  riseAzimuth_ = riseAzimuth;
  setTime_ = setTime;
  setAzimuth_ = setAzimuth;
  eventKey_ = EventKey{day, s};
}

Date MoonObject::CalcDate(double Elong, std::optional<Date> sDay) const {
  RequireFinite(Elong, "Elong");
  const TimeScale& ts = LibrarySettings().time;
  const double start = sDay ? sDay->Days() : instant_;
  return Date::FromDays(SolveMoonElongation(Normalize360(Elong), start, ts));
}

double MoonObject::Ascension() const {
  return EclipticToAscension(longitude_, latitude_, instant_, LibrarySettings().time);
}

double MoonObject::Declination() const {
  return EclipticToDeclination(longitude_, latitude_, instant_, LibrarySettings().time);
}

namespace {

// Horizontal coordinates from the stored λ, β and instant, for the settings in force now.
MoonHorizontal StoredHorizontal(double lambda, double beta, double d) {
  const Settings& s = LibrarySettings();
  const double epsilon = TrueObliquity(d, s.time);
  const Horizontal h = EquatorialToHorizontal(EclipticToAscension(lambda, beta, epsilon),
                                              EclipticToDeclination(lambda, beta, epsilon), d, s);
  const double altitudeT =
      TopocentricAltitude(h.altitudeG, std::sin(MoonParallaxAt(d, s.time) * kRad));
  return {h.azimuth, h.altitudeG, altitudeT, altitudeT + Refraction(altitudeT)};
}

}  // namespace

double MoonObject::Azimuth() const {
  return StoredHorizontal(longitude_, latitude_, instant_).azimuth;
}
double MoonObject::AltitudeG() const {
  return StoredHorizontal(longitude_, latitude_, instant_).altitudeG;
}
double MoonObject::AltitudeT() const {
  return StoredHorizontal(longitude_, latitude_, instant_).altitudeT;
}
double MoonObject::Altitude() const {
  return StoredHorizontal(longitude_, latitude_, instant_).altitude;
}

double MoonObject::Distance() const { return MoonDistanceAt(instant_, LibrarySettings().time); }
double MoonObject::Radius() const { return MoonRadiusAt(instant_, LibrarySettings().time); }

double MoonObject::AgeNoon() const { return MoonAgeNoonAt(instant_, LibrarySettings().time); }
double MoonObject::Age() const { return MoonAgeAt(instant_, LibrarySettings().time); }
double MoonObject::Illuminated() const { return MoonIlluminated(elongation_); }

}  // namespace almacor
