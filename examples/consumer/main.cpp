// Today's sunrise and sunset in Tokyo and the date in the Japanese lunisolar calendar.
#include <chrono>
#include <cmath>
#include <cstdio>

#include "almacor/calendars.h"
#include "almacor/sun.h"

int main() {
  almacor::Settings tokyo;  // observer, time zone, ΔT model
  tokyo.observer = {139.7447, 35.6544, 0};
  tokyo.time.timeZone = 9;
  using namespace std::chrono;
  const year_month_day today{floor<days>(system_clock::now() + hours(9))};
  const int y = int(today.year()), m = int(unsigned(today.month())), d = int(unsigned(today.day()));
  const double day = almacor::CivilToDays(y, m, d);  // local day count

  const almacor::SunRiseSet sun = almacor::CalcSunRiseSet(day, tokyo);
  const almacor::LunisolarDate lunisolar = almacor::CalcLunisolar(day, tokyo.time);
  const auto minutes = [](double t) { return int(std::lround((t - std::floor(t)) * 1440)); };
  const int rise = minutes(sun.rise.time), set = minutes(sun.set.time);
  std::printf("Tokyo %04d-%02d-%02d: sunrise %02d:%02d, sunset %02d:%02d, lunisolar %s%d月%d日\n",
              y, m, d, rise / 60, rise % 60, set / 60, set % 60, lunisolar.leap ? "閏" : "",
              lunisolar.month, lunisolar.day);
}
