#pragma once

#include <string_view>

namespace almacor {

/// The number of digit places (`0` and `#`) behind the decimal point of a number pattern, as
/// FormatNumber reads it: literals (`\x`, quoted text, other characters) do not count.
int PatternDecimalPlaces(std::string_view pattern);

}  // namespace almacor
