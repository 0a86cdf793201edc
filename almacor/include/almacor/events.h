#pragma once

namespace almacor {

/// A daily event of a body: when it happens and the value that goes with it.
struct BodyEvent {
  double time = 0;   ///< local linear day count
  double value = 0;  ///< azimuth (rise, set; degrees from north through east) or apparent
                     ///< altitude (culmination; degrees); 0 for the twilights
  friend bool operator==(const BodyEvent&, const BodyEvent&) = default;
};

/// Rise, culmination and set of a body for one local civil day.
struct RiseTransitSet {
  BodyEvent rise;
  BodyEvent culmination;
  BodyEvent set;
  friend bool operator==(const RiseTransitSet&, const RiseTransitSet&) = default;
};

}  // namespace almacor
