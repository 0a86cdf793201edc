#include <string>

#include "almacor/calendar.h"
#include "almacor/strings.h"

namespace almacor {

// The stored index is 0 before the Islamic epoch as well, so the name is then "Muharram".
std::string Calendar::IslamicMonthName() const {
  return std::string(LibraryString(170 + islamic_.monthIndex));
}

// Index 11 is "Adar" in every year (Adar I of a leap year), 12 "Adar II".
std::string Calendar::HebrewMonthName() const {
  return std::string(LibraryString(250 + hebrew_.monthIndex));
}

}  // namespace almacor
