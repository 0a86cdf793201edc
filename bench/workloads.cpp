// Fixed workloads for comparing ephemeris libraries on one machine. Each runs once and prints
//   W<n> almacor <seconds> <ops> <ns_per_op>
// W1 Sun apparent RA and Dec at 1,000,000 instants spread evenly over 1900–2100 (UT).
// W2 Moon apparent geocentric ecliptic longitude and latitude at 1,000,000 instants, 1900–2100.
// W3 Sunrise and sunset for every day of 1900–2099 at Tokyo (139.7447 E, 35.6544 N, 0 m, UTC+9).
// W4 All new moons from 1900 to 2100 through the elongation solver.
// W5 Geocentric RA and Dec of the eight planets at 100,000 instants over 1900–2100, as a batch
//    caller computes them: what the planets share at an instant (PlanetInstantAt) once per instant.
// W6 Moonrise and moonset for every day of 2000–2009 at Tokyo.
#include <chrono>
#include <cstdio>

#include "almacor/date.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/settings.h"
#include "almacor/sun.h"

namespace {

using almacor::CivilToDays;

volatile double sink;

template <class Work>
void Run(int number, long ops, Work work) {
  const auto start = std::chrono::steady_clock::now();
  double checksum = 0;
  const long done = work(checksum);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  sink = checksum;
  const long count = done > 0 ? done : ops;
  std::printf("W%d almacor %.6f %ld %.1f\n", number, seconds, count, seconds * 1e9 / count);
}

almacor::Settings Tokyo() {
  almacor::Settings s;
  s.observer = {139.7447, 35.6544, 0};
  s.time.timeZone = 9;
  return s;
}

}  // namespace

int main() {
  const almacor::TimeScale ut;  // zone 0, estimated ΔT
  const double first = CivilToDays(1900, 1, 1), last = CivilToDays(2100, 1, 1);

  constexpr long kInstants = 1000000;
  const double step = (last - first) / (kInstants - 1);
  Run(1, kInstants, [&](double& sum) {
    for (long i = 0; i < kInstants; ++i) {
      const auto eq = almacor::SunEquatorialAt(first + i * step, ut);
      sum += eq.ascension + eq.declination;
    }
    return kInstants;
  });
  Run(2, kInstants, [&](double& sum) {
    for (long i = 0; i < kInstants; ++i) {
      const auto ec = almacor::MoonEclipticAt(first + i * step, ut);
      sum += ec.longitude + ec.latitude;
    }
    return kInstants;
  });

  const almacor::Settings tokyo = Tokyo();
  Run(3, 0, [&](double& sum) {
    long days = 0;
    for (double d = first; d < CivilToDays(2100, 1, 1); d += 1, ++days) {
      const auto events = almacor::CalcSunRiseSet(d, tokyo);
      sum += events.rise.time + events.set.time;
    }
    return days;
  });
  Run(4, 0, [&](double& sum) {
    long count = 0;
    for (double t = almacor::SolveMoonElongation(0, first, ut); t < last;
         t = almacor::SolveMoonElongation(0, t + 29.530589, ut)) {
      if (t >= first) ++count;
      sum += t;
    }
    return count;
  });

  constexpr long kPlanetInstants = 100000;
  const double planetStep = (last - first) / (kPlanetInstants - 1);
  Run(5, 8 * kPlanetInstants, [&](double& sum) {
    for (long i = 0; i < kPlanetInstants; ++i) {
      const almacor::PlanetInstant at = almacor::PlanetInstantAt(first + i * planetStep, ut);
      for (int p = almacor::plMercury; p <= almacor::plPluto; ++p) {
        const auto eq =
            almacor::PlanetEquatorialAt(static_cast<almacor::PlanetNameConstant>(p), at);
        sum += eq.ascension + eq.declination;
      }
    }
    return 8 * kPlanetInstants;
  });
  Run(6, 0, [&](double& sum) {
    long days = 0;
    for (double d = CivilToDays(2000, 1, 1); d < CivilToDays(2010, 1, 1); d += 1, ++days) {
      const auto events = almacor::CalcMoonEvents(d, tokyo);
      sum += events.rise.time + events.set.time;
    }
    return days;
  });
  return 0;
}
