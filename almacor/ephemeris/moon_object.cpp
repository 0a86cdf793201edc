#include "almacor/moon.h"

namespace almacor {

void MoonObject::UpdateMoon(double d) { instant_ = d; }

}  // namespace almacor
