#!/usr/bin/python3
"""Writes tests/data/zassetsu_reference.csv and tests/data/moon_phases_reference.csv.

A second computation of the seasonal days (雑節) and the Moon's four phases with PyEphem (Debian's
python3-ephem), independent of the library's series. Run with /usr/bin/python3 from the repository
root:  /usr/bin/python3 scripts/reference/koyomi_reference.py

Seasonal days, 1950–2100, in Japan Standard Time (UT+9): the Sun's apparent geocentric ecliptic
longitude of date (PyEphem's apparent right ascension and declination turned into ecliptic
coordinates of date) is solved for each longitude by bisection to a second; the days follow the
usual definitions: 節分 the day before 立春 (315°), 彼岸 the equinox day and three days either side,
社日 the 戊 day whose noon is nearest the equinox, 八十八夜 / 二百十日 / 二百二十日 the 88th / 210th
/ 220th day counting 立春 as the first, 入梅 80°, 半夏生 100°, 土用の入り 297°, 27°, 117°, 207°,
and 土用の丑の日 the 丑 days from 117° to the day before 立秋 (135°).
Rows: date, name, margin: the minutes between the solved instant that decides the day and the
nearest local midnight (for 社日 also the noon of the 癸 day, where the choice turns); a second
computation may put a day within a few minutes of such a boundary on the other side of it.

Moon phases, 2000–2030: PyEphem's new moon, first quarter, full moon and last quarter searches,
as UT Julian days. Rows: kind (0 new, 1 first quarter, 2 full, 3 last quarter), jd_ut.
"""
import datetime
import math
import os

import ephem

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "tests", "data")
DUBLIN_JD = 2415020.0  # ephem.Date 0
ZONE = 9 / 24.0


def sun_longitude(date):
    sun = ephem.Sun(date)
    ecl = ephem.Ecliptic(ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=date), epoch=date)
    return math.degrees(float(ecl.lon))


def solve(target, near):
    """The UT ephem date at which the Sun's longitude is `target`, within ±20 days of `near`."""
    def error(d):
        return (sun_longitude(ephem.Date(d)) - target + 180) % 360 - 180
    lo, hi = float(near) - 20, float(near) + 20
    assert error(lo) < 0 < error(hi)
    while hi - lo > 0.5 / 86400:
        mid = (lo + hi) / 2
        if error(mid) < 0:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def margin(ut):
    """Minutes from the local instant of a UT ephem date to the nearest local midnight."""
    f = (float(ut) + ZONE + 0.5) % 1.0  # ephem dates count from noon
    return min(f, 1 - f) * 1440


def local_day(ut):
    """The JST civil date of a UT ephem date, as a datetime.date."""
    y, m, d, *_ = ephem.Date(ut + ZONE).tuple()
    return datetime.date(y, m, int(d))


def passage(target, y, m, d):
    return solve(target, ephem.Date(f"{y}/{m}/{d}"))


# The sixty-cycle number of 1899-12-30 is 2415068 mod 60; stem = n mod 10, branch = n mod 12.
EPOCH = datetime.date(1899, 12, 30)


def cycle(day):
    return (day - EPOCH).days + 2415068


def zassetsu(year):
    one = datetime.timedelta(days=1)
    rows = []
    t = passage(315, year, 2, 4)
    risshun, m = local_day(t), margin(t)
    rows += [(risshun - one, "節分", m), (risshun + 87 * one, "八十八夜", m),
             (risshun + 209 * one, "二百十日", m), (risshun + 219 * one, "二百二十日", m)]
    for lon, mo, d in ((0, 3, 20), (180, 9, 23)):
        t = passage(lon, year, mo, d)
        day, m = local_day(t), margin(t)
        rows += [(day - 3 * one, "彼岸入り", m), (day, "彼岸の中日", m), (day + 3 * one, "彼岸明け", m)]
        before = day - ((cycle(day) - 4) % 10) * one
        after = before + 10 * one
        # Local day counts of the equinox instant and of the two noons.
        t_local = float(t) + ZONE
        noon = lambda x: float(ephem.Date(x.strftime("%Y/%m/%d"))) + 0.5
        turn = abs(t_local - (noon(before) + 5)) * 1440
        chosen = before if t_local - noon(before) <= noon(after) - t_local else after
        rows.append((chosen, "社日", min(m, turn)))
    for lon, mo, d, name in ((80, 6, 11, "入梅"), (100, 7, 2, "半夏生"), (297, 1, 17, "土用の入り"),
                             (27, 4, 17, "土用の入り"), (117, 7, 20, "土用の入り"),
                             (207, 10, 20, "土用の入り")):
        t = passage(lon, year, mo, d)
        rows.append((local_day(t), name, margin(t)))
    t_start, t_end = passage(117, year, 7, 20), passage(135, year, 8, 7)
    m = min(margin(t_start), margin(t_end))
    day, end = local_day(t_start), local_day(t_end)
    while day < end:
        if cycle(day) % 12 == 1:
            rows.append((day, "土用の丑の日", m))
        day += one
    return sorted(rows, key=lambda r: r[0])


def phases():
    rows = []
    searches = [(0, ephem.next_new_moon), (1, ephem.next_first_quarter_moon),
                (2, ephem.next_full_moon), (3, ephem.next_last_quarter_moon)]
    for kind, search in searches:
        d = ephem.Date("2000/1/1")
        while True:
            d = search(d)
            if d >= ephem.Date("2031/1/1"):
                break
            rows.append((float(d) + DUBLIN_JD, kind))
            d = ephem.Date(d + 1)
    return sorted(rows)


def main():
    with open(os.path.join(DATA, "zassetsu_reference.csv"), "w", encoding="utf-8") as f:
        f.write(f"# Generated by scripts/reference/koyomi_reference.py with PyEphem {ephem.__version__}\n")
        f.write("date,name,margin\n")
        for year in range(1950, 2101):
            for day, name, m in zassetsu(year):
                f.write(f"{day.isoformat()},{name},{m:.1f}\n")
    with open(os.path.join(DATA, "moon_phases_reference.csv"), "w", encoding="utf-8") as f:
        f.write(f"# Generated by scripts/reference/koyomi_reference.py with PyEphem {ephem.__version__}\n")
        f.write("kind,jd_ut\n")
        for jd, kind in phases():
            f.write(f"{kind},{jd:.6f}\n")


if __name__ == "__main__":
    main()
