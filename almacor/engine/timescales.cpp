#include "almacor/timescales.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "almacor/angles.h"
#include "almacor/date.h"
#include "almacor/error.h"
#include "engine/of_date.h"

namespace almacor {
namespace {

constexpr int kNodes = 72;

// ΔT in seconds on 1 January 12:00 of the years 50, 100, 150 … 1600 (every 50 years), then 1620,
// 1630 … 2010 (every 10 years). 1600 → 1620 is a 20-year step, and the values are not monotonic
// there.
constexpr std::array<double, kNodes> kDeltaTNodeValues = {
    10100, 9600,  9100,  8600,  8200,  7700,  7200,  6700,   // 50 … 400
    6200,  5700,  5200,  4700,  4300,  3800,  3400,  3000,   // 450 … 800
    2600,  2200,  1900,  1600,  1350,  1100,  900,   750,    // 850 … 1200
    600,   470,   380,   300,   230,   180,   140,   110,    // 1250 … 1600
    124,   85,    62,    48,    37,    26,    16,    10,     // 1620 … 1690
    9,     10,    11,    11,    12,    13,    15,    16,     // 1700 … 1770
    17,    17,    13.7,  12.5,  12,    7.5,   5.7,   7.1,    // 1780 … 1850
    7.88,  1.61,  -5.4,  -5.87, -2.72, 10.46, 21.16, 24.02,  // 1860 … 1930
    24.33, 29.15, 33.15, 40.18, 50.54, 56.86, 63.83, 66.07   // 1940 … 2010
};

constexpr int NodeYear(int k) { return k == 0 ? 50 : k <= 31 ? 50 * (k + 1) : 10 * (k + 1) + 1290; }

// The cubic Hermite interpolation of the ΔT nodes: in interval k, with s = (u − x_k)/(x_{k+1} −
// x_k), ΔT = y_k + B_k·s + C_k·s² + E_k·s³. The slope at each node is that of the parabola through
// it and its two neighbours (the end nodes use the end parabolas).
struct DeltaTTable {
  std::array<double, kNodes> x{}, y{}, slope{};
  std::array<double, kNodes - 1> b{}, c{}, e{};

  DeltaTTable() {
    for (int k = 0; k < kNodes; ++k) {
      x[k] = CivilToDays(NodeYear(k), 1, 1) + 0.5;
      y[k] = kDeltaTNodeValues[k];
    }
    for (int k = 1; k < kNodes - 1; ++k) slope[k] = ParabolaSlope(k - 1, x[k]);
    slope[0] = ParabolaSlope(0, x[0]);
    slope[kNodes - 1] = ParabolaSlope(kNodes - 3, x[kNodes - 1]);
    for (int k = 0; k < kNodes - 1; ++k) {
      const double h = x[k + 1] - x[k];
      b[k] = h * slope[k];
      c[k] = 3 * y[k + 1] - h * slope[k + 1] - 3 * y[k] - 2 * b[k];
      e[k] = y[k + 1] - y[k] - b[k] - c[k];
    }
  }

  // Slope at `at` of the parabola through nodes first, first + 1, first + 2.
  double ParabolaSlope(int first, double at) const {
    const int i = first, j = first + 1, k = first + 2;
    const double s1 = (y[j] - y[i]) / (x[j] - x[i]);
    const double c2 = ((y[k] - y[j]) / (x[k] - x[j]) - s1) / (x[k] - x[i]);
    const double b1 = s1 - (x[j] + x[i]) * c2;
    return b1 + 2 * c2 * at;
  }

  // The last interval whose start is not after u (0 before the first node, where the first cubic
  // is extrapolated, and the last one after the last node): guessed from the year of u, which
  // lies within one node of it, then corrected.
  int Interval(double u) const {
    const double year = std::clamp(1900 + u / 365.2425, 0.0, 2100.0);
    int k = year < 1600 ? static_cast<int>(year / 50) - 1 : static_cast<int>(year / 10) - 130;
    k = std::clamp(k, 0, kNodes - 2);
    while (k < kNodes - 2 && x[k + 1] <= u) ++k;
    while (k > 0 && x[k] > u) --k;
    return k;
  }

  double At(double u) const {
    const int k = Interval(u);
    const double s = (u - x[k]) / (x[k + 1] - x[k]);
    return y[k] + s * (b[k] + s * (c[k] + s * e[k]));
  }
};

const DeltaTTable& Table() {
  static const DeltaTTable table;
  return table;
}

constexpr double kDeltaTFormulaStart = 40179;  // 2010-01-01 00:00 UT

}  // namespace

double EstimateDeltaT(double u, const TimeScale& ts) {
  if (!ts.deltaTEstimated) return ts.deltaT;
  RequireFinite(u, "day count");
  if (u >= kDeltaTFormulaStart) {
    const double t = (u - kJ2000Days) / kJulianCentury;
    const double w = 2 * kPi / 14.85;
    const double x = t * (0.85 * t + 2.89) + 4.3 * std::cos((t + 1) * w) / w - 9.37934455146463;
    return x * kJulianYear * 0.1 + 66.07;
  }
  return Table().At(u);
}

double YearsSinceEpoch(double d, bool saturnEpoch, const TimeScale& ts) {
  const double u = UniversalDays(d, ts);
  const double base = saturnEpoch ? 27394.0 : kJ2000Days;
  return (u - base + EstimateDeltaT(u, ts) / 86400.0) / kJulianYear;
}

double JulianDayTDOf(double d, const TimeScale& ts) {
  return JulianDayOf(d, ts) + EstimateDeltaT(UniversalDays(d, ts), ts) / 86400.0;
}

double CalcSiderealTime(double d, SiderealTimeConstant kind, const Settings& s) {
  RequireFinite(d, "day count");
  if (!(kind & GreenwichApparent)) return detail::SiderealTimeOf(d, kind, s, 0, 0);
  const double ty = YearsSinceEpoch(d, false, s.time);
  return detail::SiderealTimeOf(d, kind, s, ty, detail::TrueObliquityAtYears(ty));
}

double detail::SiderealTimeOf(double d, SiderealTimeConstant kind, const Settings& s, double ty,
                              double epsilon) {
  const double t = (UniversalDays(d, s.time) - kJ2000Days) / kJulianYear;
  const double theta0 = 100.460618375 + 360.007700535833 * t + 3.87933333333333e-8 * t * t -
                        2.58333333333333e-14 * t * t * t;
  double theta = Normalize360(theta0) - 15.0 * static_cast<double>(s.time.timeZone) +
                 360.0 * (d - std::floor(d));
  if (kind & LocalMean) theta += s.observer.longitude;
  if (kind & GreenwichApparent) {
    const double nutation = 0.0048 * std::sin((234.95 + 19.341 * ty) * kRad) -
                            0.0004 * std::sin((201.1 + 720.02 * ty) * kRad);
    theta += nutation * std::cos(epsilon * kRad);
  }
  return Normalize360(theta);
}

}  // namespace almacor
