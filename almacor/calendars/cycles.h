#pragma once

#include "almacor/settings.h"

namespace almacor {

// Where the cycles' names start in the library's string table (almacor/strings.h).
inline constexpr int kStemNames = 120;     ///< 甲 … 癸
inline constexpr int kBranchNames = 130;   ///< 子 … 亥
inline constexpr int kRokuyouNames = 150;  ///< 大安, 赤口, 先勝, 友引, 先負, 仏滅
inline constexpr int kStarNames = 160;     ///< 一白水星 … 九紫火星

/// The day star (九星) of local day count d: 0 = 一白水星 … 8 = 九紫火星. The stars ascend from the
/// 甲子 day nearest the winter solstice and descend from the one nearest the summer solstice;
/// outside 0100-07-06 … 9999-07-10 the switch days are fixed.
int DayStarIndex(double d, const TimeScale& ts);

/// The 甲子 day (sixty-cycle day 0) nearest local day r: at most 28 days before it or 31 after.
long Kasshi(long r);

}  // namespace almacor
