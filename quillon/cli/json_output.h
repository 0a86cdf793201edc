#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "almacor/date.h"

namespace almacor {
class Calendar;
}

namespace quillon {

/// A date value as local "YYYY-MM-DDThh:mm:ss", taken to the nearest second.
std::string IsoDateTime(almacor::Date date);

/// Everything the library computes for the Calendar's instant as one JSON object, keyed by the
/// library's member names: the observer and time scales, sidereal times, every calendar, the Sun,
/// the Moon and the eight planets (under "Planets", keyed by their English names). Angles are
/// degrees at full precision, distances au (Moon km), times local date-times. Sets Planet().Name
/// to each planet in turn and leaves it at Pluto.
nlohmann::ordered_json InstantJson(almacor::Calendar& calendar);

}  // namespace quillon
