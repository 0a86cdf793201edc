#!/usr/bin/env python3
"""Coefficients of the polynomial sine of almacor/ephemeris/fast_sine.h.

sin(2πf) for |f| <= 1/4 turn as f·q(f²), q of degree 7 (an odd polynomial of degree 15), with the
largest absolute error as small as it can be: the Remez exchange at 60 digits (mpmath), starting
from the Chebyshev points. Prints the coefficients of f, f³ … f¹⁵ as C++ doubles, the equioscillating
error, and the largest error of their evaluation in double precision (Horner) over 200,001 points.
"""
import mpmath as mp

mp.mp.dps = 60
COUNT = 8  # coefficients of f, f^3, ..., f^15
QUARTER = mp.mpf(1) / 4


def target(f):
    return mp.sin(2 * mp.pi * f)


def polynomial(c, f):
    return sum(c[k] * f ** (2 * k + 1) for k in range(COUNT))


def solve(points):
    """The coefficients whose error alternates with equal size E at the points."""
    n = COUNT + 1
    a = mp.matrix(n, n)
    rhs = mp.matrix(n, 1)
    for i, f in enumerate(points):
        for k in range(COUNT):
            a[i, k] = f ** (2 * k + 1)
        a[i, COUNT] = (-1) ** i
        rhs[i] = target(f)
    x = mp.lu_solve(a, rhs)
    return [x[k] for k in range(COUNT)], x[COUNT]


def main():
    points = [QUARTER / 2 * (1 - mp.cos(mp.pi * (i + 1) / (COUNT + 1))) for i in range(COUNT + 1)]
    grid = [QUARTER * i / 4000 for i in range(1, 4001)]
    for _ in range(12):
        c, e = solve(points)
        errors = [polynomial(c, f) - target(f) for f in grid]
        extrema = [grid[i] for i in range(1, len(grid) - 1)
                   if (errors[i] - errors[i - 1]) * (errors[i + 1] - errors[i]) <= 0]
        extrema.append(grid[-1])
        points = extrema[-(COUNT + 1):]
    print(f"equioscillating error {mp.nstr(abs(e), 3)}")
    doubles = [float(x) for x in c]
    for x in doubles:
        print(f"    {x!r},")
    worst = 0.0
    for i in range(200001):
        f = 0.25 * i / 200000
        f2 = f * f
        p = doubles[-1]
        for k in range(COUNT - 2, -1, -1):
            p = p * f2 + doubles[k]
        worst = max(worst, abs(p * f - float(target(mp.mpf(f)))))
    print(f"largest error in double precision {worst:.2g}")


if __name__ == "__main__":
    main()
