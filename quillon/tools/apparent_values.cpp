#include "apparent_values.h"

#include "almacor/calendar.h"
#include "almacor/format.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/planet.h"
#include "almacor/sun.h"
#include "program_strings.h"

namespace quillon {

HorizontalPoint BodyHorizontal(almacor::Calendar& calendar, int listIndex) {
  switch (listIndex) {
    case 0:
      return {calendar.Sun().Azimuth(), calendar.Sun().AltitudeT()};
    case 1:
      return {calendar.Moon().Azimuth(), calendar.Moon().AltitudeT()};
    default:
      calendar.Planet().SetName(listIndex - 1);
      return {calendar.Planet().Azimuth(), calendar.Planet().AltitudeT()};
  }
}

ApparentAngles ComputeApparent(const almacor::MathObject& math, HorizontalPoint reference,
                               HorizontalPoint target, double latitude) {
  const double lambda1 = 360 - reference.azimuth, beta1 = reference.altitude;
  const double lambda2 = 360 - target.azimuth, beta2 = target.altitude;
  const double distance = math.AngularDistance(lambda1, beta1, lambda2, beta2);
  const double zenith = math.PositionAngle(lambda1, beta1, lambda2, beta2);
  const double pole = math.PositionAngle(lambda1, beta1, 0, latitude);
  double north = zenith - pole;
  if (north < 0) north += 360;
  return {distance, zenith, north};
}

std::array<std::string, 3> ApparentTexts(const almacor::MathObject& math,
                                         const ApparentAngles& angles, bool dms) {
  const std::string_view pattern = ProgramString(ids::kElongationPattern);  // "##0.000000ﾟ"
  return {dms ? math.FormatDMS(angles.distance) : almacor::FormatNumber(angles.distance, pattern),
          almacor::FormatNumber(angles.zenithAngle, pattern),
          almacor::FormatNumber(angles.northAngle, pattern)};
}

std::string ApparentCaption(std::string_view titleBase, std::string_view yearField,
                            almacor::Date instant) {
  return std::string(titleBase) + std::string(yearField) +
         almacor::FormatDateTime(instant, "/m/d hh:nn:ss");
}

std::string ApparentCopyText(const std::array<std::string, 6>& displayedFields,
                             std::string_view referenceName, std::string_view targetName,
                             const std::array<std::string, 3>& values) {
  constexpr std::string_view kLineEnd = "\r\n";
  std::string text;
  for (std::size_t i = 0; i < displayedFields.size(); ++i) {
    text += displayedFields[i];
    text += kUnitCaptions[i];
  }
  text += kLineEnd;
  const std::array<std::string_view, 2> names = {referenceName, targetName};
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += StripAccelerator(kApparentBodyLabels[i]);
    text += '\t';
    text += names[i];
    text += kLineEnd;
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += kApparentValueLabels[i];
    text += '\t';
    text += values[i];
    text += kLineEnd;
  }
  return text;
}

}  // namespace quillon
