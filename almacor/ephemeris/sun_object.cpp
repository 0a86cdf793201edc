#include "almacor/sun.h"

namespace almacor {

void SunObject::UpdateSun(double d) { instant_ = d; }

}  // namespace almacor
