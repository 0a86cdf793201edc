// The library's public interface driven by the input: a random sequence of setter calls on one
// Calendar (observer, zone, ΔT, instant, pause, recalculation, planet) interleaved with reads of
// every numeric getter, then the free functions at a random instant and observer. A rejected
// value is an almacor::Error and must change nothing; any other exception, a crash, a hang, a
// sanitizer report or a non-finite number from a getter that defines one is a fault.
#include <cstdint>

#include "almacor/calendar.h"
#include "almacor/calendars.h"
#include "almacor/error.h"
#include "almacor/format.h"
#include "almacor/koyomi.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "almacor/timescales.h"
#include "fuzz_input.h"

namespace {

using almacor::Date;

constexpr double kFirstDay = -657434;  // 0100-01-01
constexpr double kLastDay = 2958465;   // 9999-12-31

Date AnyDate(FuzzedDataProvider& in) {
  return Date::FromCivil(in.ConsumeIntegralInRange(90, 10010), in.ConsumeIntegralInRange(0, 13),
                         in.ConsumeIntegralInRange(0, 32), in.ConsumeIntegralInRange(-1, 24),
                         in.ConsumeIntegralInRange(-1, 60), in.ConsumeIntegralInRange(-1, 60));
}

template <typename Body>
void ReadBody(const Body& body) {
  REQUIRE_FINITE(body.Ascension());
  REQUIRE_FINITE(body.Declination());
  REQUIRE_FINITE(body.Azimuth());
  REQUIRE_FINITE(body.Altitude());
  REQUIRE_FINITE(body.AltitudeG());
  REQUIRE_FINITE(body.AltitudeT());
  REQUIRE_FINITE(body.Distance());
  REQUIRE_FINITE(body.Radius());
  REQUIRE_FINITE(body.Longitude());
  REQUIRE_FINITE(body.RiseTime().Value());
  REQUIRE_FINITE(body.RiseAzimuth());
  REQUIRE_FINITE(body.SetTime().Value());
  REQUIRE_FINITE(body.SetAzimuth());
  REQUIRE_FINITE(body.CulminationTime().Value());
  REQUIRE_FINITE(body.CulminationAltitude());
}

void ReadAll(almacor::Calendar& c) {
  REQUIRE_FINITE(c.JulianDay());
  REQUIRE_FINITE(c.JulianDayTD());
  REQUIRE_FINITE(c.DeltaT());
  for (auto kind : {almacor::GreenwichMean, almacor::GreenwichApparent, almacor::LocalMean,
                    almacor::LocalApparent}) {
    REQUIRE_FINITE(c.SiderealTime(kind));
  }
  for (auto ymd : {almacor::YmdYear, almacor::YmdMonth, almacor::YmdDay}) {
    c.ZodiacalSigns(ymd);
    c.ZodiacalNumber(ymd, almacor::Zodiac12);
    c.Kyusei(ymd);
  }
  c.Rokuyou();
  c.IslamicMonthName();
  c.HebrewMonthName();
  ReadBody(c.Sun());
  REQUIRE_FINITE(c.Sun().Obliquity());
  REQUIRE_FINITE(c.Sun().Dawn().Value());
  REQUIRE_FINITE(c.Sun().AstronomicalTwilightS().Value());
  ReadBody(c.Moon());
  REQUIRE_FINITE(c.Moon().Latitude());
  REQUIRE_FINITE(c.Moon().Elongation());
  REQUIRE_FINITE(c.Moon().Age());
  REQUIRE_FINITE(c.Moon().AgeNoon());
  REQUIRE_FINITE(c.Moon().Illuminated());
  ReadBody(c.Planet());
  REQUIRE_FINITE(c.Planet().LongitudeS());
  REQUIRE_FINITE(c.Planet().DistanceS());
}

void Step(almacor::Calendar& c, FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 13)) {
    case 0: c.SetObsLatitude(fuzz::AnyDouble(in, -95, 95)); break;
    case 1: c.SetObsLongitude(fuzz::AnyDouble(in, -190, 190)); break;
    case 2: c.SetObsHeight(fuzz::AnyDouble(in, -10, 2e7)); break;
    case 3: c.SetTimeZone(static_cast<float>(fuzz::AnyDouble(in, -13, 13))); break;
    case 4: c.SetDeltaT(fuzz::AnyDouble(in, -20, 3e5)); break;
    case 5: c.SetDtEstimated(in.ConsumeBool()); break;
    case 6: c.SetDateTime(AnyDate(in)); break;
    case 7: c.SetDateTime(Date::FromDays(fuzz::AnyDouble(in, kFirstDay, kLastDay))); break;
    case 8: c.SetPause(in.ConsumeBool()); break;
    case 9: c.Calculate(); break;
    case 10: c.Planet().SetName(in.ConsumeIntegralInRange(-1, 11)); break;
    case 11: c.Sun().CalcDate(fuzz::AnyDouble(in, -400, 400), AnyDate(in)); break;
    case 12: c.Moon().CalcDate(fuzz::AnyDouble(in, -400, 400), AnyDate(in)); break;
    default: {
      const almacor::MathObject& m = c.Math();
      REQUIRE_FINITE(m.AngularDistance(fuzz::AnyDouble(in, -400, 400), fuzz::AnyDouble(in, -90, 90),
                                       fuzz::AnyDouble(in, -400, 400), fuzz::AnyDouble(in, -90, 90)));
      m.FormatDMS(fuzz::AnyDouble(in, -400, 400));
      almacor::FormatNumber(fuzz::AnyDouble(in, -1e6, 1e6), in.ConsumeRandomLengthString(16));
      almacor::FormatDateTime(c.DateTime(), in.ConsumeRandomLengthString(16));
    }
  }
}

// The stateless layer at one instant and observer drawn from the input.
void FreeFunctions(FuzzedDataProvider& in) {
  almacor::Settings s;
  s.observer = {in.ConsumeFloatingPointInRange(-180.0, 180.0),
                in.ConsumeFloatingPointInRange(-89.999, 89.999),
                in.ConsumeFloatingPointInRange(0.0, 9000.0)};
  s.time.timeZone = static_cast<float>(in.ConsumeFloatingPointInRange(-12.0, 12.0));
  s.time.deltaTEstimated = in.ConsumeBool();
  s.time.deltaT = in.ConsumeFloatingPointInRange(-10.0, 259200.0);
  const double d = in.ConsumeFloatingPointInRange(kFirstDay + 40, kLastDay - 40);
  REQUIRE_FINITE(almacor::SunHorizontalAt(d, s).altitude);
  REQUIRE_FINITE(almacor::CalcSunRiseSet(d, s).rise.time);
  REQUIRE_FINITE(almacor::MoonHorizontalAt(d, s).altitude);
  REQUIRE_FINITE(almacor::CalcMoonEvents(d, s).set.time);
  REQUIRE_FINITE(almacor::MoonAgeAt(d, s.time));
  const auto planet = static_cast<almacor::PlanetNameConstant>(in.ConsumeIntegralInRange(1, 8));
  REQUIRE_FINITE(almacor::PlanetEquatorialAt(planet, d, s.time).ascension);
  REQUIRE_FINITE(almacor::CalcSiderealTime(d, almacor::LocalApparent, s));
  almacor::CalcLunisolar(d, s.time);
  almacor::CalcHebrewCalendar(d);
  almacor::CalcIslamicCalendar(d);
  almacor::CalcMayaCalendar(d);
  const int year = in.ConsumeIntegralInRange(100, 9999);
  almacor::ZassetsuOfYear(year, s.time);
  almacor::HolidaysOfYear(year);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  static almacor::Calendar calendar;
  // The settings are process-wide: every run starts from the same observer and instant.
  calendar.SetPause(true);
  calendar.SetObsLatitude(35.6544);
  calendar.SetObsLongitude(139.7447);
  calendar.SetObsHeight(0);
  calendar.SetTimeZone(9);
  calendar.SetDtEstimated(true);
  calendar.Planet().SetName(1);
  calendar.SetDateTime(Date::FromCivil(2024, 1, 1));
  calendar.SetPause(false);
  if (in.ConsumeBool()) {
    try {
      FreeFunctions(in);
    } catch (const almacor::Error&) {
      // The free functions reject what the setters reject.
    }
    return 0;
  }
  for (int steps = 0; steps < 24 && in.remaining_bytes() > 0; ++steps) {
    try {
      Step(calendar, in);
    } catch (const almacor::Error&) {
      // A rejected value: the state must still read as numbers.
    }
    try {
      ReadAll(calendar);
    } catch (const almacor::Error& error) {
      // An event time outside 0100-01-01 … 9999-12-31 (a rise on the day before the first day
      // of the range, at an observer whose zone is far from its solar time) cannot be a Date:
      // an overflow. An invalid argument from a getter of an accepted state is a fault.
      if (error.Number() == almacor::kInvalidArgument) __builtin_trap();
    }
  }
  return 0;
}
