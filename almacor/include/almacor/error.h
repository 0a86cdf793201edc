#pragma once

#include <stdexcept>
#include <string>

namespace almacor {

/// Error numbers raised by the library, the numbers of the automation error codes.
enum ErrorNumber : int {
  kInvalidArgument = 5,  ///< invalid procedure call or argument
  kOverflow = 6,         ///< a value cannot be represented (for example a date outside 100–9999)
  kDivisionByZero =
      11,  ///< a value is not defined yet (for example a planet before its Name is set)
};

/// The one exception type of the library. A rejected value leaves every state unchanged.
class Error : public std::runtime_error {
 public:
  Error(int number, const std::string& message) : std::runtime_error(message), number_(number) {}
  int Number() const noexcept { return number_; }

 private:
  int number_;
};

/// Raises kInvalidArgument unless x is a finite number; `what` names the argument.
void RequireFinite(double x, const char* what);

}  // namespace almacor
