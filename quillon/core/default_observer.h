#pragma once

namespace quillon {

/// The observer and time zone of a first run, before anything is stored or given on the command
/// line: Tokyo, 日本標準時.
inline constexpr double kDefaultLongitude = 139.7447;  ///< degrees, east positive
inline constexpr double kDefaultLatitude = 35.6544;    ///< degrees, north positive
inline constexpr float kDefaultTimeZone = 9;           ///< hours east of UTC

}  // namespace quillon
