#include "almacor/settings.h"

namespace almacor {

Settings& LibrarySettings() {
  static Settings settings;
  return settings;
}

}  // namespace almacor
