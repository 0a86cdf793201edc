#include "time_entry.h"

#include <algorithm>
#include <cmath>

namespace quillon {

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

TimeEntry::TimeEntry(Hooks hooks) : hooks_(std::move(hooks)) {}

almacor::CivilDateTime TimeEntry::Instant() const {
  return {value_[0], value_[1], value_[2], value_[3], value_[4], value_[5]};
}

void TimeEntry::StepUp(int component) { SetValue(component, value_[component] + 1); }
void TimeEntry::StepDown(int component) { SetValue(component, value_[component] - 1); }

void TimeEntry::SetValue(int component, int value) {
  value = std::clamp(value, bottom_[component], top_[component]);
  if (value == value_[component]) return;
  value_[component] = value;
  Change(component);
}

// A value assigned from inside the change handler, with the handler nested deeper.
void TimeEntry::Assign(int component, int value) { SetValue(component, value); }

void TimeEntry::Change(int i) {
  const int p = i > 0 ? value_[i - 1] : 0;
  const int v = value_[i];
  if (v == bottom_[i]) {
    ++changeDepth_;
    if (i > 0) {
      if (p > bottom_[i - 1]) {
        Assign(i - 1, p - 1);  // borrow, possibly further up
        if (value_[i - 1] == p) {
          Assign(i, bottom_[i] + 1);
        } else {
          if (i == 2) top_[2] = DaysInMonth(value_[0], value_[1]) + 1;
          Assign(i, top_[i] - 1);
        }
      } else {
        Assign(i, bottom_[i] + 1);
      }
    }
    --changeDepth_;
  } else if (v == top_[i]) {
    ++changeDepth_;
    if (i > 0) {
      if (p < top_[i - 1]) {
        Assign(i - 1, p + 1);  // carry, possibly further up
        Assign(i, value_[i - 1] != p ? bottom_[i] + 1 : top_[i] - 1);
      } else {
        Assign(i, top_[i] - 1);
      }
    }
    --changeDepth_;
  }
  if (hooks_.showValue) hooks_.showValue(i, value_[i]);
  const bool visible = !hooks_.visible || hooks_.visible();
  if (!visible || changeDepth_ >= 1) return;
  const int n = DaysInMonth(value_[0], value_[1]);
  if (value_[2] > n) {
    changeDepth_ = 1;
    top_[2] = n + 1;
    Assign(2, n);
    changeDepth_ = 0;
  }
  top_[2] = n + 1;
  if (hooks_.showDayRange) hooks_.showDayRange(n);
  if (!suppressRecalc_ && hooks_.recalculate) hooks_.recalculate(Instant());
}

void TimeEntry::Load(const almacor::CivilDateTime& t) {
  displayedSecond_ = t.second;
  suppressRecalc_ = true;
  SetValue(5, t.second);
  SetValue(4, t.minute);
  SetValue(3, t.hour);
  const bool dayFirst = t.day < top_[2];
  if (dayFirst) SetValue(2, t.day);
  SetValue(1, t.month);
  SetValue(0, t.year);
  if (!dayFirst) {
    top_[2] = DaysInMonth(value_[0], value_[1]) + 1;  // also while the window is not shown yet
    SetValue(2, t.day);
  }
  suppressRecalc_ = false;
  // The day's range belongs to the loaded month even when nothing changed visibly.
  const int n = DaysInMonth(value_[0], value_[1]);
  top_[2] = n + 1;
  if (hooks_.showDayRange) hooks_.showDayRange(n);
}

bool TimeEntry::Validate(int component, std::optional<double> number) {
  const int a = component == 0 ? 0 : 1;
  if (!number || !std::isfinite(*number)) return false;
  const double n = std::round(*number);
  if (n < bottom_[component] + a || n > top_[component] - a) return false;
  SetValue(component, static_cast<int>(n));
  return true;
}

void TimeEntry::Zero(bool toHour) {
  suppressRecalc_ = toHour && value_[4] > 0;
  SetValue(5, 0);
  suppressRecalc_ = false;
  if (toHour) SetValue(4, 0);
}

std::optional<almacor::CivilDateTime> AddUnit(const almacor::CivilDateTime& t, int unit) {
  almacor::CivilDateTime r = t;
  if (unit <= 1) {
    const int months = t.year * 12 + (t.month - 1) + (unit == 0 ? 12 : 1);
    r.year = months / 12;
    r.month = months % 12 + 1;
    if (r.year > 9999) return std::nullopt;
    r.day = std::min(t.day, DaysInMonth(r.year, r.month));
    return r;
  }
  static constexpr std::array<long long, 4> kSeconds = {86400, 3600, 60, 1};
  const long long secondsOfDay = t.hour * 3600LL + t.minute * 60LL + t.second;
  long long total = secondsOfDay + kSeconds[unit - 2];
  long long dayShift = total / 86400;
  total %= 86400;
  if (dayShift != 0) {
    // Whole days through the civil day count, which has no gaps.
    const double day = almacor::CivilToDays(t.year, t.month, t.day) + static_cast<double>(dayShift);
    if (day > almacor::CivilToDays(9999, 12, 31)) return std::nullopt;
    const almacor::CivilDate civil = almacor::DaysToCivilDate(day);
    r.year = civil.year;
    r.month = civil.month;
    r.day = civil.day;
  }
  r.hour = static_cast<int>(total / 3600);
  r.minute = static_cast<int>(total / 60 % 60);
  r.second = static_cast<int>(total % 60);
  return r;
}

}  // namespace quillon
