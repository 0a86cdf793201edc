// Prints the time scales of the present instant in Tokyo: a first look at the library.
#include <chrono>
#include <cstdio>

#include "almacor/calendar.h"

int main() {
  using namespace std::chrono;
  almacor::Calendar calendar;
  calendar.SetPause(true);
  calendar.SetObsLongitude(139.7447);
  calendar.SetObsLatitude(35.6544);
  calendar.SetTimeZone(9);
  calendar.SetPause(false);

  const auto now = floor<seconds>(system_clock::now()) + hours(9);
  const auto day = floor<days>(now);
  const year_month_day ymd{day};
  const hh_mm_ss hms{now - day};
  calendar.SetDateTime(almacor::Date::FromCivil(
      static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
      static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(hms.hours().count()),
      static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count())));

  std::printf("Tokyo %04d-%02d-%02d %02d:%02d:%02d (UTC+9)\n", static_cast<int>(ymd.year()),
              static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
              static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()),
              static_cast<int>(hms.seconds().count()));
  std::printf("JulianDay           %.6f\n", calendar.JulianDay());
  std::printf("DeltaT              %.2f s\n", calendar.DeltaT());
  std::printf("GreenwichMean       %.6f deg\n", calendar.SiderealTime(almacor::GreenwichMean));
  std::printf("GreenwichApparent   %.6f deg\n", calendar.SiderealTime(almacor::GreenwichApparent));
  std::printf("LocalMean           %.6f deg\n", calendar.SiderealTime(almacor::LocalMean));
  std::printf("LocalApparent       %.6f deg\n", calendar.SiderealTime(almacor::LocalApparent));
  return 0;
}
