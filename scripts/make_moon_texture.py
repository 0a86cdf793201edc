#!/usr/bin/env python3
"""Renders the Moon picture of the main window: a 101 x 101 grey-scale PNG of the near side.

The face is a simple model: a bright highland disc with limb darkening, the large maria as soft
dark ellipses at their approximate selenographic places, and a few bright rayed craters. Only the
standard library is used, so the picture can be made again anywhere:
    python3 scripts/make_moon_texture.py quillon/resources/moon/moon_texture.png
"""
import math
import struct
import sys
import zlib

SIZE = 101
CENTRE = 50
RADIUS = 49.5

# Maria: selenographic longitude and latitude of the centre (degrees), semi-axes (degrees of arc on
# the sphere), darkness 0..1.
MARIA = [
    (-16, 33, 18, 14, 0.55),   # Imbrium
    (17, 28, 9, 8, 0.55),      # Serenitatis
    (31, 8, 11, 9, 0.50),      # Tranquillitatis
    (59, 17, 7, 5, 0.55),      # Crisium
    (51, -5, 8, 10, 0.45),     # Fecunditatis
    (35, -14, 6, 6, 0.40),     # Nectaris
    (-17, -21, 10, 8, 0.40),   # Nubium
    (-38, -24, 9, 7, 0.40),    # Humorum
    (-50, 15, 20, 28, 0.45),   # Procellarum
    (0, 55, 30, 5, 0.35),      # Frigoris
    (6, 13, 5, 5, 0.35),       # Vaporum
]
# Bright craters: longitude, latitude, radius (degrees), brightness, ray length (degrees, 0 none).
CRATERS = [
    (-11, -43, 2.5, 0.45, 30),  # Tycho
    (-20, 10, 2.5, 0.35, 14),   # Copernicus
    (-38, 8, 1.8, 0.30, 10),    # Kepler
    (-47, 24, 1.6, 0.45, 8),    # Aristarchus
    (9, -10, 3.0, -0.10, 0),    # Albategnius (a dark floor)
    (-4, -28, 3.5, -0.08, 0),   # Walter
    (44, -26, 2.5, 0.15, 0),    # Petavius region
]


def angular_distance(lon1, lat1, lon2, lat2):
    l1, b1, l2, b2 = map(math.radians, (lon1, lat1, lon2, lat2))
    c = math.sin(b1) * math.sin(b2) + math.cos(b1) * math.cos(b2) * math.cos(l1 - l2)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def brightness(x, y):
    """Grey level 0..255 of the pixel at (x, y), y downwards; 0 outside the disc."""
    dx = (x - CENTRE) / RADIUS
    dy = (CENTRE - y) / RADIUS
    r2 = dx * dx + dy * dy
    if r2 > 1.0:
        return 0
    dz = math.sqrt(1.0 - r2)
    lon = math.degrees(math.atan2(dx, dz))
    lat = math.degrees(math.asin(max(-1.0, min(1.0, dy))))
    level = 0.82
    for mlon, mlat, a, b, dark in MARIA:
        u = (lon - mlon) * math.cos(math.radians(lat)) / a
        v = (lat - mlat) / b
        d = u * u + v * v
        level -= dark * 0.75 * math.exp(-d * d * 0.8)
    for clon, clat, rad, bright, rays in CRATERS:
        d = angular_distance(lon, lat, clon, clat)
        if d < rad:
            level += bright
        elif rays and d < rays:
            bearing = math.atan2(lat - clat, lon - clon)
            level += 0.06 * (1 - d / rays) * (0.5 + 0.5 * math.cos(bearing * 11))
    # A faint mottling so that the highlands are not flat.
    rl, rb = math.radians(lon), math.radians(lat)
    level += 0.03 * math.sin(rl * 7) * math.cos(rb * 9) + 0.02 * math.sin(rl * 13 + rb * 5)
    level *= 0.55 + 0.45 * dz ** 0.4  # limb darkening
    return max(0, min(255, round(level * 255)))


def write_png(path, rows):
    raw = b"".join(b"\x00" + bytes(row) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 0, 0, 0, 0)  # 8-bit grey
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "quillon/resources/moon/moon_texture.png"
    write_png(out, [[brightness(x, y) for x in range(SIZE)] for y in range(SIZE)])
