#include "almacor/calendar.h"

#include <cmath>

#include "almacor/error.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"

namespace almacor {
namespace {

LocationEditor& RegisteredLocationEditor() {
  static LocationEditor editor;
  return editor;
}

// The first Calendar of the process switches ΔT to the built-in estimate.
void InitDeltaTSettingsOnce() {
  static bool initialized = false;
  if (initialized) return;
  LibrarySettings().time.deltaTEstimated = true;
  LibrarySettings().time.deltaT = 0;
  initialized = true;
}

void Reject(const char* what) { throw Error(kInvalidArgument, what); }

}  // namespace

void RegisterLocationEditor(LocationEditor editor) {
  RegisteredLocationEditor() = std::move(editor);
}

// The ΔT settings first, then the children.
Calendar::Calendar() {
  InitDeltaTSettingsOnce();
  paused_ = false;
  sun_.reset(new SunObject);
  moon_.reset(new MoonObject);
  planet_.reset(new PlanetObject);
  math_.reset(new MathObject);
}

Calendar::~Calendar() = default;

void Calendar::Calculate() {
  if (paused_) return;
  const double d = instant_;
  const TimeScale& ts = LibrarySettings().time;
  sun_->UpdateSun(d);
  moon_->UpdateMoon(d);
  planet_->UpdatePlanet(d);
  lunisolar_ = CalcLunisolar(d, ts, lunisolarCache_);
  julianDay_ = JulianDayOf(d, ts);
  julian_ = CalcJulianCalendar(d);
  solarTerms_ = CalcSolarTerms(d, sun_->Longitude(), ts, solarTerms_, solarTermCache_);
  Calc_IslamicCalendar(d);
  hebrew_ = CalcHebrewCalendar(d);
  maya_ = CalcMayaCalendar(d);
}

void Calendar::LocationInput(bool& ok) {
  const LocationEditor& editor = RegisteredLocationEditor();
  ok = editor ? editor() : false;
  if (ok) Calculate();
}

double Calendar::ObsLatitude() const { return LibrarySettings().observer.latitude; }
void Calendar::SetObsLatitude(double value) {
  if (!(std::fabs(value) < 90)) Reject("ObsLatitude must lie strictly between -90 and 90");
  LibrarySettings().observer.latitude = value;
  Calculate();
}

double Calendar::ObsLongitude() const { return LibrarySettings().observer.longitude; }
void Calendar::SetObsLongitude(double value) {
  if (!(std::fabs(value) <= 180)) Reject("ObsLongitude must lie between -180 and 180");
  LibrarySettings().observer.longitude = value;
  Calculate();
}

double Calendar::ObsHeight() const { return LibrarySettings().observer.height; }
void Calendar::SetObsHeight(double value) {
  if (!(value >= 0) || !std::isfinite(value)) Reject("ObsHeight must be 0 or more metres");
  LibrarySettings().observer.height = value;
  Calculate();
}

float Calendar::TimeZone() const { return LibrarySettings().time.timeZone; }
void Calendar::SetTimeZone(float value) {
  if (!(value >= -12 && value <= 12)) Reject("TimeZone must lie between -12 and 12 hours");
  LibrarySettings().time.timeZone = value;
  Calculate();
}

Date Calendar::DateTime() const { return Date::FromDays(instant_); }
void Calendar::SetDateTime(Date value) {
  instant_ = value.Days();
  Calculate();
}

// The stored Julian day plus the ΔT in effect: JulianDayTD − JulianDay is always DeltaT/86400,
// also while paused.
double Calendar::JulianDayTD() const { return julianDay_ + DeltaT() / 86400.0; }

double Calendar::SiderealTime(SiderealTimeConstant timeType) const {
  if (timeType < GreenwichMean || timeType > LocalApparent) Reject("unknown SiderealTimeConstant");
  return CalcSiderealTime(instant_, timeType, LibrarySettings());
}

double Calendar::DeltaT() const {
  const TimeScale& ts = LibrarySettings().time;
  return EstimateDeltaT(UniversalDays(instant_, ts), ts);
}

void Calendar::SetDeltaT(double value) {
  if (!(value >= -10 && value <= 259200)) Reject("DeltaT must lie between -10 and 259200 seconds");
  TimeScale& ts = LibrarySettings().time;
  if (value == ts.deltaT) return;
  ts.deltaT = value;
  Calculate();
}

bool Calendar::DtEstimated() const { return LibrarySettings().time.deltaTEstimated; }
void Calendar::SetDtEstimated(bool value) {
  // Recalculate whenever the ΔT in effect for the instant changes, so that no stored result keeps
  // the ΔT that is no longer in force.
  const double before = DeltaT();
  LibrarySettings().time.deltaTEstimated = value;
  if (DeltaT() != before) Calculate();
}

void Calendar::Calc_IslamicCalendar(double sDay) {
  RequireFinite(sDay, "sDay");
  islamic_ = CalcIslamicCalendar(sDay);
}

}  // namespace almacor
