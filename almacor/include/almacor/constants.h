#pragma once

// The physical and calendar constants of the library and the program, each written once with its
// unit and where it comes from. Derived values are expressions of the others; every expression
// below evaluates to the same double as the value it stands for, so no result moves by a bit.

namespace almacor {

// Angles.

/// π to 15 significant digits, the value every angle conversion of the library uses.
inline constexpr double kPi = 3.14159265358979;
/// Degrees to radians.
inline constexpr double kRad = kPi / 180.0;

// Sizes and distances.

/// Kilometres in one astronomical unit (IAU 2012 definition).
inline constexpr double kAuKm = 149597870.7;
/// The Earth's equatorial radius, km (IAU 1976).
inline constexpr double kEarthRadiusKm = 6378.14;
/// The Moon's mean radius, km (about 0.2725076 of the Earth's equatorial radius).
inline constexpr double kMoonRadiusKm = 1738.092;
/// The Sun's radius, km (959.63″ at 1 au).
inline constexpr double kSunRadiusKm = 695989.24;
/// The Moon's radius over the Earth's equatorial radius: the sine of the Moon's semi-diameter per
/// sine of its horizontal parallax.
inline constexpr double kMoonRadiusRatio = kMoonRadiusKm / kEarthRadiusKm;
/// The Sun's apparent semi-diameter at 1 au, degrees: 16′01.18″ (the visible limb; a little more
/// than the 959.63″ of kSunRadiusKm).
inline constexpr double kSunSemiDiameterAu = 961.18 / 3600;
/// The Sun's equatorial horizontal parallax at 1 au: 8.794148″ (IAU 1976).
inline constexpr double kSolarParallaxArcsec = 8.794148;
/// The same in degrees.
inline constexpr double kSolarParallaxDeg = kSolarParallaxArcsec / 3600;
/// The same in radians.
inline constexpr double kSolarParallaxRad = kSolarParallaxDeg * kRad;
/// Aberration of the Sun's light at 1 au, degrees (20.4955″, the constant of aberration over
/// the Earth's mean orbital speed): the Sun's apparent longitude lags its true one by this over
/// its distance in au.
inline constexpr double kSunAberrationDeg = 0.0056932;

// The horizon.

/// Refraction at the horizon used for rising and setting: 35′08″, degrees.
inline constexpr double kHorizonRefraction = 35.0 / 60 + 8.0 / 3600;
/// Dip of the sea horizon per √metre of the observer's height: 2.12′, degrees.
inline constexpr double kDipPerRootMetre = 2.12 / 60;
/// Altitude of the Sun's centre at dawn (明け六つ) and dusk (暮れ六つ): −7°21′40″, degrees.
inline constexpr double kDawnDuskAltitude = -(7.0 + 21.0 / 60 + 40.0 / 3600);

// Periods.

/// Mean synodic month, days: the step from one new moon to the next.
inline constexpr double kSynodicMonth = 29.530589;
/// Mean tropical year, days: the step from one solar term to its return.
inline constexpr double kTropicalYear = 365.242194;
/// Days in a Julian year and in a Julian century.
inline constexpr double kJulianYear = 365.25;
inline constexpr double kJulianCentury = 100 * kJulianYear;

// Day counts: days since 1899-12-30 00:00 (the date encoding of Date).

/// J2000.0, 2000-01-01 12:00, as a day count.
inline constexpr double kJ2000Days = 36526.5;
/// Added to a day count, gives a number whose remainder by 60 is the day's place in the
/// sixty-day cycle (干支), by 10 its stem and by 12 its branch: day 0, 1899-12-30, is 2415068 mod
/// 60 = 8, 壬申 (a continuous count from the cycle's origin, the same as the Julian day number
/// 2415019 of that day plus 49).
inline constexpr long kSexagenaryDayOffset = 2415068;
/// 1970-01-01 00:00, the origin of Unix time, as a day count.
inline constexpr double kUnixEpochDays = 25569.0;
/// The first and the last whole day a Date can hold: 0100-01-01 and 9999-12-31.
inline constexpr double kFirstDay = -657434.0;
inline constexpr double kLastDay = 2958465.0;

}  // namespace almacor
