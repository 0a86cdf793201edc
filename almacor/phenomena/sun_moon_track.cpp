#include "phenomena/sun_moon_track.h"

#include <cmath>

#include "almacor/angles.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"

namespace almacor::detail {
namespace {

/// Spacing of the samples, days (3 hours).
constexpr double kSpacing = 0.125;
/// The Earth's rotation, degrees of sidereal time per day of Universal Time.
constexpr double kSiderealRate = 360.98564736629;

// An angle brought within ±180° of `reference`, so that a longitude passing 0° stays continuous.
double Near(double angle, double reference) {
  return reference + std::remainder(angle - reference, 360.0);
}

Vector3 FromEcliptic(double longitude, double latitude, double distance, double sinE, double cosE) {
  const double cb = std::cos(latitude * kRad), sb = std::sin(latitude * kRad);
  const double cl = std::cos(longitude * kRad), sl = std::sin(longitude * kRad);
  return {distance * cb * cl, distance * (cosE * cb * sl - sinE * sb),
          distance * (sinE * cb * sl + cosE * sb)};
}

}  // namespace

double Norm(const Vector3& a) { return std::sqrt(Dot(a, a)); }

double AngleBetween(const Vector3& a, const Vector3& b) {
  const Vector3 c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  return std::atan2(Norm(c), Dot(a, b)) / kRad;
}

SunMoonTrack::Quartic SunMoonTrack::Fit(const double f[5]) {
  // Samples at u = −2 … 2: the even part gives c0, c2, c4, the odd part c1, c3.
  const double e1 = (f[3] + f[1]) / 2, e2 = (f[4] + f[0]) / 2;
  const double o1 = (f[3] - f[1]) / 2, o2 = (f[4] - f[0]) / 2;
  const double c4 = (e2 - 4 * e1 + 3 * f[2]) / 12;
  const double c3 = (o2 - 2 * o1) / 6;
  return {{f[2], o1 - c3, e1 - f[2] - c4, c3, c4}};
}

SunMoonTrack::SunMoonTrack(double centre, const TimeScale& ts) : centre_(centre) {
  const double epsilon = TrueObliquity(centre, ts) * kRad;
  sinObliquity_ = std::sin(epsilon);
  cosObliquity_ = std::cos(epsilon);
  double ml[5], mb[5], mp[5], sl[5], sr[5];
  for (int j = 0; j < 5; ++j) {
    const double d = centre + (j - 2) * kSpacing;
    const MoonEcliptic moon = MoonEclipticAt(d, ts);
    ml[j] = moon.longitude;
    mb[j] = moon.latitude;
    mp[j] = MoonParallaxAt(d, ts);
    sl[j] = SunLongitudeAt(d, ts);
    sr[j] = SunDistanceAt(d, ts);
  }
  for (int j = 0; j < 5; ++j) {
    ml[j] = Near(ml[j], ml[2]);
    sl[j] = Near(sl[j], sl[2]);
  }
  moonLongitude_ = Fit(ml);
  moonLatitude_ = Fit(mb);
  moonParallax_ = Fit(mp);
  sunLongitude_ = Fit(sl);
  sunDistance_ = Fit(sr);
  double moon[3][5], sun[3][5];
  for (int j = 0; j < 5; ++j) {
    const Vector3 m = FromEcliptic(ml[j], mb[j], kEarthRadiusKm / std::sin(mp[j] * kRad),
                                   sinObliquity_, cosObliquity_);
    const Vector3 s = FromEcliptic(sl[j], 0, sr[j] * kAuKm, sinObliquity_, cosObliquity_);
    moon[0][j] = m.x, moon[1][j] = m.y, moon[2][j] = m.z;
    sun[0][j] = s.x, sun[1][j] = s.y, sun[2][j] = s.z;
  }
  for (int i = 0; i < 3; ++i) {
    moon_[i] = Fit(moon[i]);
    sun_[i] = Fit(sun[i]);
  }
}

SunMoonEcliptic SunMoonTrack::EclipticAt(double d) const {
  const double u = (d - centre_) / kSpacing;
  return {moonLongitude_(u), moonLatitude_(u), moonParallax_(u), sunLongitude_(u), sunDistance_(u)};
}

SunMoonPlace SunMoonTrack::At(double d) const {
  const double u = (d - centre_) / kSpacing;
  const Vector3 sun{sun_[0](u), sun_[1](u), sun_[2](u)};
  const Vector3 moon{moon_[0](u), moon_[1](u), moon_[2](u)};
  return {sun, moon, Norm(moon), Norm(sun)};
}

double SunMoonTrack::ApparentAltitude(const Vector3& body, const Vector3& observer) {
  const Vector3 topocentric = body - observer;
  const double h = DegAsin(Dot(topocentric, observer) / (Norm(topocentric) * kEarthRadiusKm));
  return h + Refraction(h);
}

void SunMoonTrack::SetObserver(const Settings& s) {
  siderealAtCentre_ = CalcSiderealTime(centre_, LocalApparent, s);
  sinLatitude_ = std::sin(s.observer.latitude * kRad);
  cosLatitude_ = std::cos(s.observer.latitude * kRad);
}

Vector3 SunMoonTrack::Observer(double d) const {
  const double theta = (siderealAtCentre_ + kSiderealRate * (d - centre_)) * kRad;
  return {kEarthRadiusKm * cosLatitude_ * std::cos(theta),
          kEarthRadiusKm * cosLatitude_ * std::sin(theta), kEarthRadiusKm * sinLatitude_};
}

}  // namespace almacor::detail
