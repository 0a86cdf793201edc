#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "almacor/date.h"
#include "phenomena_list.h"

namespace almacor {
class Calendar;
}

namespace quillon {

/// Everything the library computes for the Calendar's instant as one JSON object, keyed by the
/// library's member names: the observer and time scales, sidereal times, every calendar, the Sun,
/// the Moon and the eight planets (under "Planets", keyed by their English names, each with its
/// visual "Magnitude" and "Illuminated" fraction). Angles are
/// degrees at full precision, distances au (Moon km), times local date-times. Sets Planet().Name
/// to each planet in turn and leaves it at Pluto.
nlohmann::ordered_json InstantJson(almacor::Calendar& calendar);

}  // namespace quillon
