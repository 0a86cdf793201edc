#include "almacor/calendars.h"

namespace almacor {

JulianCalendarDate CalcJulianCalendar(double) { return {}; }
IslamicDate CalcIslamicCalendar(double) { return {}; }
HebrewDate CalcHebrewCalendar(double) { return {}; }
MayaDate CalcMayaCalendar(double) { return {}; }

}  // namespace almacor
