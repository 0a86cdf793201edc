#!/usr/bin/python3
"""Writes tests/data/moon_reference.csv: an independent reference for the Moon's series and events.

Computed with PyEphem (Debian's python3-ephem), which is not based on our series. Run with
/usr/bin/python3 from the repository root:  /usr/bin/python3 scripts/reference/moon_reference.py

Time scales. Position rows and new/full moon rows are given in dynamical time (TT) as Julian days;
the tests evaluate the library with a fixed ΔT of 0, so that their day count is TT itself and no
ΔT model enters the comparison. PyEphem takes UT, so each TT instant is handed to it as
TT − ΔT, with PyEphem's own ΔT (ephem.delta_t); its results are therefore for that TT instant.
Event rows (moonrise, transit, moonset at Tokyo) are Universal Time Julian days; the tests use the
library's estimated ΔT there (the two ΔT models differ by seconds near 2000, which moves an event
by far less than its tolerance).

Rows (kind, then fields):
  position, jd_tt, longitude, latitude, distance_km, ascension, declination
      apparent geocentric ecliptic longitude and latitude of date (PyEphem's apparent geocentric
      right ascension and declination turned into ecliptic coordinates of date), degrees; distance
      from the Earth's centre, km; apparent geocentric right ascension and declination, degrees.
  new, jd_tt / full, jd_tt      new and full moons (PyEphem's phase search).
  rise, jd_ut, azimuth / set, jd_ut, azimuth / transit, jd_ut, altitude
      Tokyo 139.7447 E, 35.6544 N, 0 m. The definitions are made to match the library's: the centre
      of the Moon (use_center), no atmosphere (pressure 0) and a horizon of −35′08″; PyEphem then
      applies the topocentric parallax itself. Remaining differences: PyEphem uses the ellipsoidal
      Earth for the parallax (the library a sphere), and the transit altitude is topocentric without
      refraction (the tests add the library's refraction).
"""
import csv
import math
import os
import random

import ephem

DJD = 2415020.0  # Julian day of PyEphem's date 0 (1899-12-31 12:00)
KM_PER_AU = 149597870.7
OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'tests', 'data', 'moon_reference.csv')


def ut_for_tt(jd_tt):
    """PyEphem date (UT) whose dynamical time is jd_tt."""
    ut = jd_tt - DJD
    for _ in range(3):
        ut = jd_tt - DJD - ephem.delta_t(ephem.Date(ut)) / 86400.0
    return ephem.Date(ut)


def tt_of_ut(date):
    return float(date) + DJD + ephem.delta_t(date) / 86400.0


def jd_tt_of_year(year):
    return 2451545.0 + (year - 2000) * 365.25


def position_row(jd_tt):
    date = ut_for_tt(jd_tt)
    moon = ephem.Moon()
    moon.compute(date, epoch=date)
    ecl = ephem.Ecliptic(ephem.Equatorial(moon.g_ra, moon.g_dec, epoch=date), epoch=date)
    return ['position', '%.6f' % jd_tt, '%.6f' % math.degrees(ecl.lon),
            '%.6f' % math.degrees(ecl.lat), '%.3f' % (moon.earth_distance * KM_PER_AU),
            '%.6f' % math.degrees(moon.g_ra), '%.6f' % math.degrees(moon.g_dec)]


def main():
    rng = random.Random(20260101)
    rows = []
    # 300 instants spread over 1800–2200, plus far dates.
    for _ in range(300):
        rows.append(position_row(jd_tt_of_year(rng.uniform(1800, 2200))))
    for year in (500, 1000, 1200, 1500, 2500, 2800, 3000):
        for _ in range(4):
            rows.append(position_row(jd_tt_of_year(year + rng.uniform(0, 1))))
    # New and full moons after 60 start dates over 1800–2200.
    for _ in range(60):
        start = ut_for_tt(jd_tt_of_year(rng.uniform(1800, 2200)))
        rows.append(['new', '%.6f' % tt_of_ut(ephem.next_new_moon(start))])
        rows.append(['full', '%.6f' % tt_of_ut(ephem.next_full_moon(start))])
    # Every moonrise, transit and moonset at Tokyo in two 40-day windows.
    tokyo = ephem.Observer()
    tokyo.lon, tokyo.lat, tokyo.elevation = '139.7447', '35.6544', 0
    tokyo.pressure = 0
    tokyo.horizon = '-0:35:08'
    moon = ephem.Moon()
    for first in ('1999/12/25', '2025/6/1'):
        for kind, finder in (('rise', tokyo.next_rising), ('set', tokyo.next_setting),
                             ('transit', tokyo.next_transit)):
            tokyo.date = ephem.Date(first)
            end = ephem.Date(tokyo.date + 40)
            while True:
                when = finder(moon, use_center=True) if kind != 'transit' else finder(moon)
                if when > end:
                    break
                tokyo.date = when
                moon.compute(tokyo)
                value = math.degrees(moon.az) if kind != 'transit' else math.degrees(moon.alt)
                rows.append([kind, '%.6f' % (float(when) + DJD), '%.4f' % value])
                tokyo.date = ephem.Date(when + ephem.minute)
    with open(OUT, 'w', newline='') as f:
        f.write('# Moon reference from PyEphem %s (scripts/reference/moon_reference.py)\n'
                % ephem.__version__)
        csv.writer(f, lineterminator='\n').writerows(rows)


if __name__ == '__main__':
    main()
