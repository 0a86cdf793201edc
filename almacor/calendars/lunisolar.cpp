#include "almacor/calendars.h"

namespace almacor {

LunisolarDate CalcLunisolar(double, const TimeScale&) { return {}; }

}  // namespace almacor
