#pragma once

#include <array>

namespace almacor::detail {

/// One periodic term: amplitude·sin(phase + rate·T), T in Julian years of dynamical time since
/// J2000.0, angles in degrees; the amplitude may drift by amplitudeRate per year.
struct SunTerm {
  double amplitude;
  double amplitudeRate;
  double phase;
  double rate;
};

/// The Sun's apparent ecliptic longitude: 19 terms added to the mean longitude, in this order.
/// The 0.0048 term is the nutation in longitude (argument of the Moon's node).
inline constexpr std::array<SunTerm, 19> kSunLongitudeTerms = {{
    {1.9146, -0.00005, 357.538, 359.991},
    {0.0200, 0, 355.05, 719.981},
    {0.0048, 0, 234.95, 19.341},
    {0.0020, 0, 247.1, 329.64},
    {0.0018, 0, 297.8, 4452.67},
    {0.0018, 0, 251.3, 0.2},
    {0.0015, 0, 343.2, 450.37},
    {0.0013, 0, 81.4, 225.18},
    {0.0008, 0, 132.5, 659.29},
    {0.0007, 0, 153.3, 90.38},
    // 10
    {0.0007, 0, 206.8, 30.35},
    {0.0006, 0, 29.8, 337.18},
    {0.0005, 0, 207.4, 1.5},
    {0.0005, 0, 291.2, 22.81},
    {0.0004, 0, 234.9, 315.56},
    {0.0004, 0, 157.3, 299.3},
    {0.0004, 0, 21.1, 720.02},
    {0.0003, 0, 352.5, 1079.97},
    {0.0003, 0, 329.7, 44.43},
}};

/// log10 of the Sun's distance in au: a constant 0.000030 plus these terms.
inline constexpr std::array<SunTerm, 5> kSunDistanceTerms = {{
    {0.007256, -0.0000002, 267.54, 359.9905},
    {0.000091, 0, 265.1, 719.981},
    {0.000013, 0, 27.8, 4452.671},
    {0.000007, 0, 254, 450.37},
    {0.000007, 0, 156, 329.64},
}};
inline constexpr double kSunDistanceConstant = 0.000030;

}  // namespace almacor::detail
