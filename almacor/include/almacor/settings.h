#pragma once

namespace almacor {

/// Where the observer stands.
struct Observer {
  double longitude = 0;  ///< degrees, east positive, |longitude| <= 180
  double latitude = 0;   ///< degrees, north positive, |latitude| < 90
  double height = 0;     ///< metres above sea level, >= 0
};

/// How local civil time relates to Universal Time and dynamical time.
struct TimeScale {
  float timeZone = 0;           ///< hours; local civil time = UT + timeZone
  bool deltaTEstimated = true;  ///< true: the built-in ΔT model; false: `deltaT`
  double deltaT = 0;            ///< seconds (TD − UT) used when not estimated
};

/// Everything a computation reads besides its instant.
struct Settings {
  Observer observer;
  TimeScale time;
};

/// The library-wide settings, shared by every Calendar and its children in the process.
Settings& LibrarySettings();

}  // namespace almacor
