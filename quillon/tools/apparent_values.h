#pragma once

#include <array>
#include <string>
#include <string_view>

#include "almacor/date.h"

namespace almacor {
class Calendar;
class MathObject;
}  // namespace almacor

namespace quillon {

/// The main window's command that opens the apparent-distance window; cut before its access key
/// it is the window's title.
inline constexpr std::string_view kApparentMenuCaption = "天体間の視距離(&A)";

/// Captions of the apparent-distance window: the two body rows, then the three value rows.
inline constexpr std::array<std::string_view, 2> kApparentBodyLabels = {"基準天体(&O)",
                                                                        "対象天体(&T)"};
inline constexpr std::array<std::string_view, 3> kApparentValueLabels = {"視角距離", "天頂方向角",
                                                                         "北極方向角"};

/// Where a body stands in the observer's sky, degrees: azimuth from north through east and the
/// topocentric altitude without refraction.
struct HorizontalPoint {
  double azimuth;
  double altitude;
};

/// The body at position `listIndex` of the body lists (0 the Sun, 1 the Moon, k >= 2 the planet
/// numbered k − 1, which this selects as the Calendar's Planet) at the Calendar's instant.
HorizontalPoint BodyHorizontal(almacor::Calendar& calendar, int listIndex);

/// What the window shows, degrees: the apparent angular distance (0 … 180), and the direction of
/// the target seen from the reference body (0 <= angle < 360, turning towards decreasing azimuth),
/// measured from the zenith direction and from the direction of the celestial north pole.
struct ApparentAngles {
  double distance;
  double zenithAngle;
  double northAngle;
};

/// The angles between two bodies for an observer at `latitude` (degrees north). The horizontal
/// coordinates are taken as the spherical pair (360 − azimuth, altitude), whose pole is the zenith
/// and where the celestial north pole stands at (0, latitude).
ApparentAngles ComputeApparent(const almacor::MathObject& math, HorizontalPoint reference,
                               HorizontalPoint target, double latitude);

/// The three value texts: the distance as degrees, minutes and seconds when `dms`, otherwise in
/// "##0.000000ﾟ" like both position angles.
std::array<std::string, 3> ApparentTexts(const almacor::MathObject& math,
                                         const ApparentAngles& angles, bool dms);

/// The window's title while it shows values: `titleBase`, the main window's year field, then
/// the instant's "/m/d hh:nn:ss".
std::string ApparentCaption(std::string_view titleBase, std::string_view yearField,
                            almacor::Date instant);

/// The copy text, six lines each ending in CR LF: the six date and time fields with their units,
/// the two body rows (label TAB body name) and the three value rows (label TAB value text).
std::string ApparentCopyText(const std::array<std::string, 6>& displayedFields,
                             std::string_view referenceName, std::string_view targetName,
                             const std::array<std::string, 3>& values);

}  // namespace quillon
