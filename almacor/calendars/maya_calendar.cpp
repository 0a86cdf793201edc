#include <string>
#include <utility>

#include "almacor/calendars.h"
#include "almacor/strings.h"
#include "basic_arithmetic.h"
#include "whole_day.h"

namespace almacor {
namespace {

// Day 0 (1899-12-30, Julian day number 2415019) is day 1830736 of the long count, with the
// correlation 584283 (the Julian day number of 0.0.0.0.0).
constexpr std::int32_t kEpochOffset = 1830736;
constexpr int kTzolkinDayNames = 200;  // 200 "Ahau" … 219 "Cauac"
constexpr int kHaabMonthNames = 220;   // 220 "Pop" … 238 "Uayeb"

}  // namespace

MayaDate CalcMayaCalendar(double d) {
  const std::int32_t n = WholeDay(d) + kEpochOffset;  // 1173302 … 4789201: baktun 8 … 33
  const int kin = Mod(n, 20);
  const int uinal = Mod(IntDiv(n, 20), 18);
  const int tun = Mod(IntDiv(n, 360), 20);
  const int katun = Mod(IntDiv(n, 7200), 20);
  int baktun = IntDiv(n, 144000);
  // From baktun 20 on, a piktun digit 1 leads: 1.0.0.0.0.0 is 2.88 million days after the epoch.
  std::string longCount;
  if (baktun >= 20) {
    longCount = "1.";
    baktun -= 20;
  }
  longCount += std::to_string(baktun) + "." + std::to_string(katun) + "." + std::to_string(tun) +
               "." + std::to_string(uinal) + "." + std::to_string(kin);

  const int haab = Mod(n + 348, 365);  // day of the 365-day year: 18 months of 20, Uayeb of 5
  std::string haabText = std::to_string(Mod(haab, 20)) +
                         std::string(LibraryString(kHaabMonthNames + IntDiv(haab, 20)));
  std::string tzolkinText = std::to_string(Mod(n + 3, 13) + 1) +
                            std::string(LibraryString(kTzolkinDayNames + Mod(n, 20)));
  return {std::move(longCount), std::move(haabText), std::move(tzolkinText)};
}

}  // namespace almacor
