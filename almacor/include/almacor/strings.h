#pragma once

#include <string_view>

namespace almacor {

/// The library's string table (UTF-8): month names 101–112, ten stems 120–129, twelve branches
/// 130–141, six-day cycle 150–155, nine stars 160–168, Islamic months 170–181, Tzolkin days
/// 200–219, Haab months 220–238, Hebrew months 250–262. Raises Error 5 for any other id.
std::string_view LibraryString(int id);

}  // namespace almacor
