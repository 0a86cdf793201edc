#include <cmath>

#include "almacor/angles.h"
#include "almacor/error.h"
#include "almacor/sun.h"
#include "ephemeris/event_inputs.h"
#include "ephemeris/sun_detail.h"

namespace almacor {

void SunObject::UpdateSun(double d) {
  const Settings& s = LibrarySettings();
  const double longitude = SunLongitudeAt(d, s.time);
  const double day = std::floor(d);
  // A step within the same local day (real-time and sweep modes) keeps the day's events.
  if (!eventsValid_ || day != eventsDay_ || !detail::SameEventInputs(s, eventsSettings_)) {
    eventsValid_ = false;
    events_ = CalcSunEvents(d, s);
    eventsValid_ = true;
    eventsDay_ = day;
    eventsSettings_ = s;
  }
  instant_ = d;
  longitude_ = longitude;
}

Date SunObject::CalcDate(double sunLongitude, const Date& sDay) const {
  RequireFinite(sunLongitude, "SunLongitude");
  const double t =
      SolveSunLongitude(Normalize360(sunLongitude), sDay.Days(), LibrarySettings().time);
  return Date::FromDays(t);
}

double SunObject::Obliquity() const { return TrueObliquity(instant_, LibrarySettings().time); }

double SunObject::Ascension() const {
  return detail::SunEquatorialOf(longitude_, instant_, LibrarySettings().time).ascension;
}

double SunObject::Declination() const {
  return detail::SunEquatorialOf(longitude_, instant_, LibrarySettings().time).declination;
}

SunHorizontal SunObject::HorizontalNow() const {
  const Settings& s = LibrarySettings();
  return detail::SunHorizontalOf(detail::SunEquatorialOf(longitude_, instant_, s.time), Distance(),
                                 instant_, s);
}

double SunObject::Azimuth() const { return HorizontalNow().azimuth; }
double SunObject::AltitudeG() const { return HorizontalNow().altitudeG; }
double SunObject::AltitudeT() const { return HorizontalNow().altitudeT; }
double SunObject::Altitude() const { return HorizontalNow().altitude; }

double SunObject::Distance() const { return SunDistanceAt(instant_, LibrarySettings().time); }

double SunObject::Radius() const { return kSunSemiDiameterAu / Distance(); }

}  // namespace almacor
