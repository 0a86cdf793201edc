#pragma once

#include <array>
#include <functional>
#include <optional>

#include "almacor/date.h"

namespace quillon {

/// Gregorian month length, proleptic for every year.
int DaysInMonth(int year, int month);

/// The six date and time components of the main window (0 year … 5 second) as the spin controls
/// hold them. Each component has a top and a bottom value one step outside its valid range (the
/// year's are its range, 100 and 9999), so that stepping out of the range is seen and turned into a
/// carry or a borrow of the next larger unit; at 0100-01-01 00:00:00 and 9999-12-31 23:59:59 the
/// smaller unit is clamped instead. Only the outermost change recalculates: a carry through every
/// unit is one new instant.
class TimeEntry {
 public:
  struct Hooks {
    std::function<void(int component, int value)> showValue;  ///< write the field's text
    std::function<void(int days)> showDayRange;  ///< the day field's range changed: its tooltip
    std::function<void(const almacor::CivilDateTime&)> recalculate;  ///< the new instant
    std::function<bool()> visible;  ///< only a visible window recalculates on a change
  };

  explicit TimeEntry(Hooks hooks);

  int Value(int component) const { return value_[component]; }
  almacor::CivilDateTime Instant() const;

  /// A spin control's arrows: one step towards the top or bottom value.
  void StepUp(int component);
  void StepDown(int component);
  /// Sets a spin control's value (clamped to its top and bottom); a change runs the change
  /// handler, assigning the value it already has does nothing.
  void SetValue(int component, int value);

  /// Loads an instant into the six components without recalculating in between; the caller then
  /// sets the Calendar and redisplays once.
  void Load(const almacor::CivilDateTime& instant);

  /// Validation of a typed field: `number` (the number the field's text begins with, empty for
  /// an empty text), rounded, must lie in the component's valid range (the day's: the current
  /// month). Accepted values are set; the result says whether the number was accepted.
  bool Validate(int component, std::optional<double> number);

  /// "正時(&H)" (`toHour` true) and "0秒(Z)": the seconds, and for the hour also the minutes, to 0,
  /// recalculating once.
  void Zero(bool toHour);

  int DisplayedSecond() const { return displayedSecond_; }

 private:
  void Change(int component);
  void Assign(int component, int value);

  Hooks hooks_;
  std::array<int, 6> value_{2000, 1, 1, 0, 0, 0};
  std::array<int, 6> top_{9999, 13, 32, 24, 60, 60};
  std::array<int, 6> bottom_{100, 0, 0, -1, -1, -1};
  bool suppressRecalc_ = false;
  int changeDepth_ = 0;
  int displayedSecond_ = 0;
};

/// One step of the sweep: the instant plus one unit (0 year … 5 second). Adding a month or a year
/// keeps the day of month but clamps it to the target month. Empty when the result would leave
/// 0100-01-01 00:00:00 … 9999-12-31 23:59:59.
std::optional<almacor::CivilDateTime> AddUnit(const almacor::CivilDateTime& instant, int unit);

}  // namespace quillon
