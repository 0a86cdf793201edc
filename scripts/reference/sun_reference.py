#!/usr/bin/python3
"""Writes the Sun's reference tables from PyEphem (an independent VSOP87-based ephemeris).

Run with Debian's Python, which has PyEphem:  /usr/bin/python3 scripts/reference/sun_reference.py

tests/data/sun_reference.csv — the Sun's apparent geocentric place at a few hundred instants over
1800–2200 and a few far ones (years 500, 1000, 3000, 5000):
    jd_tt, longitude, ascension, declination, distance
  * The instants are given in dynamical time (Julian day TT). PyEphem takes Universal Time and adds
    its own ΔT, so each instant is handed to it as TT − ΔT(PyEphem); the test evaluates the series
    at the same TT (time zone 0 and a fixed ΔT of 0, so that its UT day count is the TT one). The
    comparison therefore measures the series alone, free of the two ΔT models.
  * longitude: apparent ecliptic longitude of date (PyEphem's apparent RA/Dec of date turned to
    ecliptic coordinates of date; PyEphem uses the mean obliquity there, which shifts the Sun's
    latitude by up to 9" but its longitude only to second order).
  * ascension, declination: apparent geocentric RA/Dec of date, degrees; distance: au.

tests/data/sun_events_reference.csv — daily events at a few places and days of 1900–2099:
    latitude, longitude, height, zone, year, month, day, event, seconds
  * seconds: local civil time of the event in seconds after local midnight of that date.
  * PyEphem is set up to match our definitions: pressure 0 (no refraction model; the refraction is
    in the horizon), rise and set when the upper limb of the topocentric disk reaches −35'08",
    twilights and dawn/dusk with the centre at −6°, −12°, −18° and −7°21'40", every one of these
    horizons lowered by the dip 2.12'·sqrt(height in metres); the culmination is the meridian
    transit. Of the previous and the next event PyEphem finds from our starting time (06:00 for
    morning events, 12:00 for the culmination, 18:00 for evening events) the nearer is taken, as our
    iteration does, so near midnight an event may lie on a neighbouring date (seconds outside
    0 … 86400). The
    remaining differences of definition are small: our targets are geocentric altitudes corrected
    by the horizontal parallax (PyEphem uses the full topocentric place), our semi-diameter is
    16'01.18"/r, and PyEphem takes UT with its own ΔT (within about two minutes of ours over
    1900–2099, which moves the Sun by under 0.002°).
  * Events that do not occur (polar day or night) are left out: the substitutes are our own rule.
"""

import csv
import math
import os

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "tests", "data")

DUBLIN_JD = 2415020.0  # ephem.Date 0 = JD 2415020.0 (1899-12-31 12:00)


def deg(angle):
    return math.degrees(float(angle))


def ephem_date_of_tt(jd_tt):
    """PyEphem's (UT) date for the instant jd_tt in dynamical time."""
    date = jd_tt - DUBLIN_JD
    for _ in range(3):  # ΔT changes by well under a second while it moves by ΔT
        date = jd_tt - DUBLIN_JD - ephem.delta_t(ephem.Date(date)) / 86400.0
    return ephem.Date(date)


def positions():
    rows = []
    first, last = 2378496.5, 2524593.5  # 1800-01-01, 2200-01-01
    count = 320
    step = (last - first) / count
    # An odd fraction of a day on each step spreads the instants over the times of day too.
    instants = [first + i * step + (i * 0.37) % 1.0 for i in range(count)]
    for year_jd in (1903682.5, 2086307.5, 2816787.5, 3547273.5):  # years 500, 1000, 3000, 5000
        instants += [year_jd + k * 91.3 + 0.25 for k in range(4)]
    for jd_tt in instants:
        date = ephem_date_of_tt(jd_tt)
        sun = ephem.Sun(date)
        ecl = ephem.Ecliptic(ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=date), epoch=date)
        rows.append([f"{jd_tt:.6f}", f"{deg(ecl.lon):.7f}", f"{deg(sun.g_ra):.7f}",
                     f"{deg(sun.g_dec):.7f}", f"{sun.earth_distance:.9f}"])
    return rows


PLACES = [  # latitude, longitude, height (m), time zone (h)
    (35.6544, 139.7447, 0, 9),     # Tokyo
    (35.6544, 139.7447, 100, 9),   # Tokyo, 100 m up
    (51.4779, -0.0015, 0, 0),      # Greenwich
    (40.7128, -74.0060, 0, -5),    # New York
    (-33.8688, 151.2093, 0, 10),   # Sydney
    (64.1466, -21.9426, 0, 0),     # Reykjavik
    (1.3521, 103.8198, 0, 8),      # Singapore
    (-54.8019, -68.3030, 0, -3),   # Ushuaia
]
DAYS = [(1900, 1, 1), (1925, 3, 21), (1950, 6, 21), (1975, 9, 23), (2000, 1, 1), (2000, 12, 21),
        (2024, 2, 29), (2050, 6, 21), (2075, 8, 15), (2099, 12, 31)]
EVENTS = [  # name, horizon, centre?, kind
    ("culmination", None, None, "transit"),
    ("rise", "-0:35:08", False, "rising"),
    ("set", "-0:35:08", False, "setting"),
    ("dawn", "-7:21:40", True, "rising"),
    ("dusk", "-7:21:40", True, "setting"),
    ("civilTwilightR", "-6", True, "rising"),
    ("civilTwilightS", "-6", True, "setting"),
    ("nauticalTwilightR", "-12", True, "rising"),
    ("nauticalTwilightS", "-12", True, "setting"),
    ("astronomicalTwilightR", "-18", True, "rising"),
    ("astronomicalTwilightS", "-18", True, "setting"),
]


def events():
    rows = []
    for lat, lon, height, zone in PLACES:
        dip = 2.12 / 60 * math.sqrt(height)
        for y, m, d in DAYS:
            midnight = ephem.Date(f"{y}/{m}/{d}") - zone / 24.0  # local midnight in UT
            for name, horizon, centre, kind in EVENTS:
                obs = ephem.Observer()
                obs.lat, obs.lon = str(lat), str(lon)
                obs.elevation = height
                obs.pressure = 0
                # Our iteration starts at 06:00 (morning), 12:00 (culmination) or 18:00 (evening)
                # and finds the event nearest to it, which may lie on a neighbouring date.
                start = midnight + {"transit": 0.5, "rising": 0.25, "setting": 0.75}[kind]
                obs.date = start
                if horizon is not None:
                    obs.horizon = ephem.degrees(math.radians(deg(ephem.degrees(horizon)) - dip))
                try:
                    if kind == "transit":
                        found = [obs.previous_transit(ephem.Sun()), obs.next_transit(ephem.Sun())]
                    elif kind == "rising":
                        found = [obs.previous_rising(ephem.Sun(), use_center=centre),
                                 obs.next_rising(ephem.Sun(), use_center=centre)]
                    else:
                        found = [obs.previous_setting(ephem.Sun(), use_center=centre),
                                 obs.next_setting(ephem.Sun(), use_center=centre)]
                except (ephem.AlwaysUpError, ephem.NeverUpError):
                    continue
                t = min(found, key=lambda e: abs(float(e) - float(start)))
                seconds = (float(t) - float(midnight)) * 86400.0
                rows.append([lat, lon, height, zone, y, m, d, name, f"{seconds:.1f}"])
    return rows


def write(name, header, rows):
    with open(os.path.join(DATA, name), "w", newline="") as f:
        f.write(f"# Generated by scripts/reference/sun_reference.py with PyEphem {ephem.__version__}\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerow(header)
        w.writerows(rows)


if __name__ == "__main__":
    write("sun_reference.csv", ["jd_tt", "longitude", "ascension", "declination", "distance"],
          positions())
    write("sun_events_reference.csv",
          ["latitude", "longitude", "height", "zone", "year", "month", "day", "event", "seconds"],
          events())
