#!/usr/bin/python3
"""Reads quillon's year export back with Python's own parsers: the csv module must see the cells
the JSON Lines output holds, and python3-icalendar must read the iCalendar file with one event per
solar term, seasonal day, holiday, Moon phase, phenomenon (eclipses, apsides, planetary
phenomena) and 天赦日, 一粒万倍日 or 不成就日. Usage: year_export_check.py QUILLON"""
import csv
import io
import json
import subprocess
import sys

import icalendar

quillon = sys.argv[1]


def run(*args):
    return subprocess.run([quillon, "--year", "2024", *args], check=True, capture_output=True).stdout


rows = list(csv.reader(io.StringIO(run("--format", "csv").decode("utf-8"), newline="")))
days = [json.loads(line) for line in run("--format", "json").decode("utf-8").splitlines()]
assert rows[0][0] == "日付" and len(rows) == 367, len(rows)
expected_events = 0
for row, day in zip(rows[1:], days):
    assert len(row) == len(rows[0]), row
    term = day["solarTerm"]["name"] if day["solarTerm"] else ""
    phase = day["moonPhase"]["name"] if day["moonPhase"] else ""
    cells = [day["date"], day["weekday"], day["lunisolar"]["text"], day["rokuyou"],
             day["dayCycle"], day["dayStar"], day["sunrise"] or "", day["culmination"] or "",
             day["sunset"] or "", day["civilTwilightStart"] or "", day["civilTwilightEnd"] or "",
             day["moonrise"] or "", day["moonset"] or "", f"{day['moonAgeNoon']:.1f}", term]
    assert row[:15] == cells, (row, cells)
    assert row[17] == phase and row[19] == "、".join(day["zassetsu"]), row
    assert row[20] == (day["holiday"] or ""), row
    assert row[21:25] == [day["junichoku"], day["nijuhasshuku"], "、".join(day["senjitsu"]),
                          day["wareki"] or ""], row
    assert bool(row[25]) == bool(day["phenomena"]), row
    chosen = [name for name in day["senjitsu"] if name in ("天赦日", "一粒万倍日", "不成就日")]
    expected_events += (bool(term) + bool(phase) + len(day["zassetsu"]) + bool(day["holiday"])
                        + len(chosen) + len(day["phenomena"]))

calendar = icalendar.Calendar.from_ical(run("--format", "ics"))
events = [c for c in calendar.walk("VEVENT")]
eclipses = sorted(str(e["SUMMARY"]) + " " + e.decoded("DTSTART").strftime("%Y-%m-%d")
                  for e in events if str(e["CATEGORIES"].to_ical(), "utf-8") == "phenomenon"
                  and str(e["SUMMARY"])[1] == "食")
# 2024: total solar eclipse 04-08, annular 10-02 (UT), neither seen from Tokyo; the penumbral
# lunar eclipse of 03-25 and the partial one of 09-18.
assert eclipses == ["日食 太陽 2024-04-08", "日食 太陽 2024-10-02", "月食 月 2024-03-25",
                    "月食 月 2024-09-18"], eclipses
assert len(events) == expected_events, (len(events), expected_events)
assert len({str(e["UID"]) for e in events}) == len(events), "UIDs repeat"
print(f"ok: {len(rows) - 1} CSV rows, {len(events)} events")
