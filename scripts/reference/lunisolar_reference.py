#!/usr/bin/python3
"""Reference tables for the lunisolar and solar-term tests, from PyEphem (an independent ephemeris).

Writes, for Japan Standard Time (UTC+9):
  tests/data/lunisolar_months.csv  one row per lunar month from 1950 to 2060: civil date of its
                                   first day, lunar year, month, leap flag (0/1), length in days;
  tests/data/solar_terms.csv       one row per term of the twenty-four from 1990 to 2040: term index
                                   (0 = 立春 at 315°, then every 15°), civil date of its day.

The months follow the rule of the modern Japanese and Chinese calendars as it is usually stated:
a month runs from the day of a new moon to the day before the next; the month holding the principal
term at 270° + 30°·k is month 11 + k (mod 12); in a year (month 11 to month 11) of thirteen months
the first month holding no principal term is the leap month and takes the number of the month
before it. This is written independently of the library's procedure, which fixes months 2, 5, 8 and
11 at the equinoxes and solstices; the two can differ only in rare years where the principal terms
leave the numbering open, and they agree on every month of 1950-2060 (2033 included).

Run with Debian's Python (it has ephem): /usr/bin/python3 scripts/reference/lunisolar_reference.py
"""
import csv
import math
import os

import ephem

ZONE = 9 / 24  # days
DATA = os.path.join(os.path.dirname(__file__), '..', '..', 'tests', 'data')


def sun_longitude(t):
    """Apparent geocentric ecliptic longitude of the Sun (degrees, ecliptic of date) at ephem date t."""
    sun = ephem.Sun(ephem.Date(t))
    ecl = ephem.Ecliptic(ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=ephem.Date(t)), epoch=ephem.Date(t))
    return math.degrees(ecl.lon) % 360


def solve_longitude(target, start):
    """The ephem date when the Sun's longitude is `target`, nearest `start`, to about 0.1 s."""
    t = start
    for _ in range(50):
        delta = (sun_longitude(t) - target + 180) % 360 - 180
        step = delta / 360 * 365.2422
        t -= step
        if abs(step) < 1e-6:
            return t
    raise RuntimeError('no convergence')


def local_day(t):
    """Local (JST) civil day of an ephem date, as a Python date ordinal."""
    d = ephem.Date(t + ZONE).datetime()
    return d.date().toordinal()


def principal_terms(first_year, last_year):
    """(day ordinal, longitude) of every principal term from the winter solstice before first_year."""
    out = []
    t = float(ephem.Date('%d/12/10' % (first_year - 2)))
    target = 270
    while True:
        t = solve_longitude(target, t)
        if ephem.Date(t).datetime().year > last_year + 1:
            return out
        out.append((local_day(t), target))
        target = (target + 30) % 360
        t += 30


def new_moon_days(first_year, last_year):
    out = []
    t = ephem.Date('%d/11/01' % (first_year - 2))
    while ephem.Date(t).datetime().year <= last_year + 1:
        t = ephem.next_new_moon(t)
        out.append(local_day(float(t)))
        t = ephem.Date(t + 1)
    return out


def lunar_months(first_year, last_year):
    moons = new_moon_days(first_year, last_year)
    terms = principal_terms(first_year, last_year)
    months = []  # [start, end, [longitudes held]]
    for a, b in zip(moons, moons[1:]):
        months.append([a, b, [lon for day, lon in terms if a <= day < b]])
    # Number from each month holding a winter solstice to the next.
    solstice_months = [i for i, m in enumerate(months) if 270 in m[2]]
    numbered = {}
    for s, e in zip(solstice_months, solstice_months[1:]):
        leap_used = e - s == 12  # twelve months between: no leap month
        number = 11
        numbered[s] = (11, False)
        for i in range(s + 1, e):
            if not leap_used and not months[i][2]:
                numbered[i] = (number, True)
                leap_used = True
            else:
                number = number % 12 + 1
                numbered[i] = (number, False)
    rows = []
    year = None
    for i in sorted(numbered):
        start, end, _ = months[i]
        number, leap = numbered[i]
        if number == 1 and not leap:
            year = ephem.Date(0).datetime().fromordinal(start).year
        if year is None:
            continue
        civil = ephem.Date(0).datetime().fromordinal(start)
        if first_year <= civil.year <= last_year:
            rows.append((civil.strftime('%Y-%m-%d'), year, number, int(leap), end - start))
    return rows


def solar_term_rows(first_year, last_year):
    rows = []
    t = float(ephem.Date('%d/01/05' % first_year))
    target = 285
    while True:
        t = solve_longitude(target, t)
        civil = ephem.Date(0).datetime().fromordinal(local_day(t))
        if civil.year > last_year:
            return rows
        if civil.year >= first_year:
            rows.append((int(((target - 315) % 360) / 15), civil.strftime('%Y-%m-%d')))
        target = (target + 15) % 360
        t += 15


def main():
    with open(os.path.join(DATA, 'lunisolar_months.csv'), 'w', newline='') as f:
        w = csv.writer(f, lineterminator='\n')
        w.writerow(['first_day', 'year', 'month', 'leap', 'days'])
        w.writerows(lunar_months(1950, 2060))
    with open(os.path.join(DATA, 'solar_terms.csv'), 'w', newline='') as f:
        w = csv.writer(f, lineterminator='\n')
        w.writerow(['index', 'day'])
        w.writerows(solar_term_rows(1990, 2040))


if __name__ == '__main__':
    main()
