#include "almacor/error.h"

#include <cmath>

namespace almacor {

void RequireFinite(double x, const char* what) {
  if (!std::isfinite(x))
    throw Error(kInvalidArgument, std::string(what) + " is not a finite number");
}

}  // namespace almacor
